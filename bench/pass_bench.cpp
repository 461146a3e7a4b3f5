// Pass timing, latency, CPU and allocations of the sampler, side by side with
// the sampler as first designed (literal_sampler.cpp), in one run against the
// real main window. Prints a Markdown table.
//
//   pass_bench.exe [seconds per window]
//
// HUEPEEK_WINESERVER_PID and HUEPEEK_XSERVER_PID, when set, name Linux
// processes whose CPU is read from /proc alongside this process's own.
#include "alloc_counter.h"
#include "app/program.h"
#include "app/shared.h"
#include "gradient_target.h"
#include "literal_sampler.h"
#include "sampling/sampler.h"
#include "wait.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t MaxStamps = 1 << 20;
constexpr int RestX = 600;
constexpr int RowY = 300;
constexpr int LatencyTrials = 200;

LONGLONG TicksPerSecond = 1;

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Ms(LONGLONG ticks) {
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(TicksPerSecond);
}

// --- the start of every pause, through the timer seam -----------------------

std::vector<LONGLONG> PauseStamps(MaxStamps);
std::atomic<std::size_t> PauseCount{0};
PaceTimerFunctions SystemTimer;

MMRESULT WINAPI CountingSetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback,
                                 DWORD_PTR user, UINT flags) {
    const std::size_t n = PauseCount.load();
    PauseStamps[n % MaxStamps] = Now();
    PauseCount.store(n + 1);
    return SystemTimer.setEvent(delay, resolution, callback, user, flags);
}

// --- every text the x field is given, through a subclass --------------------

std::vector<LONGLONG> XStamps(MaxStamps);
std::size_t XCount = 0;
long LastX = -1;
LONGLONG LastXStamp = 0;
WNDPROC XFieldProc = nullptr;

LRESULT CALLBACK CountingXField(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        LastXStamp = Now();
        XStamps[XCount % MaxStamps] = LastXStamp;
        ++XCount;
        LastX = std::strtol(reinterpret_cast<const char*>(lParam), nullptr, 10);
    }
    return CallWindowProcA(XFieldProc, window, message, wParam, lParam);
}

// --- CPU clocks ------------------------------------------------------------

// utime + stime of a Linux process, in seconds; negative if it cannot be read.
double ProcCpuSeconds(const char* path) {
    if (path[0] == '\0') {
        return -1;
    }
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return -1;
    }
    char text[1024] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    const char* field = std::strrchr(text, ')');
    if (field == nullptr) {
        return -1;
    }
    // After the name: state is field 3; utime and stime are fields 14 and 15.
    for (int n = 2; n < 14 && field != nullptr; ++n) {
        field = std::strchr(field + 1, ' ');
    }
    if (field == nullptr) {
        return -1;
    }
    char* end = nullptr;
    const double user = std::strtod(field + 1, &end);
    const double system = std::strtod(end, nullptr);
    return (user + system) / 100.0; // USER_HZ
}

// The Windows path of /proc/<pid>/stat for the pid in an environment variable; empty if unset.
void StatPath(const char* variable, char (&path)[64]) {
    char pid[32] = {};
    path[0] = '\0';
    if (GetEnvironmentVariableA(variable, pid, sizeof pid) - 1 < sizeof pid - 1) {
        std::snprintf(path, sizeof path, "Z:\\proc\\%s\\stat", pid);
    }
}

double Seconds(FILETIME t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
           1e7;
}

double ThreadCpuSeconds(HANDLE thread) {
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(thread, &created, &ended, &kernel, &user)) {
        return 0;
    }
    return Seconds(kernel) + Seconds(user);
}

// Every thread of the process, Wine's own included (Wine answers with times()).
double ProcessCpuSeconds() {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) {
        return -1;
    }
    return Seconds(kernel) + Seconds(user);
}

struct Snapshot {
    LONGLONG wall = 0;
    double process = 0, server = 0, xserver = 0, sampler = 0;
    std::size_t pauses = 0, xWrites = 0, moves = 0;
    std::uint64_t allocations = 0;
};

// Read without allocating: a measuring window must count only the sampler's allocations.
char ServerStat[64] = "";
char XServerStat[64] = "";
std::size_t Moves = 0;

Snapshot Take(HANDLE sampler) {
    Snapshot s;
    s.process = ProcessCpuSeconds();
    s.server = ProcCpuSeconds(ServerStat);
    s.xserver = ProcCpuSeconds(XServerStat);
    s.moves = Moves;
    s.sampler = ThreadCpuSeconds(sampler);
    s.pauses = PauseCount.load();
    s.xWrites = XCount;
    s.allocations = AllocationCount();
    s.wall = Now();
    return s;
}

// --- driving ---------------------------------------------------------------

// Keeps this (the UI) thread answering for `ms`, calling tick() between waits.
template <class Tick> void PumpFor(double ms, DWORD waitMs, Tick tick) {
    const LONGLONG end =
        Now() + static_cast<LONGLONG>(ms * static_cast<double>(TicksPerSecond) / 1000);
    while (Now() < end) {
        PumpMessages();
        tick();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
    }
}

double Percentile(std::vector<double> values, double q) {
    if (values.empty()) {
        return NAN;
    }
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(values.size())));
    return values[std::min(values.size() - 1, rank == 0 ? 0 : rank - 1)];
}

std::vector<double> Periods(const std::vector<LONGLONG>& stamps, std::size_t from, std::size_t to) {
    std::vector<double> periods;
    for (std::size_t i = from + 1; i < to && i - from < MaxStamps; ++i) {
        periods.push_back(Ms(stamps[i % MaxStamps] - stamps[(i - 1) % MaxStamps]));
    }
    return periods;
}

struct Window {
    Snapshot before, after;
    double Seconds() const { return Ms(after.wall - before.wall) / 1000; }
    double Passes() const { return static_cast<double>(after.pauses - before.pauses); }
    double Percent(double Snapshot::*clock) const {
        if (before.*clock < 0 || after.*clock < 0) {
            return NAN;
        }
        return 100 * (after.*clock - before.*clock) / Seconds();
    }
};

struct Figures {
    Window rest, moving;
    std::vector<double> restPeriods, movingPeriods, xPeriods, latencies;
    int latencyFailures = 0;
};

// Pointer at rest over one colour.
Window MeasureRest(HANDLE sampler, double seconds, Figures& f) {
    SetCursorPos(RestX, RowY);
    PumpFor(500, 50, [] {});
    Window w;
    w.before = Take(sampler);
    PumpFor(seconds * 1000, 50, [] {});
    w.after = Take(sampler);
    f.restPeriods = Periods(PauseStamps, w.before.pauses, w.after.pauses);
    return w;
}

// Pointer moving along the row, a step every 2 ms: every pass sees a new
// position and a new colour.
Window MeasureMoving(HANDLE sampler, double seconds, Figures& f) {
    int x = 100;
    LONGLONG nextMove = Now();
    const LONGLONG step = TicksPerSecond / 500;
    auto move = [&] {
        if (Now() >= nextMove) {
            x = x >= 899 ? 100 : x + 1;
            SetCursorPos(x, RowY);
            ++Moves;
            nextMove += step;
        }
    };
    PumpFor(300, 1, move);
    Window w;
    w.before = Take(sampler);
    PumpFor(seconds * 1000, 1, move);
    w.after = Take(sampler);
    f.movingPeriods = Periods(PauseStamps, w.before.pauses, w.after.pauses);
    f.xPeriods = Periods(XStamps, w.before.xWrites, w.after.xWrites);
    return w;
}

// From SetCursorPos to the new x in the field, at pseudo-random points of the pass.
void MeasureLatency(Figures& f) {
    unsigned seed = 12345;
    SetCursorPos(RestX, RowY);
    PumpFor(200, 5, [] {});
    for (int i = 0; i < LatencyTrials; ++i) {
        seed = seed * 1103515245 + 12345;
        PumpFor(static_cast<double>((seed >> 16) % 6000) / 1000.0, 1, [] {});
        const int x = RestX + 1 + (i % 2);
        const LONGLONG start = Now();
        SetCursorPos(x, RowY);
        const LONGLONG deadline = start + TicksPerSecond;
        while ((LastX != x || LastXStamp < start) && Now() < deadline) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
            PumpMessages();
        }
        if (LastX == x && LastXStamp >= start) {
            f.latencies.push_back(Ms(LastXStamp - start));
        } else {
            ++f.latencyFailures;
        }
    }
}

template <class Start, class Finish>
Figures Measure(double seconds, Start start, Finish finish, bool latency = true) {
    Figures f;
    HANDLE sampler = start();
    f.rest = MeasureRest(sampler, seconds, f);
    f.moving = MeasureMoving(sampler, seconds, f);
    if (latency) {
        MeasureLatency(f);
    }
    finish(sampler);
    return f;
}

// --- the table --------------------------------------------------------------

void Row(const char* name, double literal, double ours, const char* format) {
    char a[32] = "n/a", b[32] = "n/a", r[32] = "";
    if (!std::isnan(literal)) {
        std::snprintf(a, sizeof a, format, literal);
    }
    if (!std::isnan(ours)) {
        std::snprintf(b, sizeof b, format, ours);
    }
    if (!std::isnan(literal) && !std::isnan(ours) && literal != 0) {
        std::snprintf(r, sizeof r, "%.2f", ours / literal);
    }
    std::printf("| %s | %s | %s | %s |\n", name, a, b, r);
}

double ProcessAndServer(const Window& w) {
    return w.Percent(&Snapshot::process) + w.Percent(&Snapshot::server);
}

void CpuRows(const std::string& when, const Window& l, const Window& o) {
    for (const auto& [name, clock] :
         {std::pair{"process", &Snapshot::process}, std::pair{"Wine server", &Snapshot::server},
          std::pair{"X server", &Snapshot::xserver}}) {
        Row((std::string(name) + ", % of a core, " + when).c_str(), l.Percent(clock),
            o.Percent(clock), "%.1f");
    }
    Row(("process + Wine server, % of a core, " + when).c_str(), ProcessAndServer(l),
        ProcessAndServer(o), "%.1f");
}

// The median and the 99th percentile of one measure.
void SpreadRows(const std::string& name, const std::string& when, const std::vector<double>& l,
                const std::vector<double>& o) {
    Row((name + " median" + when).c_str(), Percentile(l, 0.5), Percentile(o, 0.5), "%.2f");
    Row((name + " p99" + when).c_str(), Percentile(l, 0.99), Percentile(o, 0.99), "%.2f");
}

void PrintTable(const Figures& l, const Figures& o, bool countingWorks) {
    std::printf("| measure | first design | Huepeek | ratio |\n|---|---:|---:|---:|\n");
    Row("passes per second, at rest", l.rest.Passes() / l.rest.Seconds(),
        o.rest.Passes() / o.rest.Seconds(), "%.1f");
    Row("passes per second, moving", l.moving.Passes() / l.moving.Seconds(),
        o.moving.Passes() / o.moving.Seconds(), "%.1f");
    SpreadRows("pass period", ", at rest (ms)", l.restPeriods, o.restPeriods);
    Row("pointer moves per second, moving",
        static_cast<double>(l.moving.after.moves - l.moving.before.moves) / l.moving.Seconds(),
        static_cast<double>(o.moving.after.moves - o.moving.before.moves) / o.moving.Seconds(),
        "%.1f");
    SpreadRows("pass period", ", moving (ms)", l.movingPeriods, o.movingPeriods);
    SpreadRows("x-field write period", ", moving (ms)", l.xPeriods, o.xPeriods);
    SpreadRows("pointer-to-field latency", " (ms)", l.latencies, o.latencies);
    Row("latency trials without an answer in 1 s", l.latencyFailures, o.latencyFailures, "%.0f");
    auto perPass = [](const Window& w) {
        return 1e6 * (w.after.sampler - w.before.sampler) / w.Passes();
    };
    Row("sampler thread CPU per pass, at rest (us)", perPass(l.rest), perPass(o.rest), "%.1f");
    Row("sampler thread CPU per pass, moving (us)", perPass(l.moving), perPass(o.moving), "%.1f");
    Row("sampler thread, % of a core, at rest", l.rest.Percent(&Snapshot::sampler),
        o.rest.Percent(&Snapshot::sampler), "%.1f");
    auto allocations = [&](const Window& w) {
        return countingWorks
                   ? static_cast<double>(w.after.allocations - w.before.allocations) / w.Passes()
                   : NAN;
    };
    Row("heap allocations per pass, at rest", allocations(l.rest), allocations(o.rest), "%.3f");
    Row("heap allocations per pass, moving", allocations(l.moving), allocations(o.moving), "%.3f");
    CpuRows("at rest", l.rest, o.rest);
    auto per100Passes = [](const Window& w) {
        return ProcessAndServer(w) / (w.Passes() / w.Seconds()) * 100;
    };
    Row("process + Wine server, % of a core per 100 passes/s, at rest", per100Passes(l.rest),
        per100Passes(o.rest), "%.1f");
    CpuRows("moving", l.moving, o.moving);
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    TicksPerSecond = frequency.QuadPart;
    StatPath("HUEPEEK_WINESERVER_PID", ServerStat);
    StatPath("HUEPEEK_XSERVER_PID", XServerStat);

    SystemTimer = SystemPaceTimer();
    if (SystemTimer.setEvent == nullptr) {
        std::fprintf(stderr, "no multimedia timer\n");
        return 1;
    }
    PaceTimer = {CountingSetEvent, SystemTimer.killEvent};

    // The counter must see an allocation made here, or its zero means nothing.
    InstallAllocationCounter();
    const std::uint64_t probeStart = AllocationCount();
    void* volatile probe = std::malloc(16);
    std::free(probe);
    probe = HeapAlloc(GetProcessHeap(), 0, 16);
    HeapFree(GetProcessHeap(), 0, probe);
    const bool countingWorks = AllocationCount() == probeStart + 2;

    GradientTarget target;
    CreateUiFont();
    RegisterMainClass();
    ReadWorkArea();
    CreateMainWindow();
    if (MainWindow == nullptr || target.window() == nullptr) {
        std::fprintf(stderr, "no window\n");
        return 1;
    }
    PlaceMainWindow();
    XFieldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(XField, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingXField)));
    PumpFor(300, 10, [] {});

    // What the pointer mover and this thread cost with no sampler at all.
    const Figures alone = Measure(
        seconds, [] { return GetCurrentThread(); }, [](HANDLE) {}, false);
    const Figures literal = Measure(
        seconds, [] { return StartLiteralSampler(); },
        [](HANDLE thread) { FinishLiteralSampler(thread); });
    const Figures ours = Measure(
        seconds,
        [] {
            StartSampler();
            return OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, WorkerThreadId);
        },
        [](HANDLE thread) {
            FinishSampler();
            CloseHandle(thread);
        });

    std::printf("%.0f s per window; allocation counter %s\n\n", seconds,
                countingWorks ? "working (saw its probe)" : "NOT working");
    PrintTable(literal, ours, countingWorks);
    std::printf("\nNo sampler, the pointer mover alone: process %.1f %%, Wine server %.1f %%, "
                "X server %.1f %% of a core.\n",
                alone.moving.Percent(&Snapshot::process), alone.moving.Percent(&Snapshot::server),
                alone.moving.Percent(&Snapshot::xserver));
    DestroyWindow(MainWindow);
    return 0;
}
