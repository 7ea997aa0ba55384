// Measures VelQUOR.exe against its floor, a bare dialog program with the same
// resources built in the same tree, on the Windows side (under Wine, or on
// Windows): how long each takes from process start to a visible main window,
// how long a click on Calculate takes to show its result, how big each file
// is and how much private memory each holds once started. It prints the
// figures; it judges none of them.
//
//   velquor_bench.exe VELQUOR.EXE BARE_DIALOG.EXE [RUNS [STARTS]]
//
// RUNS clicks on Calculate (15 unless given); STARTS starts of each program
// (eight times RUNS unless given). Start-up runs alternate between the two
// programs, each going first in every other pair, so that whatever else the
// machine does (and whatever the previous program leaves to finish) falls on
// both alike. They are many because one start under Wine varies by a tenth
// or more from the next, while the two programs differ by a few hundredths:
// the ratio of medians is printed for each third of the runs too, which shows
// how far a shorter run could have moved it.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "identifiers.h"
#include "program.h"
#include "window_query.h"

namespace {

double Milliseconds()
{
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency{};
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

struct Series {
    std::vector<double> values;

    double Min() const { return *std::min_element(values.begin(), values.end()); }
    double Median() const { return MedianOf(0, values.size()); }
    // The median of the values from `first` up to, not including, `last`.
    double MedianOf(std::size_t first, std::size_t last) const
    {
        std::vector<double> sorted(values.begin() + first, values.begin() + last);
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
};

// One started program and what its start took.
struct Run {
    support::Program program;
    double toVisible = 0;    // process created .. main window visible
    double toAnswering = 0;  // process created .. window answers a message
};

// Starts `program` and waits for its main window; false (and says why) when
// it shows none within 30 seconds.
bool Start(const std::string& program, Run& run)
{
    const double start = Milliseconds();
    if (!run.program.Start(program, nullptr, 30000, 1)) {
        std::printf("error: %s: %s\n", program.c_str(), run.program.Error().c_str());
        return false;
    }
    run.toVisible = Milliseconds() - start;
    support::Answers(run.program.Main(), 10000);
    run.toAnswering = Milliseconds() - start;
    return true;
}

// Ends the program with its default button (Exit or OK) and waits for it.
void Close(Run& run)
{
    if (!run.program.CloseWithDefaultButton())
        std::printf("warning: the program did not end on its default button; ended it\n");
}

struct Memory {
    SIZE_T privateUsage = 0;
    SIZE_T pagefileUsage = 0;
    SIZE_T workingSet = 0;
};

Memory MemoryOf(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    Memory memory;
    if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        memory.privateUsage = counters.PrivateUsage;
        memory.pagefileUsage = counters.PagefileUsage;
        memory.workingSet = counters.WorkingSetSize;
    }
    return memory;
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool SetText(HWND dialog, int id, const char* text)
{
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                                 SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
}

std::string GetText(HWND dialog, int id)
{
    return support::TextOf(::GetDlgItem(dialog, id));
}

// A left click at the centre of a control, posted to it: it goes through the
// program's message loop and dialog manager like a click of the mouse, and
// needs neither the mouse nor the foreground.
void PostClick(HWND control)
{
    RECT client{};
    ::GetClientRect(control, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
    ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(control, WM_LBUTTONUP, 0, at);
}

// Clicks Calculate and waits for Proposed Distance to show `expected`; the
// time taken, or a negative number when it never did.
double TimeCalculate(HWND dialog, const std::string& expected)
{
    const HWND button = ::GetDlgItem(dialog, IDC_RATIO_CALCULATE);
    const double start = Milliseconds();
    PostClick(button);
    while (GetText(dialog, IDC_PROPOSED_DISTANCE) != expected) {
        if (Milliseconds() - start > 10000)
            return -1;
    }
    return Milliseconds() - start;
}

void PrintRow(const char* what, const Series& series, const char* unit = "ms")
{
    std::printf("  %-34s %9.1f %s %9.1f %s\n", what, series.Min(), unit, series.Median(), unit);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::printf("usage: velquor_bench VELQUOR.EXE BARE_DIALOG.EXE [RUNS]\n");
        return 2;
    }
    const std::string velquor = argv[1];
    const std::string bare = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    const int starts = argc > 4 ? std::max(3, std::atoi(argv[4])) : 8 * runs;

    // One start of each, not counted: the first start of a program pays for
    // loading Wine's DLLs and the file into the cache.
    for (const std::string& program : {velquor, bare}) {
        Run run;
        if (!Start(program, run))
            return 1;
        Close(run);
    }

    Series velquorVisible, bareVisible, velquorAnswering, bareAnswering;
    Memory velquorMemory, bareMemory;
    struct Measured {
        const std::string& program;
        Series& visible;
        Series& answering;
        Memory& memory;
    };
    const Measured measured[] = {{velquor, velquorVisible, velquorAnswering, velquorMemory},
                                 {bare, bareVisible, bareAnswering, bareMemory}};
    for (int i = 0; i < starts; ++i) {
        for (int turn = 0; turn < 2; ++turn) {
            const Measured& next = measured[(i + turn) % 2];
            Run run;
            if (!Start(next.program, run))
                return 1;
            next.visible.values.push_back(run.toVisible);
            next.answering.values.push_back(run.toAnswering);
            next.memory = MemoryOf(run.program.Process());
            Close(run);
        }
    }

    // Calculate: 100 W reach 10 miles; 400 W reach 20.
    Series calculate;
    {
        Run run;
        if (!Start(velquor, run))
            return 1;
        const HWND dialog = run.program.Main();
        SetText(dialog, IDC_CURRENT_POWER, "100");
        SetText(dialog, IDC_CURRENT_DISTANCE, "10");
        SetText(dialog, IDC_PROPOSED_POWER, "400");
        SetText(dialog, IDC_PROPOSED_DISTANCE, "0");
        // The first click also moves the focus off Current Power, which
        // reads every field once more: not counted.
        if (TimeCalculate(dialog, "20") < 0) {
            std::printf("error: Calculate did not show 20 in Proposed Distance (it shows \"%s\")\n",
                        GetText(dialog, IDC_PROPOSED_DISTANCE).c_str());
            Close(run);
            return 1;
        }
        for (int i = 0; i < runs; ++i) {
            SetText(dialog, IDC_PROPOSED_DISTANCE, "0");
            const double taken = TimeCalculate(dialog, "20");
            if (taken < 0) {
                std::printf("error: Calculate did not show 20 in Proposed Distance\n");
                Close(run);
                return 1;
            }
            calculate.values.push_back(taken);
        }
        Close(run);
    }

    std::printf("Start-up, %d runs of each, alternating, each first in turn (QueryPerformanceCounter; windows polled every 1 ms)\n",
                starts);
    std::printf("  %-34s %12s %12s\n", "", "min", "median");
    PrintRow("VelQUOR.exe: window visible", velquorVisible);
    PrintRow("bare dialog: window visible", bareVisible);
    std::printf("  %-34s %12.2f %12.2f\n", "ratio VelQUOR / bare", velquorVisible.Min() / bareVisible.Min(),
                velquorVisible.Median() / bareVisible.Median());
    std::printf("  %-34s", "ratio of medians, by thirds");
    for (int third = 0; third < 3; ++third) {
        const std::size_t first = static_cast<std::size_t>(starts) * third / 3;
        const std::size_t last = static_cast<std::size_t>(starts) * (third + 1) / 3;
        std::printf(" %8.2f", velquorVisible.MedianOf(first, last) / bareVisible.MedianOf(first, last));
    }
    std::printf("\n");
    PrintRow("VelQUOR.exe: window answers", velquorAnswering);
    PrintRow("bare dialog: window answers", bareAnswering);
    std::printf("  %-34s %12.2f %12.2f\n", "ratio VelQUOR / bare", velquorAnswering.Min() / bareAnswering.Min(),
                velquorAnswering.Median() / bareAnswering.Median());

    std::printf("\nCalculate (ratio group, 100 W / 10 mi -> 400 W), %d posted clicks until Proposed Distance shows 20\n",
                runs);
    PrintRow("click to result", calculate);

    const long long velquorSize = FileSize(velquor);
    const long long bareSize = FileSize(bare);
    std::printf("\nExecutable size (stripped, statically linked)\n");
    std::printf("  %-34s %12lld bytes\n", "VelQUOR.exe", velquorSize);
    std::printf("  %-34s %12lld bytes\n", "bare dialog", bareSize);
    if (bareSize > 0)
        std::printf("  %-34s %12.2f\n", "ratio VelQUOR / bare", static_cast<double>(velquorSize) / bareSize);

    std::printf("\nMemory once the main window is up (GetProcessMemoryInfo, last run)\n");
    std::printf("  %-28s %14s %14s %14s\n", "", "PrivateUsage", "PagefileUsage", "WorkingSetSize");
    for (const auto& [name, memory] : {std::pair<const char*, Memory>{"VelQUOR.exe", velquorMemory},
                                       std::pair<const char*, Memory>{"bare dialog", bareMemory}}) {
        std::printf("  %-28s %10.0f KiB %10.0f KiB %10.0f KiB\n", name, memory.privateUsage / 1024.0,
                    memory.pagefileUsage / 1024.0, memory.workingSet / 1024.0);
    }
    if (velquorMemory.privateUsage == 0)
        std::printf("  (PrivateUsage is not filled in here, as under Wine; PagefileUsage, which Windows\n"
                    "   keeps equal to it, is the private memory: under Wine, the process's anonymous\n"
                    "   resident memory, RssAnon in /proc/PID/status of its wine process)\n");
    return 0;
}
