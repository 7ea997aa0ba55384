// The monkey's run: one program run after another until the events are
// made, and the summary.

#include "monkey.h"
#include "paths.h"

namespace monkey {

namespace {

constexpr DWORD kOtherMonkeyTimeoutMs = 300000;
constexpr unsigned kMaxFaults = 200;  // a program this broken: stop

}  // namespace

void Monkey::Run()
{
    // Two monkeys in one Wine prefix (two test runs in one build tree) would
    // click into each other's windows: the second waits for the first.
    const HANDLE oneAtATime = ::CreateMutexA(nullptr, FALSE, "VelquorMonkeyOneAtATime");
    DWORD turn = ::WaitForSingleObject(oneAtATime, 0);
    if (turn == WAIT_TIMEOUT) {
        std::printf("another monkey is running in this Wine prefix; waiting for it to finish\n");
        std::fflush(stdout);
        turn = ::WaitForSingleObject(oneAtATime, kOtherMonkeyTimeoutMs);
    }
    if (turn != WAIT_OBJECT_0 && turn != WAIT_ABANDONED) {
        Fault("set-up", "another monkey kept running in this Wine prefix for " +
                            std::to_string(kOtherMonkeyTimeoutMs / 1000) + " s");
        ::CloseHandle(oneAtATime);
        return;
    }
    RunAlone();
    ::ReleaseMutex(oneAtATime);
    ::CloseHandle(oneAtATime);
}

void Monkey::RunAlone()
{
    m_startTicks = ::GetTickCount();
    m_artifacts = support::WindowsPath(VELQUOR_MONKEY_ARTIFACTS);
    ::CreateDirectoryA(m_artifacts.c_str(), nullptr);
    const std::string tracePath = m_artifacts + "\\monkey-seed-" + std::to_string(m_options.seed) + ".log";
    m_trace = std::fopen(tracePath.c_str(), "w");
    std::printf("monkey: seed %lu, %u events\n", static_cast<unsigned long>(m_options.seed), m_options.events);
    std::printf("event log: %s\n", tracePath.c_str());

    std::string dropped;
    m_garbage = TypableGarbage(dropped);
    if (!dropped.empty())
        std::printf("garbage text: no key types %s here; typing the rest\n", Quoted(dropped).c_str());

    const bool mailReady = PrepareMailHandler();
    std::fflush(stdout);
    if (!mailReady) {
        // Clicks on the address would start whatever else opens mail here.
        m_endTicks = ::GetTickCount();
        return;
    }

    for (m_event = 1; m_event <= m_options.events && m_faultCount < kMaxFaults; ++m_event) {
        if (!m_session) {
            const DWORD start = ::GetTickCount();
            if (!StartProgram())
                break;
            Timing& timing = m_timings["(program start)"];
            ++timing.count;
            timing.ms += ::GetTickCount() - start;
        }
        MakeEvent();
    }
    if (m_event > m_options.events)
        m_event = m_options.events;

    if (m_session)
        EndRun("still running after the last event; ended by the monkey");
    CheckAllMailLinksOpened();
    m_endTicks = ::GetTickCount();
    if (m_trace)
        std::fclose(m_trace);
    m_trace = nullptr;
}

void Monkey::MakeEvent()
{
    ++m_eventInRun;
    const DWORD start = ::GetTickCount();
    const Scene scene = Look(*m_session);
    const std::string what = Perform(DrawAction(scene), scene);
    LogEvent(what);
    AfterEvent();
    Timing& timing = m_timings[what.substr(0, what.find(' '))];
    ++timing.count;
    timing.ms += ::GetTickCount() - start;
}

bool Monkey::StartProgram()
{
    m_session = std::make_unique<VelquorSession>();
    const auto started = m_session->Start();
    if (!started) {
        Fault("start", std::string("the program did not start: ") + started.message());
        m_session.reset();
        return false;
    }

    ProgramRun run;
    run.number = static_cast<unsigned>(m_runs.size()) + 1;
    run.firstEvent = m_event;
    m_runs.push_back(run);
    m_eventInRun = 0;
    m_recent.clear();
    m_knownAboutBoxes.clear();
    Trace("-- run " + std::to_string(run.number) + ": program started, process " +
                std::to_string(m_session->ProcessId()));
    m_session->Settle();
    return true;
}

void Monkey::EndRun(const std::string& how)
{
    ProgramRun& run = m_runs.back();
    run.events = m_eventInRun;
    run.ending = how;
    Trace("-- run " + std::to_string(run.number) + " ended: " + how);
    m_session.reset();  // ends the program if it still runs
}

void Monkey::KillProgram(const std::string& why)
{
    EndRun(why + "; ended by the monkey");
}

void Monkey::PrintSummary() const
{
    unsigned events = 0;
    for (const ProgramRun& run : m_runs)
        events += run.events;
    const double seconds = (m_endTicks - m_startTicks) / 1000.0;
    std::printf("\n== monkey summary\n");
    std::printf("seed: %lu\n", static_cast<unsigned long>(m_options.seed));
    std::printf("events: %u of %u planned, in %.1f s (%.0f ms per event)\n", events, m_options.events, seconds,
                events ? 1000.0 * seconds / events : 0.0);
    std::printf("time by action (including what follows each: syncs, closing boxes, restarts):");
    for (const auto& [kind, timing] : m_timings)
        std::printf(" %s %u x %.0f ms;", kind.c_str(), timing.count, timing.count ? double(timing.ms) / timing.count : 0.0);
    std::printf("\n");
    std::printf("program runs: %zu, restarts: %zu\n", m_runs.size(), m_runs.empty() ? 0 : m_runs.size() - 1);
    for (const ProgramRun& run : m_runs)
        std::printf("  run %u: events #%u-#%u (%u), %u message boxes, %u About boxes; ended: %s\n", run.number,
                    run.firstEvent, run.firstEvent + (run.events ? run.events - 1 : 0), run.events,
                    run.messageBoxes, run.aboutBoxes, run.ending.c_str());
    std::printf("message boxes seen: %u\n", m_boxesSeen);
    for (const auto& [text, count] : m_boxTexts)
        std::printf("  %u x %s\n", count, Quoted(text, 80).c_str());
    std::printf("About boxes opened: %u; mail link opened %u times for %u clicks on the address or the portrait\n",
                m_aboutBoxes, m_linksOpened, m_linkClicks);
    if (m_restores > 0)
        std::printf("minimised window restored: %u times\n", m_restores);
    std::printf("faults: %u\n", m_faultCount);
    for (const auto& [kind, faults] : m_faults) {
        std::printf("  %s: %u\n", kind.c_str(), faults.count);
        for (const std::string& fault : faults.first)
            std::printf("    %s\n", fault.c_str());
    }
    std::printf("monkey: %s\n", m_faultCount == 0 ? "PASSED" : "FAILED");
    std::fflush(stdout);
}

}  // namespace monkey
