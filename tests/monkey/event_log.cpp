// The event log: every event and note in a trace file, the last events
// kept for fault reports, and the faults by kind.

#include <gtest/gtest.h>

#include "monkey.h"

namespace monkey {

namespace {

constexpr unsigned kFaultsShownPerKind = 3;
constexpr std::size_t kRecentEvents = 12;

}  // namespace

std::string Quoted(const std::string& text, std::size_t limit)
{
    std::string shown = text.size() > limit ? text.substr(0, limit) + "...(" + std::to_string(text.size()) + " chars)" : text;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            c = '?';  // a picture's resource number, say
    return "\"" + shown + "\"";
}

std::string Hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

void Monkey::LogEvent(const std::string& what)
{
    const std::string line = "#" + std::to_string(m_event) + " " + what;
    m_recent.push_back(line);
    if (m_recent.size() > kRecentEvents)
        m_recent.pop_front();
    Trace(line);
}

std::string Monkey::LastEvents(std::size_t count) const
{
    std::string last;
    for (std::size_t i = m_recent.size() > count ? m_recent.size() - count : 0; i < m_recent.size(); ++i)
        last += (last.empty() ? "" : "; ") + m_recent[i];
    return last;
}

void Monkey::Fault(const std::string& kind, const std::string& what)
{
    const std::string where = m_event == 0 ? "before the first event" : "at event #" + std::to_string(m_event);
    FaultKind& faults = m_faults[kind];
    ++faults.count;
    ++m_faultCount;
    Trace("FAULT (" + kind + ") " + where + ": " + what);
    if (faults.count > kFaultsShownPerKind)
        return;
    faults.first.push_back(where + ": " + what);
    std::string report = kind + ", " + where + ": " + what;
    if (!m_recent.empty()) {
        report += "\n  the last events:";
        for (const std::string& line : m_recent)
            report += "\n    " + line;
    }
    if (m_session) {
        const std::string picture = m_session->SaveScreenshot("monkey-seed-" + std::to_string(m_options.seed) +
                                                              "-event-" + std::to_string(m_event));
        if (!picture.empty())
            report += "\n  screenshot: " + picture;
    }
    ADD_FAILURE() << report;
    std::fflush(stdout);
}

void Monkey::Trace(const std::string& line)
{
    if (m_trace) {
        std::fprintf(m_trace, "%s\n", line.c_str());
        std::fflush(m_trace);
    }
}

}  // namespace monkey
