// The two dialog templates, created for real by the dialog manager from the
// resources linked into this executable: every control's identifier, class,
// style, caption and place as the template gives them (read through the
// resource reader, so the template is the one source), the order of the
// children and of the tab stops, the window's own styles and size, the
// wave-factor list and the pictures.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "about_dlg.h"
#include "calculators.h"
#include "framework.h"
#include "identifiers.h"
#include "modal_test_support.h"
#include "resource_reader.h"

namespace {

using namespace modal_test;
using resource_reader::DialogItem;
using resource_reader::DialogTemplate;
using resource_reader::OwnDialogTemplate;

// The style bits compared: the window bits a template may set and the whole
// control-specific low word.
constexpr DWORD kControlStyleMask = WS_POPUP | WS_CHILD | WS_VISIBLE | WS_DISABLED |
                                    WS_BORDER | WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL |
                                    WS_GROUP | WS_TABSTOP | 0xFFFF;

DWORD StyleOf(HWND window)
{
    return static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE));
}

DWORD ExStyleOf(HWND window)
{
    return static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_EXSTYLE));
}

HWND DroppedListOf(HWND comboBox)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return ::GetComboBoxInfo(comboBox, &info) ? info.hwndList : nullptr;
}

// A control's style in the template's terms: an edit control draws the
// template's plain border as a sunken client edge.
DWORD StyleAsInTemplate(HWND control)
{
    DWORD style = StyleOf(control);
    if (ClassOf(control) == "Edit" && (ExStyleOf(control) & WS_EX_CLIENTEDGE))
        style |= WS_BORDER;
    return style;
}

// A combo box hands its scroll bar to its list, which drops it while every
// entry fits: that bit is left to the test of the template's bytes.
DWORD ComparedStyleBits(HWND control)
{
    DWORD compared = kControlStyleMask;
    if (ClassOf(control) == "ComboBox")
        compared &= ~static_cast<DWORD>(WS_VSCROLL);
    return compared;
}

HBITMAP PictureOf(HWND control)
{
    return reinterpret_cast<HBITMAP>(::SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// Children in z-order against the template's items in template order. The
// dialog manager maps position and size each on its own; a picture holds its
// bitmap inside its border. A combo box's window is the closed box; the
// template's height is the box dropped down, whose place and width the box
// reports (its height there is the list part alone under Wine), and which is
// checked on its own.
void ExpectControls(HWND dialog, const DialogTemplate& source)
{
    ASSERT_FALSE(source.overrun);
    const std::vector<HWND> children = ChildWindows(dialog);
    ASSERT_EQ(children.size(), source.items.size());
    ASSERT_FALSE(children.empty());
    for (std::size_t i = 0; i < children.size(); ++i) {
        const DialogItem& item = source.items[i];
        const HWND child = children[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1) + ", id " + std::to_string(static_cast<short>(item.id)));
        EXPECT_EQ(ControlId(child), static_cast<WORD>(item.id));
        EXPECT_TRUE(resource_reader::SameClass(ClassOf(child), resource_reader::ClassNameOf(item.className)))
            << ClassOf(child);
        const DWORD compared = ComparedStyleBits(child);
        EXPECT_EQ(StyleAsInTemplate(child) & compared, item.style & compared)
            << std::hex << "style 0x" << StyleOf(child);
        if (!item.title.isNumber)
            EXPECT_EQ(TextOf(child), item.title.name);

        RECT mapped{item.x, item.y, item.width, item.height};
        ::MapDialogRect(dialog, &mapped);
        const RECT actual = WindowRectInParent(child);
        const LONG width = actual.right - actual.left;
        const LONG height = actual.bottom - actual.top;
        EXPECT_EQ(actual.left, mapped.left);
        EXPECT_EQ(actual.top, mapped.top);
        if (item.title.isNumber) {
            // A picture: the inside of the sunken border is exactly the
            // bitmap's size.
            const SIZE bitmap = BitmapSize(PictureOf(child));
            EXPECT_NE(bitmap.cx, 0) << "no bitmap";
            const SIZE inside = ClientSize(child);
            EXPECT_EQ(inside.cx, bitmap.cx);
            EXPECT_EQ(inside.cy, bitmap.cy);
            EXPECT_GT(width, bitmap.cx);
        } else if (ClassOf(child) == "ComboBox") {
            EXPECT_EQ(width, mapped.right);
            RECT dropped{};
            ::SendMessageA(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            dropped = RectIn(dialog, dropped);
            EXPECT_EQ(dropped.left, mapped.left);
            EXPECT_EQ(dropped.top, mapped.top);
            EXPECT_EQ(dropped.right - dropped.left, mapped.right);
        } else {
            EXPECT_EQ(width, mapped.right);
            EXPECT_EQ(height, mapped.bottom);
        }
    }
}

// The window styles a template may set, as the window keeps them (the
// dialog manager adds DS_3DLOOK to every window: left out for the main one).
constexpr DWORD kWindowStyleBits = WS_POPUP | WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                   WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME |
                                   DS_MODALFRAME | DS_SETFONT;

// The window's own style and client size are the template's.
void ExpectWindowAsTemplate(HWND window, const DialogTemplate& source, DWORD compared)
{
    EXPECT_EQ(StyleOf(window) & compared, (source.style | WS_VISIBLE) & compared)
        << std::hex << "style 0x" << StyleOf(window);
    RECT size{0, 0, source.width, source.height};
    ::MapDialogRect(window, &size);
    EXPECT_EQ(ClientSize(window).cx, size.right);
    EXPECT_EQ(ClientSize(window).cy, size.bottom);
}

// ---------------------------------------------------------------------------
// The main window, built from template 102 by the framework's plain dialog:
// the base initialisation alone fills the wave-factor list.

TEST(CalculatorWindow, ControlsFollowTheTemplateOneByOne)
{
    CDialog dialog(IDD_CALCULATOR);
    RunAndCheck(dialog, [](HWND window) { ExpectControls(window, OwnDialogTemplate(IDD_CALCULATOR)); });
}

TEST(CalculatorWindow, IsAVisibleFixedSizeCaptionedPopup)
{
    CDialog dialog(IDD_CALCULATOR);
    RunAndCheck(dialog, [](HWND window) {
        const DialogTemplate source = OwnDialogTemplate(IDD_CALCULATOR);
        EXPECT_EQ(TextOf(window), source.title);
        ExpectWindowAsTemplate(window, source, kWindowStyleBits);
        // What the user sees of those bits: a captioned window with a
        // system menu that minimises but cannot be resized.
        EXPECT_EQ(StyleOf(window) & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME),
                  static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
        EXPECT_EQ(ExStyleOf(window) & WS_EX_APPWINDOW, static_cast<DWORD>(WS_EX_APPWINDOW));
        EXPECT_TRUE(::IsWindowVisible(window));
        EXPECT_EQ(::GetMenu(window), nullptr);

        // The template's font: its typeface and size, upright.
        LOGFONTA font{};
        const auto hfont = reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
        ASSERT_NE(::GetObjectA(hfont, sizeof font, &font), 0);
        EXPECT_EQ(font.lfFaceName, source.typeface);
        const HDC screen = ::GetDC(nullptr);
        EXPECT_EQ(font.lfHeight, -::MulDiv(source.pointSize, ::GetDeviceCaps(screen, LOGPIXELSY), 72));
        ::ReleaseDC(nullptr, screen);
        EXPECT_EQ(font.lfItalic, 0);
    });
}

// Tab goes through the controls a person acts on in the order a person
// reads the window, from the first one, which has the focus at the start,
// round to it again; the results, read-only, are left out.
TEST(CalculatorWindow, TabOrderIsTheReadingOrderSkipsTheResultFieldsAndWrapsAround)
{
    CDialog dialog(IDD_CALCULATOR);
    RunAndCheck(dialog, [&](HWND window) {
        std::vector<int> expected = support::ControlsInReadingOrder(window);
        ASSERT_FALSE(expected.empty());
        expected.push_back(expected.front());
        HWND at = ::GetFocus();
        std::vector<int> order{::GetDlgCtrlID(at)};
        while (order.size() < expected.size()) {
            at = ::GetNextDlgTabItem(window, at, FALSE);
            order.push_back(::GetDlgCtrlID(at));
        }
        EXPECT_EQ(order, expected);
    });
}

// The antenna calculator's length for entry `index` of the wave-factor
// list at 1 MHz; 0 where it gives none.
double AntennaLengthAtOneMegahertz(std::size_t index)
{
    struct : FormExchange {  // no controls: the form stays as set here
        bool UpdateData(bool) override { return true; }
        void RunAboutBox() override {}
    } noWindow;
    CalculatorForm form;
    form.m_antennaFrequency = 1.0;
    form.m_waveFactor = static_cast<std::int32_t>(index);
    OnCalculateAntenna(form, noWindow);
    return form.m_antennaLength;
}

// The share of a wave an entry names ("5/8 Wave": 0.625); 0 for other text.
double ShareOfAWave(const std::string& entry)
{
    int part = 0, whole = 0, end = 0;
    const bool read = std::sscanf(entry.c_str(), "%d/%d Wave%n", &part, &whole, &end) == 2;
    return read && end == static_cast<int>(entry.size()) && whole > 0 ? static_cast<double>(part) / whole : 0.0;
}

// The list shows the entries of the template's initialisation data in their
// order, none chosen. Each entry names the share of a wave that the antenna
// calculator's length for its index is: the length over the share is one
// and the same whole wave for every entry, and past the last entry the
// calculator has no length.
TEST(CalculatorWindow, WaveFactorListShowsItsDataEachEntryTheShareOfAWaveItsLengthIs)
{
    const std::vector<std::string> entries =
        resource_reader::DialogInitStrings(::GetModuleHandleA(nullptr), IDD_CALCULATOR, IDC_WAVE_FACTOR);
    CDialog dialog(IDD_CALCULATOR);
    RunAndCheck(dialog, [&](HWND window) {
        const HWND list = ::GetDlgItem(window, IDC_WAVE_FACTOR);
        std::vector<std::string> shown;
        const LRESULT count = ::SendMessageA(list, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[32] = "";
            ::SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            shown.push_back(text);
        }
        EXPECT_EQ(shown, entries);
        EXPECT_EQ(::SendMessageA(list, CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(TextOf(list), "");
    });

    ASSERT_FALSE(entries.empty());
    const double wave = AntennaLengthAtOneMegahertz(0) / ShareOfAWave(entries[0]);
    EXPECT_TRUE(std::isfinite(wave) && wave > 0) << '"' << entries[0] << "\": " << wave;
    for (std::size_t i = 1; i < entries.size(); ++i)
        EXPECT_EQ(AntennaLengthAtOneMegahertz(i) / ShareOfAWave(entries[i]), wave) << entries[i];
    EXPECT_EQ(AntennaLengthAtOneMegahertz(entries.size()), 0.0) << "a length past the last entry";
}

// The template's dropped-down height is there so that the open list shows
// every entry at once, and reaches no lower than it allows.
TEST(CalculatorWindow, WaveFactorListDropsDownShowingAllFourEntries)
{
    CDialog dialog(IDD_CALCULATOR);
    ModalScript script(dialog);
    script
        .Then([](HWND window) {
            ::SendDlgItemMessageA(window, IDC_WAVE_FACTOR, CB_SHOWDROPDOWN, TRUE, 0);
        })
        .Then([](HWND window) {
            const HWND combo = ::GetDlgItem(window, IDC_WAVE_FACTOR);
            const HWND list = DroppedListOf(combo);
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(::SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
            EXPECT_TRUE(::IsWindowVisible(list));
            const LRESULT itemHeight = ::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
            EXPECT_GT(itemHeight, 0);
            EXPECT_GE(ClientSize(list).cy, 4 * itemHeight);
            EXPECT_EQ(::SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);

            // No lower than the template's dropped-down height allows.
            const DialogTemplate source = OwnDialogTemplate(IDD_CALCULATOR);
            const auto item = std::find_if(source.items.begin(), source.items.end(),
                                           [](const DialogItem& i) { return i.id == IDC_WAVE_FACTOR; });
            ASSERT_NE(item, source.items.end());
            RECT box{0, item->y, 0, item->height};  // top and height of the box
            ::MapDialogRect(window, &box);
            RECT listRect{};
            ::GetWindowRect(list, &listRect);
            listRect = RectIn(window, listRect);
            EXPECT_LE(listRect.bottom, box.top + box.bottom);
            ::SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
        })
        .ThenEnd();
    EXPECT_EQ(script.Run(), ModalScript::kEndedByScript);
}

// ---------------------------------------------------------------------------
// The pictures of both windows. (Each control takes its bitmap's size,
// checked with the other controls above.)

TEST(DialogPictures, EachPictureHoldsItsBitmapAtItsOwnSize)
{
    struct Row {
        const char* name;
        UINT dialogTemplate;
        int control;
        int bitmap;
    };
    const Row rows[] = {
        {"main window's banner", IDD_CALCULATOR, IDC_BANNER, IDB_BANNER},
        {"About box's portrait", IDD_ABOUTBOX, IDC_PORTRAIT, IDB_PORTRAIT},
        {"About box's banner", IDD_ABOUTBOX, IDC_BANNER, IDB_ABOUT_BANNER},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const BITMAPINFOHEADER resource = resource_reader::BitmapHeader(::GetModuleHandleA(nullptr), row.bitmap);
        ASSERT_GT(resource.biWidth, 0);
        CDialog dialog(row.dialogTemplate);
        RunAndCheck(dialog, [&](HWND window) {
            const HWND picture = ::GetDlgItem(window, row.control);
            const HBITMAP bitmap = PictureOf(picture);
            ASSERT_NE(bitmap, nullptr);
            EXPECT_EQ(BitmapSize(bitmap).cx, resource.biWidth);
            EXPECT_EQ(BitmapSize(bitmap).cy, resource.biHeight);
        });
    }
}

// ---------------------------------------------------------------------------
// The About box, template 100.

TEST(AboutWindow, ControlsFollowTheTemplateOneByOne)
{
    CAboutDlg dialog;
    RunAndCheck(dialog, [](HWND window) { ExpectControls(window, OwnDialogTemplate(IDD_ABOUTBOX)); });
}

TEST(AboutWindow, IsAPopupWithNoTitleBar)
{
    CAboutDlg dialog;
    RunAndCheck(dialog, [](HWND window) {
        // The template leaves it hidden; the modal run shows it.
        ExpectWindowAsTemplate(window, OwnDialogTemplate(IDD_ABOUTBOX), kWindowStyleBits | DS_3DLOOK);
        EXPECT_EQ(StyleOf(window) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), 0u);
        EXPECT_EQ(ExStyleOf(window) & WS_EX_APPWINDOW, 0u);
        EXPECT_TRUE(::IsWindowVisible(window));
    });
}

}  // namespace
