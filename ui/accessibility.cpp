#include "accessibility.h"

#include <oleacc.h>

#include "about_dlg.h"
#include "accessible.h"
#include "control_names.h"
#include "identifiers.h"

namespace {

// Appends `text` to the zero-ended string in `out`, cutting it short
// rather than running past the end.
template <std::size_t N>
void Append(char (&out)[N], const char* text)
{
    std::size_t at = 0;
    while (at < N - 1 && out[at] != '\0')
        ++at;
    while (at < N - 1 && *text != '\0')
        out[at++] = *text++;
    out[at] = '\0';
}

bool LabelRepeats(const ControlName& row)
{
    int same = 0;
    for (const ControlName& other : kControlNames)
        same += lstrcmpA(other.label, row.label) == 0 ? 1 : 0;
    return same > 1;
}

// "Current Power, watts", "Frequency, MHz, Wavelength Calculator",
// "Calculate, Antenna Length Calculator", "Wave Factor".
template <std::size_t N>
void AccessibleName(const ControlName& row, char (&out)[N])
{
    out[0] = '\0';
    Append(out, row.label);
    if (row.unit != nullptr) {
        Append(out, ", ");
        Append(out, row.unit);
    }
    if (row.calculator != nullptr && LabelRepeats(row)) {
        Append(out, ", ");
        Append(out, row.calculator);
    }
}

// Roles as Windows' standard objects give them; Wine's call buttons and
// lists "client". A list and the Instructions pane say what they show as
// their value, since their name is now the label.
void SetRoleByClass(HWND control, AccessibleOverride& what)
{
    char className[16] = "";
    ::GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Button") == 0) {
        what.role = ROLE_SYSTEM_PUSHBUTTON;
    } else if (lstrcmpiA(className, "ComboBox") == 0) {
        what.role = ROLE_SYSTEM_COMBOBOX;
        what.textIsValue = true;
    } else if (lstrcmpiA(className, "Static") == 0) {
        what.role = ROLE_SYSTEM_STATICTEXT;
        what.textIsValue = true;
    }
}

// The banner is a picture whose text would otherwise be read as the bytes
// of its resource number; Exit and Close keep their captions as names.
void ExposeBannerAndCloseButton(HWND dialog)
{
    AccessibleOverride banner;
    banner.name = "VelQUOR, Radiowave Properties Calculator";
    banner.role = ROLE_SYSTEM_GRAPHIC;
    ExposeAccessible(::GetDlgItem(dialog, IDC_BANNER), banner);

    const HWND close = ::GetDlgItem(dialog, IDOK);
    AccessibleOverride button;
    SetRoleByClass(close, button);
    ExposeAccessible(close, button);
}

}  // namespace

void ExposeMainWindowControls(HWND dialog)
{
    for (const ControlName& row : kControlNames) {
        const HWND control = ::GetDlgItem(dialog, row.control);
        char name[128];
        AccessibleName(row, name);
        AccessibleOverride what;
        what.name = name;
        SetRoleByClass(control, what);
        ExposeAccessible(control, what);
    }
    ExposeBannerAndCloseButton(dialog);
}

void ExposeAboutBoxControls(HWND about)
{
    char address[64] = "";
    ::GetDlgItemTextA(about, IDC_MAIL_ADDRESS, address, sizeof address);
    AccessibleOverride link;
    link.name = address;
    link.role = ROLE_SYSTEM_LINK;
    link.value = kMailLink;
    link.defaultAction = "Open";
    ExposeAccessible(::GetDlgItem(about, IDC_MAIL_ADDRESS), link);
    ExposeAccessible(::GetDlgItem(about, IDC_PORTRAIT), link);
    ExposeBannerAndCloseButton(about);
}

// ---------------------------------------------------------------------------

// The fields a Calculate button may fill. Where there are two, it fills the
// one that was empty when it read the form.
struct ResultFields {
    int button;
    int fields[2];  // 0: none
};

namespace {

constexpr ResultFields kResultFields[] = {
    {IDC_RATIO_CALCULATE, {IDC_PROPOSED_DISTANCE, IDC_PROPOSED_POWER}},
    {IDC_WAVELENGTH_CALCULATE, {IDC_WAVELENGTH, 0}},
    {IDC_ANTENNA_CALCULATE, {IDC_ANTENNA_LENGTH, 0}},
};

const ResultFields* FindResultFields(int button)
{
    for (const ResultFields& row : kResultFields)
        if (row.button == button)
            return &row;
    return nullptr;
}

double CalculatorForm::*NumberOf(int control)
{
    for (const ExchangeRow& row : kExchangeTable)
        if (row.control == control && row.kind == ExchangeKind::Number)
            return row.number;
    return nullptr;
}

}  // namespace

ResultAnnouncer::ResultAnnouncer(FormExchange& window, const CalculatorForm& form, HWND dialog,
                                 int control)
    : m_window(window), m_form(form), m_dialog(dialog), m_results(FindResultFields(control))
{
}

bool ResultAnnouncer::UpdateData(bool saveAndValidate)
{
    const bool done = m_window.UpdateData(saveAndValidate);
    if (m_results == nullptr)
        return done;
    if (saveAndValidate && !m_read) {
        m_read = true;
        for (int i = 0; i < 2; ++i) {
            const auto number = m_results->fields[i] != 0 ? NumberOf(m_results->fields[i]) : nullptr;
            m_wasEmpty[i] = number != nullptr && IsEmpty(m_form.*number);
        }
    } else if (!saveAndValidate) {
        m_wrote = true;
    }
    return done;
}

void ResultAnnouncer::Announce() const
{
    if (m_results == nullptr || !m_wrote)
        return;
    int field = m_results->fields[0];
    if (m_results->fields[1] != 0)
        field = m_wasEmpty[0] ? m_results->fields[0] : m_wasEmpty[1] ? m_results->fields[1] : 0;
    const ControlName* name = FindControlName(field);
    if (name == nullptr)
        return;

    // The number as the field shows it, whatever form the window gives it.
    const HWND control = ::GetDlgItem(m_dialog, field);
    char shown[64] = "";
    ::GetWindowTextA(control, shown, sizeof shown);
    char text[128] = "";
    Append(text, name->label);
    Append(text, " ");
    Append(text, shown);
    if (name->unit != nullptr) {
        Append(text, " ");
        Append(text, name->unit);
    }
    AnnounceToScreenReader(control, text);
}
