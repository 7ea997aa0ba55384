// What a screen reader finds in the running program, read from this process
// through the platform's accessibility interface as a screen reader reads
// it: every control's name, role and value, and the About box's mail link.

#include <windows.h>
#include <oleacc.h>

#include <string>

#include <gtest/gtest.h>

#include "identifiers.h"
#include "narrow.h"
#include "velquor_session.h"

namespace {

struct Accessible {
    std::string name, value, defaultAction, description;
    long role = 0;
};

// The text of an answer, which is then freed.
std::string Take(BSTR text)
{
    const std::string narrow = support::Narrow({text, ::SysStringLen(text)});
    ::SysFreeString(text);
    return narrow;
}

// What the window's client object (or `which` other) answers, or a failure
// when there is none.
::testing::AssertionResult Read(HWND control, Accessible& out, DWORD which = OBJID_CLIENT)
{
    IAccessible* object = nullptr;
    const HRESULT found = ::AccessibleObjectFromWindow(control, which, __uuidof(IAccessible),
                                                       reinterpret_cast<void**>(&object));
    if (FAILED(found) || object == nullptr)
        return ::testing::AssertionFailure() << "no accessible object: " << std::hex << found;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    out.name = SUCCEEDED(object->get_accName(self, &text)) ? Take(text) : "<failed>";
    text = nullptr;
    out.value = SUCCEEDED(object->get_accValue(self, &text)) ? Take(text) : "<failed>";
    text = nullptr;
    out.defaultAction = SUCCEEDED(object->get_accDefaultAction(self, &text)) ? Take(text) : "";
    text = nullptr;
    out.description = SUCCEEDED(object->get_accDescription(self, &text)) ? Take(text) : "";
    VARIANT role{};
    out.role = SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4 ? role.lVal : -1;
    object->Release();
    return ::testing::AssertionSuccess();
}

class Accessibility : public VelquorTest {
protected:
    void SetUp() override
    {
        VelquorTest::SetUp();
        ::CoInitialize(nullptr);
    }
    void TearDown() override
    {
        ::CoUninitialize();
        VelquorTest::TearDown();
    }
};

// Every value is what the control shows, so results are read after a
// calculation has put something there; a result shown rounded has its full
// value as its description.
TEST_F(Accessibility, EveryControlHasANameRoleAndValue)
{
    ASSERT_TRUE(app.ClickAndReplaceText(IDC_WAVELENGTH_FREQUENCY, "146.52"));
    app.ClickItem(IDC_WAVELENGTH_CALCULATE);
    ASSERT_TRUE(app.Shows(IDC_WAVELENGTH, "6.715807"));
    ASSERT_TRUE(app.ChooseWithMouse(IDC_WAVE_FACTOR, 2));
    app.ClickItem(IDC_RATIO_INSTRUCTIONS);
    app.Settle();

    const long kText = ROLE_SYSTEM_TEXT;
    const long kButton = ROLE_SYSTEM_PUSHBUTTON;
    struct Row {
        int control;
        const char* name;
        long role;
        bool hasValue;  // the value is the control's text; else none
        const char* description = "";
    } const rows[] = {
        {IDC_CURRENT_POWER, "Current Power, watts", kText, true},
        {IDC_CURRENT_DISTANCE, "Current Distance, miles", kText, true},
        {IDC_PROPOSED_POWER, "Proposed Power, watts", kText, true},
        {IDC_PROPOSED_DISTANCE, "Proposed Distance, miles", kText, true},
        {IDC_RATIO_CALCULATE, "Calculate, Inverse Square Ratio Calculator", kButton, false},
        {IDC_RATIO_INSTRUCTIONS, "Instructions, Inverse Square Ratio Calculator", kButton, false},
        {IDC_WAVELENGTH_FREQUENCY, "Frequency, MHz, Wavelength Calculator", kText, true},
        {IDC_WAVELENGTH, "Wavelength, feet", kText, true, "6.715806715806715"},
        {IDC_WAVELENGTH_CALCULATE, "Calculate, Wavelength Calculator", kButton, false},
        {IDC_WAVELENGTH_INSTRUCTIONS, "Instructions, Wavelength Calculator", kButton, false},
        {IDC_ANTENNA_FREQUENCY, "Frequency, MHz, Antenna Length Calculator", kText, true},
        {IDC_WAVE_FACTOR, "Wave Factor", ROLE_SYSTEM_COMBOBOX, true},
        {IDC_ANTENNA_LENGTH, "Antenna Length, feet", kText, true},
        {IDC_ANTENNA_CALCULATE, "Calculate, Antenna Length Calculator", kButton, false},
        {IDC_ANTENNA_INSTRUCTIONS, "Instructions, Antenna Length Calculator", kButton, false},
        {IDC_ABOUT, "About", kButton, false},
        {IDOK, "Exit", kButton, false},
        {IDC_INSTRUCTIONS_TEXT, "Instructions", ROLE_SYSTEM_STATICTEXT, true},
        {IDC_BANNER, "VelQUOR, Radiowave Properties Calculator", ROLE_SYSTEM_GRAPHIC, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Accessible found;
        ASSERT_TRUE(Read(app.Item(row.control), found));
        EXPECT_EQ(found.name, row.name);
        EXPECT_EQ(found.role, row.role);
        EXPECT_EQ(found.value, row.hasValue ? app.Text(row.control) : "");
        EXPECT_EQ(found.defaultAction, row.role == kButton ? "Press" : "");
        EXPECT_EQ(found.description, row.description);
    }
    EXPECT_EQ(app.Text(IDC_WAVE_FACTOR), "1/4 Wave");
}

// The About box has no caption: its name is said for it, by its window and
// its client alike.
TEST_F(Accessibility, AboutBoxIsNamedAndItsAddressIsAMailLink)
{
    app.ClickItem(IDC_ABOUT);
    const HWND about = app.WaitForAboutBox();
    ASSERT_NE(about, nullptr) << "no About box";
    for (const DWORD which : {OBJID_WINDOW, OBJID_CLIENT}) {
        Accessible box;
        ASSERT_TRUE(Read(about, box, which));
        EXPECT_EQ(box.name, "About VelQUOR") << "object " << static_cast<LONG>(which);
    }
    // Both are named by the address the box shows, and lead to it.
    const std::string address = VelquorSession::ChildText(about, IDC_MAIL_ADDRESS);
    ASSERT_NE(address, "");
    for (const int control : {IDC_MAIL_ADDRESS, IDC_PORTRAIT}) {
        SCOPED_TRACE(control);
        Accessible found;
        ASSERT_TRUE(Read(::GetDlgItem(about, control), found));
        EXPECT_EQ(found.name, address);
        EXPECT_EQ(found.role, ROLE_SYSTEM_LINK);
        EXPECT_EQ(found.value, "mailto:" + address);
        EXPECT_EQ(found.defaultAction, "Open");
    }
    Accessible close;
    ASSERT_TRUE(Read(::GetDlgItem(about, IDOK), close));
    EXPECT_EQ(close.name, "Close");
    EXPECT_EQ(close.role, ROLE_SYSTEM_PUSHBUTTON);
}

}  // namespace
