// The About box's mail link goes to a stand-in for a mail program that the
// monkey registers in its own Wine prefix, never to a real one. Each link
// opened must be the one the box showed when it was clicked, and as many
// must open as clicks went to the address or the portrait.

#include <windows.h>
#include <shellapi.h>

#include "monkey.h"
#include "paths.h"
#include "wait.h"

namespace monkey {

namespace {

constexpr char kSelfCheckLink[] = "mailto:monkey-self-check@example.com";

}  // namespace

// Registers our stand-in as the program that opens mailto: links in this
// Wine prefix, then checks that the shell really runs it.
bool Monkey::PrepareMailHandler()
{
    // A file of this run's own, even with other monkeys in other prefixes.
    char log[MAX_PATH] = "";
    if (::GetTempFileNameA(m_artifacts.c_str(), "mail", 0, log) == 0) {
        Fault("set-up", "cannot make a file for the mail links in " + m_artifacts);
        return false;
    }
    m_mailLog = log;
    const std::string command = "\"" + support::WindowsPath(VELQUOR_MONKEY_MAIL_HANDLER) + "\" \"" + m_mailLog + "\" \"%1\"";

    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS) {
        Fault("set-up", "cannot register the mail handler under HKEY_CLASSES_ROOT\\mailto");
        return false;
    }
    ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>(command.size() + 1));
    ::RegCloseKey(key);

    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, nullptr, kSelfCheckLink, "", "", SW_SHOWNORMAL));
    std::vector<std::string> lines;
    support::WaitUntil([&] {
        for (const std::string& line : NewMailLines())
            lines.push_back(line);
        return !lines.empty();
    }, 15000);
    if (lines != std::vector<std::string>{kSelfCheckLink}) {
        Fault("set-up", "the mail handler registered in this Wine prefix did not run as it should: ShellExecute "
              "returned " + std::to_string(result) + ", the handler logged " + std::to_string(lines.size()) +
              " links" + (lines.empty() ? "" : ", the first " + Quoted(lines.front())));
        return false;
    }
    std::printf("mail links: handled by %s\n", command.c_str());
    return true;
}

std::vector<std::string> Monkey::NewMailLines()
{
    std::vector<std::string> lines;
    FILE* log = std::fopen(m_mailLog.c_str(), "rb");
    if (log == nullptr)
        return lines;
    std::string content;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, log)) > 0)
        content.append(buffer, read);
    std::fclose(log);
    // Only whole lines: a handler may be writing its own right now.
    std::size_t end = content.rfind('\n');
    if (end == std::string::npos || end + 1 <= m_mailLogRead)
        return lines;
    std::size_t at = m_mailLogRead;
    while (at <= end) {
        std::size_t newline = content.find('\n', at);
        std::string line = content.substr(at, newline - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        at = newline + 1;
    }
    m_mailLogRead = end + 1;
    return lines;
}

void Monkey::CheckMailLinksOpened()
{
    for (const std::string& line : NewMailLines()) {
        ++m_linksOpened;
        Trace("   mail link opened: " + Quoted(line, 80));
        if (line != m_mailLink)
            Fault("mail link", "the mail link opened was " + Quoted(line, 80) + ", not " + Quoted(m_mailLink));
    }
}

void Monkey::CheckAllMailLinksOpened()
{
    // Handlers started by the last clicks may still be on their way.
    support::WaitUntil([&] {
        CheckMailLinksOpened();
        return m_linksOpened >= m_linkClicks;
    }, 3000);
    if (m_linksOpened > m_linkClicks)
        Fault("mail link", "the mail link was opened " + std::to_string(m_linksOpened) + " times, but only " +
              std::to_string(m_linkClicks) + " clicks went to the address or the portrait");
    if (m_linkClicks > 0 && m_linksOpened == 0)
        Fault("mail link", std::to_string(m_linkClicks) + " clicks on the address or the portrait opened no mail link");
    if (!m_mailLog.empty())
        ::DeleteFileA(m_mailLog.c_str());
}

}  // namespace monkey
