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

// Reads the input front to back; past its end every byte is zero.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool AtEnd() const { return m_pos >= m_size; }
    std::size_t Position() const { return m_pos; }

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

// One step of the input, read but not yet done.
struct Step {
    enum Kind { Notify, Type, TypeNumber, Choose } kind = Notify;
    int control = 0;
    unsigned code = 0;
    bool away = false;         // notify with the focus outside the window
    std::string_view text;     // type
    double value = 0;          // type number
    std::int32_t index = 0;    // choose
};

Step ReadStep(Input& input)
{
    Step step;
    const int operation = input.Byte() % 5;
    switch (operation) {
    case 0: {
        step.kind = Step::Notify;
        const std::size_t controlSelector = input.Byte() % (kControlCount + 1);
        step.control = controlSelector < kControlCount ? kControls[controlSelector]
                                                       : static_cast<int>(input.Word(2));
        const std::uint8_t codeByte = input.Byte();
        const std::size_t codeSelector = codeByte % (kCodeCount + 1);
        step.code = codeSelector < kCodeCount ? kCodes[codeSelector] : input.Word(2);
        step.away = codeByte >= 0x80;
        break;
    }
    case 1:
        step.kind = Step::Type;
        step.control = kTextControls[input.Byte() % std::size(kTextControls)];
        step.text = input.Text(input.Byte());
        break;
    case 2: {
        step.kind = Step::TypeNumber;
        step.control = kTextControls[input.Byte() % kNumberControlCount];
        const std::uint64_t bits = input.Word(4) | std::uint64_t(input.Word(4)) << 32;
        std::memcpy(&step.value, &bits, sizeof step.value);
        break;
    }
    default:
        step.kind = Step::Choose;
        step.index = operation == 3 ? static_cast<std::int8_t>(input.Byte())
                                    : static_cast<std::int32_t>(input.Word(4));
        break;
    }
    return step;
}

void Describe(const Step& step)
{
    switch (step.kind) {
    case Step::Notify:
        std::fprintf(stderr, "  notify %d, code 0x%X%s\n", step.control, step.code,
                     step.away ? ", the focus away" : "");
        break;
    case Step::Type:
        std::fprintf(stderr, "  type %zu bytes into %d\n", step.text.size(), step.control);
        break;
    case Step::TypeNumber:
        std::fprintf(stderr, "  type \"%s\" into %d\n", Shortest(step.value).c_str(), step.control);
        break;
    case Step::Choose:
        std::fprintf(stderr, "  choose %d\n", static_cast<int>(step.index));
        break;
    }
}

// The input being run and where its current step ends: the steps are
// described only for the report of one that failed, from the input again.
const std::uint8_t* g_input = nullptr;
std::size_t g_inputSize = 0;
std::size_t g_stepEnd = 0;

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "fuzz_dispatch: %s\nafter these steps:\n", what.c_str());
    Input input(g_input, g_inputSize);
    while (!input.AtEnd() && input.Position() < g_stepEnd)
        Describe(ReadStep(input));
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CalculatorForm form;
    FakeWindow window(form);
    window.width = 4 + size % 20;
    // As the window starts: the opening prompt, and the whole form shown.
    form.m_instructions = kOpeningPrompt;
    window.UpdateData(false);
    g_input = data;
    g_inputSize = size;
    for (Seen& seen : g_seen)
        seen.valid = false;

    Input input(data, size);
    while (!input.AtEnd()) {
        const Step step = ReadStep(input);
        g_stepEnd = input.Position();
        switch (step.kind) {
        case Step::Notify: {
            window.active = !step.away;
            window.focus = step.away ? 0 : step.control;
            const int messages = window.messages;
            const bool listed = FindNotification(step.control, step.code) != nullptr;
            if (window.controller.Notify(step.control, step.code) != listed)
                Fail(listed ? "a listed notification was not taken" : "an unlisted one was taken");
            if (window.messages > messages + 1)
                Fail("one step showed more than one message");
            window.active = true;
            window.focus = IDC_CURRENT_POWER;
            break;
        }
        case Step::Type:
            window.Type(step.control, step.text);
            break;
        case Step::TypeNumber: {
            char text[kRoundedNumberSize];
            FormatRounded(step.value, kAllDigits, text);
            window.Type(step.control, text);
            break;
        }
        case Step::Choose:
            window.Choose(step.index);
            break;
        }
        Check(form, window);
    }
    return 0;
}
