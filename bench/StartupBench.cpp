// Starts two programs in turn, A B A B ..., after one warm-up pair, and measures each start:
// the time from CreateProcess to its first visible top-level window and to input idle, and its
// peak working set; then closes the window as a user would, with its close box's message.
//   startup_bench TOOL.exe BASELINE.exe [PAIRS]
#define PSAPI_VERSION 2
// windows.h first, in a block of its own: psapi.h builds on its types.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Sample {
    double windowMs = 0;
    double idleMs = 0;
    double peakKiB = 0;
};

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / frequency;
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

struct IdleWait {
    HANDLE process;
    double at;
};

DWORD WINAPI WaitIdle(LPVOID parameter) {
    auto* wait = static_cast<IdleWait*>(parameter);
    WaitForInputIdle(wait->process, 30000);
    wait->at = Now();
    return 0;
}

bool Measure(const std::string& program, Sample& sample) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = "\"" + program + "\"";
    const double start = Now();
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        std::cerr << "cannot start " << program << " (" << GetLastError() << ")\n";
        return false;
    }
    IdleWait idle{info.hProcess, 0};
    const HANDLE waiter = CreateThread(nullptr, 0, WaitIdle, &idle, 0, nullptr);

    Search search{info.dwProcessId, nullptr};
    double windowAt = 0;
    while (!search.found && Now() - start < 30000) {
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            windowAt = Now();
        } else {
            Sleep(1);
        }
    }
    WaitForSingleObject(waiter, INFINITE);
    CloseHandle(waiter);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory);
    if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(info.hProcess, 10000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);

    sample.windowMs = windowAt - start;
    sample.idleMs = idle.at - start;
    sample.peakKiB = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;
    if (!search.found) std::cerr << program << " showed no window\n";
    return search.found && ended;
}

double Quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const double position = q * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] +
           (values[above] - values[below]) * (position - static_cast<double>(below));
}

template <typename Field>
std::vector<double> Column(const std::vector<Sample>& samples, Field field) {
    std::vector<double> column;
    column.reserve(samples.size());
    for (const Sample& s : samples) column.push_back(s.*field);
    return column;
}

void PrintRow(const char* what, const char* unit, const std::vector<Sample>& tool,
              const std::vector<Sample>& base, double Sample::*field) {
    const auto a = Column(tool, field);
    const auto b = Column(base, field);
    std::vector<double> ratios;
    for (std::size_t i = 0; i < a.size(); ++i) ratios.push_back(a[i] / b[i]);
    std::printf("| %s (%s) | %.1f [%.1f..%.1f] | %.1f [%.1f..%.1f] | %.3f [%.3f..%.3f] |\n", what,
                unit, Quantile(a, 0.5), Quantile(a, 0.25), Quantile(a, 0.75), Quantile(b, 0.5),
                Quantile(b, 0.25), Quantile(b, 0.75), Quantile(ratios, 0.5), Quantile(ratios, 0.25),
                Quantile(ratios, 0.75));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: startup_bench TOOL.exe BASELINE.exe [PAIRS]\n";
        return 2;
    }
    const std::string tool = argv[1];
    const std::string baseline = argv[2];
    const int pairs =
        argc > 3 ? static_cast<int>(std::max(1L, std::strtol(argv[3], nullptr, 10))) : 15;

    Sample warm;
    if (!Measure(tool, warm) || !Measure(baseline, warm)) return 1;
    std::vector<Sample> toolSamples;
    std::vector<Sample> baseSamples;
    for (int i = 0; i < pairs; ++i) {
        Sample a;
        Sample b;
        if (!Measure(tool, a) || !Measure(baseline, b)) return 1;
        toolSamples.push_back(a);
        baseSamples.push_back(b);
    }
    std::printf("%d pairs after a warm-up pair; median [25th..75th percentile]\n\n", pairs);
    std::printf("| start | tool | baseline | tool/baseline, pair by pair |\n|---|---|---|---|\n");
    PrintRow("to first visible window", "ms", toolSamples, baseSamples, &Sample::windowMs);
    PrintRow("to input idle", "ms", toolSamples, baseSamples, &Sample::idleMs);
    PrintRow("peak working set", "KiB", toolSamples, baseSamples, &Sample::peakKiB);
    return 0;
}
