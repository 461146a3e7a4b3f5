#!/usr/bin/env bash
# Two clean builds of the shipped program, from the sources where they are and
# from a copy at another path, into other build folders, must give the same
# bytes as each other and as the preset build.
#   reproducible_check.sh <source dir> <preset-built Huepeek.exe>
set -euo pipefail
source_dir=$1
shipped=$2
work="$source_dir/build/reproducible"
rm -rf "$work"
mkdir -p "$work/copy"
cp -r "$source_dir/CMakeLists.txt" "$source_dir/cmake" "$source_dir/src" "$source_dir/res" "$work/copy/"

build() { # <source> <build dir>
    cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$1/cmake/mingw-i686.cmake" >"$2.log" 2>&1 &&
        cmake --build "$2" --target Huepeek >>"$2.log" 2>&1 || { cat "$2.log"; exit 1; }
}
build "$source_dir" "$work/first"
build "$work/copy" "$work/second"

status=0
for exe in "$work/second/Huepeek.exe" "$shipped"; do
    if [ "$exe" = "$shipped" ] && [ ! -f "$shipped" ]; then
        echo "not built, not compared: $shipped"
        continue
    fi
    if cmp "$work/first/Huepeek.exe" "$exe"; then
        echo "same bytes: $exe"
    else
        status=1
    fi
done
sha256sum "$work/first/Huepeek.exe"
rm -rf "$work"
exit $status
