// Random sequences of control notifications, typing and list choices through
// the notification table, against the core suite's test window. After every
// step the window and the form are compared with a model written here from
// the rules, not from the table: which notification does what, the order of
// the exchange, and the calculators' steps. Any difference is printed with
// the steps so far and aborts, so that libFuzzer keeps the input.
//
// The input is a list of steps, each an operation byte and its arguments;
// the operation is the byte modulo 5, and the letters below are the ones the
// seed corpus uses:
//   'n' notify:      control selector byte, code selector byte. A control
//                    selector past the list of controls reads the identifier
//                    from the next two bytes (little-endian); a code
//                    selector of 7 (mod 8) reads the code likewise.
//   't' type:        text-control selector byte, length byte, that many bytes.
//   'f' type number: number-control selector byte, 8 bytes of a double, typed
//                    as FormatNumber shows it.
//   'l' choose:      one signed byte as the list's selection.
//   'w' choose wide: four bytes (little-endian) as the list's selection.
// A step cut short by the end of the input takes zeros for what is missing.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <string>

#include "fake_window.h"
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
constexpr std::size_t kControlCount = sizeof kControls / sizeof kControls[0];

// BN_CLICKED, CBN_SELCHANGE, CBN_SETFOCUS, CBN_KILLFOCUS, EN_SETFOCUS,
// EN_KILLFOCUS, EN_CHANGE.
constexpr unsigned kCodes[] = {0, 1, 3, 4, 0x100, 0x200, 0x300};
constexpr std::size_t kCodeCount = sizeof kCodes / sizeof kCodes[0];

// The controls that hold text in the test window: the eight numbers, in
// exchange order, then the Instructions pane.
constexpr int kTextControls[] = {
    IDC_CURRENT_DISTANCE, IDC_CURRENT_POWER, IDC_PROPOSED_DISTANCE,
    IDC_PROPOSED_POWER, IDC_WAVELENGTH_FREQUENCY, IDC_WAVELENGTH,
    IDC_ANTENNA_FREQUENCY, IDC_ANTENNA_LENGTH, IDC_INSTRUCTIONS_TEXT,
};
constexpr std::size_t kNumberControlCount = 8;

// Everything a step could change: the whole form, the controls and the
// window's counters.
struct State {
    double scale, ratio, workPower, workDistance, workQuotient;
    double currentDistance, currentPower, proposedDistance, proposedPower;
    double frequency, wavelength, antennaFrequency, antennaLength;
    std::int32_t waveFactor;
    std::string instructions;
    std::map<int, std::string> texts;
    std::int32_t selection;
    int reads, writes, messages, aboutRuns;
};

State Capture(const CalculatorForm& f, const FakeWindow& w)
{
    return State{f.m_scale, f.m_ratio, f.m_workPower, f.m_workDistance,
                 f.m_workQuotient, f.m_currentDistance, f.m_currentPower,
                 f.m_proposedDistance, f.m_proposedPower, f.m_frequency,
                 f.m_wavelength, f.m_antennaFrequency, f.m_antennaLength,
                 f.m_waveFactor, std::string(f.m_instructions.view()), w.texts, w.selection,
                 w.reads, w.writes, w.messages, w.aboutRuns};
}

// The exchange in its order: current distance before current power, then
// the proposed distance and power, the two frequency calculators with their
// results, then the list and the pane.
struct NumberField {
    int control;
    double State::*field;
};
constexpr NumberField kExchangeOrder[] = {
    {IDC_CURRENT_DISTANCE, &State::currentDistance},
    {IDC_CURRENT_POWER, &State::currentPower},
    {IDC_PROPOSED_DISTANCE, &State::proposedDistance},
    {IDC_PROPOSED_POWER, &State::proposedPower},
    {IDC_WAVELENGTH_FREQUENCY, &State::frequency},
    {IDC_WAVELENGTH, &State::wavelength},
    {IDC_ANTENNA_FREQUENCY, &State::antennaFrequency},
    {IDC_ANTENNA_LENGTH, &State::antennaLength},
};

void ReadPass(State& s)
{
    ++s.reads;
    for (const NumberField& row : kExchangeOrder) {
        const auto value = ParseNumber(s.texts[row.control]);
        if (!value) {
            ++s.messages;  // the rest keep their old values
            return;
        }
        s.*row.field = *value;
    }
    s.waveFactor = s.selection;
    s.instructions = s.texts[IDC_INSTRUCTIONS_TEXT];
}

void WritePass(State& s)
{
    ++s.writes;
    for (const NumberField& row : kExchangeOrder)
        s.texts[row.control] = FormatNumber(s.*row.field);
    s.selection = s.waveFactor;
    s.texts[IDC_INSTRUCTIONS_TEXT] = s.instructions;
}

bool Empty(double value)
{
    return std::isnan(value) || value == 0.0;
}

// The ratio calculator's steps, one rounded operation each.
void CalculateRatio(State& s)
{
    ReadPass(s);
    const bool noPower = Empty(s.proposedPower);
    const bool noDistance = Empty(s.proposedDistance);
    if (noPower && noDistance)
        return;
    if (!noPower && !noDistance)
        return;
    s.workPower = s.currentPower;
    s.workDistance = s.currentDistance;
    s.scale = 10.0;
    s.workDistance = s.workDistance * s.workDistance;
    s.workQuotient = s.workPower / s.workDistance;
    s.ratio = s.scale / s.workQuotient;
    if (noDistance) {
        s.workPower = s.proposedPower;
        s.scale = 10.0;
        s.workQuotient = s.scale / s.ratio;
        s.workDistance = s.workPower / s.workQuotient;
        s.workDistance = std::sqrt(s.workDistance);
        s.proposedDistance = s.workDistance;
    } else {
        s.workDistance = s.proposedDistance;
        s.scale = 10.0;
        s.workDistance = s.workDistance * s.workDistance;
        s.workQuotient = s.scale / s.ratio;
        s.workPower = s.workQuotient * s.workDistance;
        s.proposedPower = s.workPower;
    }
    WritePass(s);
}

void CalculateWavelength(State& s)
{
    ReadPass(s);
    if (Empty(s.frequency))
        return;
    s.wavelength = 984.0 / s.frequency;
    WritePass(s);
}

void CalculateAntenna(State& s)
{
    ReadPass(s);
    if (Empty(s.antennaFrequency))
        return;
    double k;
    switch (s.waveFactor) {
    case 0: k = 585.0; break;  // 5/8 wave
    case 1: k = 468.0; break;  // 1/2 wave
    case 2: k = 234.0; break;  // 1/4 wave
    case 3: k = 117.0; break;  // 1/8 wave
    default: return;           // nothing chosen, or no such entry
    }
    s.antennaLength = k / s.antennaFrequency;
    WritePass(s);
}

void Clear(State& s, double State::*field)
{
    s.*field = 0.0;
    WritePass(s);
}

void ShowHelp(State& s, const char* text)
{
    s.instructions = text;
    WritePass(s);
}

// What the notification does to the model; false when nothing should handle it.
bool Expect(State& s, int control, unsigned code)
{
    constexpr unsigned clicked = 0, listKillFocus = 4, editSetFocus = 0x100,
                       editKillFocus = 0x200;
    if (code == editSetFocus) {
        switch (control) {
        case IDC_PROPOSED_DISTANCE: Clear(s, &State::proposedPower); return true;
        case IDC_PROPOSED_POWER: Clear(s, &State::proposedDistance); return true;
        case IDC_WAVELENGTH_FREQUENCY: Clear(s, &State::wavelength); return true;
        case IDC_ANTENNA_FREQUENCY: Clear(s, &State::antennaLength); return true;
        }
        return false;
    }
    if (code == editKillFocus) {
        switch (control) {
        case IDC_CURRENT_DISTANCE:
        case IDC_CURRENT_POWER:
        case IDC_WAVELENGTH_FREQUENCY:
        case IDC_ANTENNA_FREQUENCY: ReadPass(s); return true;
        }
        return false;
    }
    if (code == listKillFocus) {
        if (control != IDC_WAVE_FACTOR)
            return false;
        ReadPass(s);
        return true;
    }
    if (code == clicked) {
        switch (control) {
        case IDC_RATIO_CALCULATE: CalculateRatio(s); return true;
        case IDC_WAVELENGTH_CALCULATE: CalculateWavelength(s); return true;
        case IDC_ANTENNA_CALCULATE: CalculateAntenna(s); return true;
        case IDC_RATIO_INSTRUCTIONS: ShowHelp(s, kRatioHelpText); return true;
        case IDC_WAVELENGTH_INSTRUCTIONS: ShowHelp(s, kWavelengthHelpText); return true;
        case IDC_ANTENNA_INSTRUCTIONS: ShowHelp(s, kAntennaHelpText); return true;
        case IDC_ABOUT: ++s.aboutRuns; return true;
        }
    }
    return false;
}

std::uint64_t Bits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Bit for bit, except that any NaN matches any other: which operand's NaN an
// operation passes on is not fixed, and every NaN shows as "nan".
bool SameNumber(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || Bits(a) == Bits(b);
}

// The steps taken so far, for the report.
std::string g_log;

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "\ndispatch: %s\nsteps:\n%s", what.c_str(), g_log.c_str());
    std::abort();
}

// A typed text for the report: printable ASCII as it is, the rest escaped.
std::string Printable(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < 40; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    if (text.size() > 40)
        out += "...";
    return out;
}

std::string Describe(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.17g (bits %016llX)", value,
                  static_cast<unsigned long long>(Bits(value)));
    return text;
}

void Compare(const State& actual, const State& expected)
{
    const struct {
        const char* name;
        double State::*field;
    } numbers[] = {
        {"m_scale", &State::scale},
        {"m_ratio", &State::ratio},
        {"m_workPower", &State::workPower},
        {"m_workDistance", &State::workDistance},
        {"m_workQuotient", &State::workQuotient},
        {"m_currentDistance", &State::currentDistance},
        {"m_currentPower", &State::currentPower},
        {"m_proposedDistance", &State::proposedDistance},
        {"m_proposedPower", &State::proposedPower},
        {"m_frequency", &State::frequency},
        {"m_wavelength", &State::wavelength},
        {"m_antennaFrequency", &State::antennaFrequency},
        {"m_antennaLength", &State::antennaLength},
    };
    for (const auto& n : numbers) {
        if (!SameNumber(actual.*n.field, expected.*n.field))
            Fail(std::string(n.name) + " is " + Describe(actual.*n.field) +
                 ", expected " + Describe(expected.*n.field));
    }
    if (actual.waveFactor != expected.waveFactor)
        Fail("m_waveFactor is " + std::to_string(actual.waveFactor) +
             ", expected " + std::to_string(expected.waveFactor));
    if (actual.instructions != expected.instructions)
        Fail("m_instructions changed unexpectedly or holds the wrong text");
    if (actual.selection != expected.selection)
        Fail("the list shows " + std::to_string(actual.selection) +
             ", expected " + std::to_string(expected.selection));
    for (const auto& [control, text] : expected.texts) {
        const auto found = actual.texts.find(control);
        if (found == actual.texts.end() || found->second != text)
            Fail("control " + std::to_string(control) + " shows the wrong text");
    }
    if (actual.texts.size() != expected.texts.size())
        Fail("the window grew a control");
    const struct {
        const char* name;
        int State::*count;
    } counts[] = {
        {"read passes", &State::reads},
        {"write passes", &State::writes},
        {"messages", &State::messages},
        {"About box runs", &State::aboutRuns},
    };
    for (const auto& c : counts) {
        if (actual.*c.count != expected.*c.count)
            Fail(std::string(c.name) + ": " + std::to_string(actual.*c.count) +
                 ", expected " + std::to_string(expected.*c.count));
    }
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

    std::string Text(std::size_t length)
    {
        const std::size_t available = m_pos < m_size ? m_size - m_pos : 0;
        if (length > available)
            length = available;
        std::string text(reinterpret_cast<const char*>(m_data + m_pos), length);
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
    // As the window starts: the opening prompt, and the whole form shown.
    form.m_instructions = kOpeningPrompt;
    window.UpdateData(false);
    g_log.clear();

    Input input(data, size);
    while (!input.AtEnd()) {
        char step[96];
        switch (input.Byte() % 5) {
        case 0: {
            const std::size_t controlSelector = input.Byte() % (kControlCount + 1);
            const int control = controlSelector < kControlCount
                                    ? kControls[controlSelector]
                                    : static_cast<int>(input.Word(2));
            const std::size_t codeSelector = input.Byte() % (kCodeCount + 1);
            const unsigned code = codeSelector < kCodeCount ? kCodes[codeSelector]
                                                            : input.Word(2);
            std::snprintf(step, sizeof step, "  notify %d, code 0x%X\n", control, code);
            g_log += step;

            State expected = Capture(form, window);
            const bool handled = Expect(expected, control, code);
            if (DispatchNotification(form, window, control, code) != handled)
                Fail(handled ? "a listed notification was not handled"
                             : "an unlisted notification was handled");
            Compare(Capture(form, window), expected);
            break;
        }
        case 1: {
            const int control = kTextControls[input.Byte() % std::size(kTextControls)];
            const std::string text = input.Text(input.Byte());
            g_log += "  type \"" + Printable(text) + "\" (" + std::to_string(text.size()) +
                     " bytes) into " + std::to_string(control) + "\n";
            window.Type(control, text);
            break;
        }
        case 2: {
            const int control = kTextControls[input.Byte() % kNumberControlCount];
            const std::uint64_t bits = input.Word(4) | std::uint64_t(input.Word(4)) << 32;
            double value;
            std::memcpy(&value, &bits, sizeof value);
            const std::string text(FormatNumber(value).view());
            std::snprintf(step, sizeof step, "  type \"%s\" into %d\n", text.c_str(), control);
            g_log += step;
            window.Type(control, text);
            break;
        }
        case 3: {
            const auto index = static_cast<std::int8_t>(input.Byte());
            std::snprintf(step, sizeof step, "  choose %d\n", index);
            g_log += step;
            window.Choose(index);
            break;
        }
        case 4: {
            const auto index = static_cast<std::int32_t>(input.Word(4));
            std::snprintf(step, sizeof step, "  choose %d\n", static_cast<int>(index));
            g_log += step;
            window.Choose(index);
            break;
        }
        }
    }
    return 0;
}
