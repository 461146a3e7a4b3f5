# Shared steps of scripts/run, scripts/test and scripts/release. Sourced, not run.

HUEPEEK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX="$HUEPEEK_ROOT/build/wineprefix"
# A copy of it whose display is scaled to 200 % (LogPixels 192), for the DPI tests.
DPI_WINEPREFIX="$HUEPEEK_ROOT/build/wineprefix-dpi"
export WINEDEBUG=-all

PACKAGES=(cmake ninja-build g++ libgtest-dev googletest python3
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
    wine64 xvfb x11-utils x11-xserver-utils xdotool icoutils imagemagick)

stage() { printf '==> %s\n' "$*"; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs whatever of PACKAGES is missing; quick when all is there.
install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        stage "installing: nothing missing"
        return
    fi
    stage "installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

configure_and_build() {
    cd "$HUEPEEK_ROOT"
    for preset in "$@"; do
        stage "configuring $preset"
        cmake --preset "$preset" >"build-$preset.log" 2>&1 || { cat "build-$preset.log"; return 1; }
        stage "building $preset"
        cmake --build --preset "$preset" >>"build-$preset.log" 2>&1 || { cat "build-$preset.log"; return 1; }
        rm -f "build-$preset.log"
    done
}

# Waits up to $2 seconds for the command in $1 to succeed.
wait_for() {
    local deadline=$((SECONDS + $2))
    until eval "$1" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

XVFB_PID=
# Starts Xvfb on a free display and exports DISPLAY.
start_xvfb() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    stage "starting Xvfb on :$n"
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    wait_for "xdpyinfo -display :$n" 30 || { echo "Xvfb did not start" >&2; return 1; }
}

WINESERVER_STARTED=
# Creates the private Wine prefix once, and keeps one wineserver running for the session.
start_wine() {
    mkdir -p "$HUEPEEK_ROOT/build"
    # A server left from another display would put our windows there.
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        stage "creating the Wine prefix in build/wineprefix"
        "$WINE" wineboot -i >/dev/null 2>&1 || true
        "$WINESERVER" -w
    fi
    if [ ! -f "$DPI_WINEPREFIX/system.reg" ]; then
        stage "copying the Wine prefix to build/wineprefix-dpi, scaled to 200 %"
        rm -rf "$DPI_WINEPREFIX"
        cp -a "$WINEPREFIX" "$DPI_WINEPREFIX"
        WINEPREFIX="$DPI_WINEPREFIX" "$WINE" reg add 'HKCU\Control Panel\Desktop' \
            /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
        WINEPREFIX="$DPI_WINEPREFIX" "$WINESERVER" -w
    fi
    "$WINESERVER" -p
    WINESERVER_STARTED=1
    # Let Wine draw the window caption itself: there is no window manager under Xvfb.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}

stop_session() {
    if [ -n "$WINESERVER_STARTED" ]; then
        "$WINESERVER" -k >/dev/null 2>&1 || true
        WINEPREFIX="$DPI_WINEPREFIX" "$WINESERVER" -k >/dev/null 2>&1 || true
    fi
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
}
