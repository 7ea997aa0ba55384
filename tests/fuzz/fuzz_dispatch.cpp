// Random sequences of control notifications, typing, list choices and the
// focus leaving the window, through the form controller against the core
// suite's test window, with fields of random width. After every step the
// properties that must hold whatever the user does are checked: a listed
// notification is taken and an unlisted one is not; one step shows at most
// one message; a field the user has not typed over reads back to the exact
// double it shows, rounded or not; the full text of a rounded field reads
// back to its value. Any failure is printed with the steps so far and
// aborts, so that libFuzzer keeps the input.
//
// The input is a list of steps, each an operation byte and its arguments;
// the operation is the byte modulo 5, and the letters below are the ones the
// seed corpus uses:
//   'n' notify:      control selector byte, code selector byte. A control
//                    selector past the list of controls reads the identifier
//                    from the next two bytes (little-endian); a code
//                    selector of 7 (mod 8) reads the code likewise. A code
//                    selector byte of 0x80 or more notifies with the focus
//                    outside the window, as when another program comes to
//                    the front.
//   't' type:        text-control selector byte, length byte, that many bytes.
//   'f' type number: number-control selector byte, 8 bytes of a double, typed
//                    as its shortest text.
//   'l' choose:      one signed byte as the list's selection.
//   'w' choose wide: four bytes (little-endian) as the list's selection.
// A step cut short by the end of the input takes zeros for what is missing.
// The fields show 4 to 23 characters, by the input's length.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

#include "support/fake_window.h"
#include "help_texts.h"
#include "identifiers.h"
#include "notification_table.h"
#include "number_text.h"

namespace {

// Every control of the main window, those that have no row included, and a
// few identifiers that are not on it at all.
constexpr int kControls[] = {
    IDOK,
    IDC_CURRENT_POWER, IDC_CURRENT_DISTANCE, IDC_PROPOSED_POWER,
    IDC_PROPOSED_DISTANCE, IDC_RATIO_CALCULATE, IDC_RATIO_GROUP,
    IDC_LABEL_CURRENT_POWER, IDC_LABEL_CURRENT_DISTANCE,
    IDC_LABEL_PROPOSED_POWER, IDC_LABEL_PROPOSED_DISTANCE,
    IDC_RATIO_INSTRUCTIONS,
    IDC_WAVELENGTH_GROUP, IDC_WAVELENGTH_FREQUENCY, IDC_WAVELENGTH,
    IDC_WAVELENGTH_CALCULATE, IDC_WAVELENGTH_INSTRUCTIONS,
    IDC_ANTENNA_GROUP, IDC_ANTENNA_FREQUENCY, IDC_WAVE_FACTOR,
    IDC_ANTENNA_LENGTH, IDC_ANTENNA_CALCULATE, IDC_ANTENNA_INSTRUCTIONS,
    IDC_ABOUT, IDC_INSTRUCTIONS_GROUP, IDC_INSTRUCTIONS_TEXT, IDC_BANNER,
    IDC_STATIC, 0, IDC_PORTRAIT, IDC_MAIL_ADDRESS, 1015, 1016, 1025,
};
constexpr std::size_t kControlCount = std::size(kControls);

// BN_CLICKED, CBN_SELCHANGE, CBN_SETFOCUS, CBN_KILLFOCUS, EN_SETFOCUS,
// EN_KILLFOCUS, EN_CHANGE.
constexpr unsigned kCodes[] = {0, 1, 3, 4, 0x100, 0x200, 0x300};
constexpr std::size_t kCodeCount = std::size(kCodes);

// The controls that hold text in the test window: the eight numbers, in
// exchange order, then the Instructions pane.
constexpr int kTextControls[] = {
    IDC_CURRENT_DISTANCE, IDC_CURRENT_POWER, IDC_PROPOSED_DISTANCE, IDC_PROPOSED_POWER,
    IDC_WAVELENGTH_FREQUENCY, IDC_WAVELENGTH, IDC_ANTENNA_FREQUENCY, IDC_ANTENNA_LENGTH,
    IDC_INSTRUCTIONS_TEXT,
};
constexpr std::size_t kNumberControlCount = 8;

std::string g_log;  // the steps so far, for the report

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "fuzz_dispatch: %s\nafter these steps:\n%s", what.c_str(), g_log.c_str());
    std::abort();
}

// What the last check saw of each row: a number field whose value, text and
// modified mark are as they were then passes as it passed then, and a read
// pass over fields all as they were reads them as it did.
struct Seen {
    std::uint64_t value = 0;
    std::string text;
    bool modified = false;
    bool valid = false;
};
Seen g_seen[std::size(kExchangeTable)];

// The properties that hold after any step.
void Check(CalculatorForm& form, FakeWindow& window)
{
    bool asBefore = true;
    for (std::size_t i = 0; i < std::size(kExchangeTable); ++i) {
        const ExchangeRow& row = kExchangeTable[i];
        if (row.kind != ExchangeKind::Number)
            continue;
        const double value = form.*row.number;
        const std::string& text = window.texts[row.control];
        const bool modified = window.modified.count(row.control) != 0;
        Seen& seen = g_seen[i];
        if (seen.valid && seen.value == Bits(value) && seen.modified == modified && seen.text == text)
            continue;
        asBefore = false;
        seen.value = Bits(value);
        seen.text = text;
        seen.modified = modified;
        seen.valid = true;
        char exact[kRoundedNumberSize];
        if (window.controller.ExactText(row.control, exact)) {
            const auto back = ParseNumber(exact);
            if (!back || !SameNumber(*back, value))
                Fail("the full text " + std::string(exact) + " of field " +
                     std::to_string(row.control) + " does not read back to its value");
        }
    }
    if (asBefore || !window.modified.empty())
        return;
    // Nothing typed over: a read pass now reads every field back exactly.
    double before[kNumberControlCount];
    for (std::size_t i = 0; i < kNumberControlCount; ++i)
        before[i] = form.*kExchangeTable[i].number;
    const int messages = window.messages;
    if (!window.UpdateData(true) || window.messages != messages)
        Fail("a field the program wrote does not read back as a number");
    for (std::size_t i = 0; i < kNumberControlCount; ++i)
        if (!SameNumber(form.*kExchangeTable[i].number, before[i]))
            Fail("field " + std::to_string(kExchangeTable[i].control) + " showing \"" +
                 window.texts[kExchangeTable[i].control] + "\" read back as another number");
}

// Reads the input front to back; past its end every byte is zero.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool AtEnd() const { return m_pos >= m_size; }

    std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

    std::uint32_t Word(int bytes)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= std::uint32_t(Byte()) << (8 * i);
        return value;
    }

    std::string_view Text(std::size_t length)
    {
        const std::size_t available = m_pos < m_size ? m_size - m_pos : 0;
        if (length > available)
            length = available;
        const std::string_view text(reinterpret_cast<const char*>(m_data + m_pos), length);
        m_pos += length;
        return text;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CalculatorForm form;
    FakeWindow window(form);
    window.width = 4 + size % 20;
    // As the window starts: the opening prompt, and the whole form shown.
    form.m_instructions = kOpeningPrompt;
    window.UpdateData(false);
    g_log.clear();
    for (Seen& seen : g_seen)
        seen.valid = false;

    Input input(data, size);
    while (!input.AtEnd()) {
        char step[96];
        const int operation = input.Byte() % 5;
        switch (operation) {
        case 0: {
            const std::size_t controlSelector = input.Byte() % (kControlCount + 1);
            const int control = controlSelector < kControlCount
                                    ? kControls[controlSelector]
                                    : static_cast<int>(input.Word(2));
            const std::uint8_t codeByte = input.Byte();
            const std::size_t codeSelector = codeByte % (kCodeCount + 1);
            const unsigned code = codeSelector < kCodeCount ? kCodes[codeSelector]
                                                            : input.Word(2);
            const bool away = codeByte >= 0x80;
            std::snprintf(step, sizeof step, "  notify %d, code 0x%X%s\n", control, code,
                          away ? ", the focus away" : "");
            g_log += step;
            window.active = !away;
            window.focus = away ? 0 : control;
            const int messages = window.messages;
            const bool listed = FindNotification(control, code) != nullptr;
            if (window.controller.Notify(control, code) != listed)
                Fail(listed ? "a listed notification was not taken" : "an unlisted one was taken");
            if (window.messages > messages + 1)
                Fail("one step showed more than one message");
            window.active = true;
            window.focus = IDC_CURRENT_POWER;
            break;
        }
        case 1: {
            const int control = kTextControls[input.Byte() % std::size(kTextControls)];
            const std::string_view text = input.Text(input.Byte());
            std::snprintf(step, sizeof step, "  type %zu bytes into %d\n", text.size(), control);
            g_log += step;
            window.Type(control, text);
            break;
        }
        case 2: {
            const int control = kTextControls[input.Byte() % kNumberControlCount];
            const std::uint64_t bits = input.Word(4) | std::uint64_t(input.Word(4)) << 32;
            double value;
            std::memcpy(&value, &bits, sizeof value);
            char text[kRoundedNumberSize];
            FormatRounded(value, kAllDigits, text);
            std::snprintf(step, sizeof step, "  type \"%s\" into %d\n", text, control);
            g_log += step;
            window.Type(control, text);
            break;
        }
        case 3:
        case 4: {
            const std::int32_t index = operation == 3 ? static_cast<std::int8_t>(input.Byte())
                                                      : static_cast<std::int32_t>(input.Word(4));
            std::snprintf(step, sizeof step, "  choose %d\n", static_cast<int>(index));
            g_log += step;
            window.Choose(index);
            break;
        }
        }
        Check(form, window);
    }
    return 0;
}
