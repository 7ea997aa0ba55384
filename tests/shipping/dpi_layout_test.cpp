// How the two dialogs come out at the display's DPI. Each is created for real
// from the program's resources, which are linked into this test as they are
// into VelQUOR.exe (manifest included), and checked from inside its own modal
// run: the dialog's own fonts can be measured only in its own process. The
// Wine prefix the test runs in fixes the DPI (see CMakeLists.txt), and
// VELQUOR_EXPECTED_DPI says which it is.
//
// The last test starts VelQUOR.exe itself and checks that it lays out exactly
// as the dialog checked here.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "about_dlg.h"
#include "calculator_dlg.h"
#include "calculator_table.h"
#include "help_texts.h"
#include "form_exchange.h"
#include "rounded_number.h"
#include "identifiers.h"
#include "modal_test_support.h"
#include "paths.h"
#include "picture.h"
#include "program.h"
#include "resource_reader.h"
#include "text_fit.h"
#include "window_query.h"

// Sizes compare and print as sizes in the checks below.
inline bool operator==(const SIZE& a, const SIZE& b)
{
    return a.cx == b.cx && a.cy == b.cy;
}

inline void PrintTo(const SIZE& size, std::ostream* out)
{
    *out << size.cx << " x " << size.cy;
}

namespace {

int ExpectedDpi()
{
    const char* value = std::getenv("VELQUOR_EXPECTED_DPI");
    return value != nullptr ? std::atoi(value) : 0;
}

std::string DpiName()
{
    return std::to_string(ExpectedDpi()) + "dpi";
}

// ---------------------------------------------------------------------------
// Reading windows

using support::BitmapSize;
using support::ClassOf;
using support::ClientSize;
using support::ControlId;
using support::Describe;
using support::FontOf;
using support::IsButtonOfKind;
using support::MeasureText;
using support::MetricsOf;
using support::StaticTextCutOff;
using support::TextOf;
using support::TextsCutOff;

// A control's window rectangle in its dialog's client coordinates.
RECT RectInDialog(HWND control)
{
    return support::WindowRectInParent(control);
}

// The dialog's controls in z-order, which for a dialog is template order.
std::vector<HWND> ControlsOf(HWND dialog)
{
    return support::ChildWindows(dialog);
}

std::string Describe(const RECT& rect)
{
    return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ")-(" +
           std::to_string(rect.right) + ", " + std::to_string(rect.bottom) + ")";
}

std::string Describe(SIZE size)
{
    return std::to_string(size.cx) + " x " + std::to_string(size.cy);
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// ---------------------------------------------------------------------------
// A modal run with checks inside it

// Runs `dialog` modally and, once it is on screen, paints it whole, hands
// it to `check` and ends the run.
void RunChecked(CDialog& dialog, const std::function<void(HWND)>& check)
{
    modal_test::RunAndCheck(dialog, [&](HWND window) {
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        check(window);
    });
}

template <class Dialog>
void RunDialog(const std::function<void(HWND)>& check)
{
    Dialog dialog;
    RunChecked(dialog, check);
}

constexpr auto RunMainWindow = &RunDialog<CCalculatorDlg>;

// ---------------------------------------------------------------------------
// Which control belongs to which group

// Every control of the main window with the group box it belongs in (null
// for the ones outside every group). A calculator's group holds what the
// calculator table names for it, and beside each field the label that
// shows the field's words; the Instructions group holds the pane. Fails the
// test when a control belongs nowhere or a named one is missing.
std::map<HWND, HWND> GroupOfEachControl(HWND dialog)
{
    std::map<HWND, HWND> groupOf;
    const auto place = [&](int id, HWND group) {
        const HWND control = ::GetDlgItem(dialog, id);
        EXPECT_NE(control, nullptr) << "no control " << id;
        if (control != nullptr)
            groupOf[control] = group;
    };
    // Labels are found by their words, in template order: two fields are
    // labelled "Frequency", the first in the first group that asks.
    const auto placeLabel = [&](const char* words, HWND group) {
        for (HWND control : ControlsOf(dialog)) {
            if (ClassOf(control) == "Static" && groupOf.count(control) == 0 && TextOf(control) == words) {
                groupOf[control] = group;
                return;
            }
        }
        ADD_FAILURE() << "no label \"" << words << "\"";
    };
    const auto groupBox = [&](int id) {
        const HWND group = ::GetDlgItem(dialog, id);
        EXPECT_NE(group, nullptr) << "no group box " << id;
        groupOf[group] = nullptr;
        return group;
    };

    ForEachNamedControl([&](const Calculator* calculator, const NamedControl& named) {
        if (calculator == nullptr)
            return;
        const HWND group = groupBox(calculator->group);
        place(named.control, group);
        // A button's words are its own caption.
        if (ClassOf(::GetDlgItem(dialog, named.control)) != "Button")
            placeLabel(named.label, group);
    });
    place(IDC_INSTRUCTIONS_TEXT, groupBox(IDC_INSTRUCTIONS_GROUP));
    for (int outside : {IDC_BANNER, IDC_ABOUT, IDOK})
        place(outside, nullptr);
    for (HWND control : ControlsOf(dialog))
        EXPECT_EQ(groupOf.count(control), 1u) << Describe(control) << " belongs to no group here";
    return groupOf;
}

// The inside of a group box: below its caption and within its frame.
RECT InsideOfGroup(HWND group)
{
    const RECT frame = RectInDialog(group);
    const LONG caption = MetricsOf(FontOf(group)).tmHeight;
    return {frame.left + ::GetSystemMetrics(SM_CXEDGE), frame.top + caption,
            frame.right - ::GetSystemMetrics(SM_CXEDGE), frame.bottom - ::GetSystemMetrics(SM_CYEDGE)};
}

// ---------------------------------------------------------------------------
// Pictures

struct PictureExpectation {
    int control;
    int bitmap;
    SIZE size;
};

// The static shows bitmap resource `expected.bitmap` at its own pixel size,
// nothing scaled: the bitmap it holds has the resource's size, the control
// is sized to that bitmap, and each pixel of its client area is the
// resource's pixel at the same place. The control's window is either the
// bitmap's size (as Wine sizes it: the sunken frame then covers the
// bitmap's last two columns and rows) or the bitmap's size plus the frame.
void ExpectPictureAtItsOwnSize(HWND dialog, const PictureExpectation& expected)
{
    const HWND control = ::GetDlgItem(dialog, expected.control);
    ASSERT_NE(control, nullptr);
    const auto shown = reinterpret_cast<HBITMAP>(::SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_EQ(BitmapSize(shown), expected.size)
        << "the bitmap is " << Describe(BitmapSize(shown)) << ", expected " << Describe(expected.size);

    const RECT window = RectInDialog(control);
    const SIZE outer{window.right - window.left, window.bottom - window.top};
    const SIZE client = ClientSize(control);
    const SIZE frame{outer.cx - client.cx, outer.cy - client.cy};
    const SIZE framed{expected.size.cx + frame.cx, expected.size.cy + frame.cy};
    EXPECT_TRUE(outer == expected.size || outer == framed)
        << "the picture's control is " << Describe(outer) << " with a frame of " << Describe(frame)
        << ", for a bitmap of " << Describe(expected.size);

    const auto original = static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(expected.bitmap), IMAGE_BITMAP,
                     0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(original, nullptr);
    const support::Picture wanted = support::PictureOfBitmap(original);
    ::DeleteObject(original);
    ASSERT_EQ(wanted.width, expected.size.cx);
    ASSERT_EQ(wanted.height, expected.size.cy);

    const support::Picture onScreen = support::CopyClientArea(control);
    ASSERT_EQ(onScreen.width, client.cx);
    ASSERT_EQ(onScreen.height, client.cy);
    ASSERT_LE(client.cx, wanted.width);
    ASSERT_LE(client.cy, wanted.height);
    int differing = 0;
    int firstX = -1;
    int firstY = -1;
    for (int y = 0; y < onScreen.height; ++y) {
        for (int x = 0; x < onScreen.width; ++x) {
            if (std::equal(wanted.Pixel(x, y), wanted.Pixel(x, y) + 3, onScreen.Pixel(x, y)))
                continue;
            if (differing++ == 0) {
                firstX = x;
                firstY = y;
            }
        }
    }
    if (differing == 0)
        return;
    // Say whether what is shown is the bitmap squeezed into the client area.
    for (int mode : {COLORONCOLOR, BLACKONWHITE, HALFTONE}) {
        HDC screen = ::GetDC(nullptr);
        HDC source = ::CreateCompatibleDC(screen);
        HDC target = ::CreateCompatibleDC(screen);
        HBITMAP squeezed = ::CreateCompatibleBitmap(screen, client.cx, client.cy);
        const auto loaded = static_cast<HBITMAP>(
            ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(expected.bitmap), IMAGE_BITMAP, 0, 0, 0));
        HGDIOBJ oldSource = ::SelectObject(source, loaded);
        HGDIOBJ oldTarget = ::SelectObject(target, squeezed);
        ::SetStretchBltMode(target, mode);
        ::StretchBlt(target, 0, 0, client.cx, client.cy, source, 0, 0, expected.size.cx, expected.size.cy, SRCCOPY);
        ::SelectObject(source, oldSource);
        ::SelectObject(target, oldTarget);
        const support::Picture candidate = support::PictureOfBitmap(squeezed);
        ::DeleteObject(squeezed);
        ::DeleteObject(loaded);
        ::DeleteDC(source);
        ::DeleteDC(target);
        ::ReleaseDC(nullptr, screen);
        if (candidate.bgr == onScreen.bgr && client.cx != expected.size.cx) {
            ADD_FAILURE() << "bitmap " << expected.bitmap << " (" << Describe(expected.size)
                          << ") is shown squeezed into the " << Describe(client)
                          << " client area: it is exactly what StretchBlt makes of it in stretch mode "
                          << (mode == COLORONCOLOR ? "COLORONCOLOR" : mode == BLACKONWHITE ? "BLACKONWHITE" : "HALFTONE");
            break;
        }
    }
    const unsigned char* want = wanted.Pixel(firstX, firstY);
    const unsigned char* got = onScreen.Pixel(firstX, firstY);
    ADD_FAILURE() << differing << " pixels of bitmap " << expected.bitmap
                  << " are shown differently; the first at (" << firstX << ", " << firstY
                  << ") is BGR " << int(got[0]) << "," << int(got[1]) << "," << int(got[2]) << " for "
                  << int(want[0]) << "," << int(want[1]) << "," << int(want[2])
                  << "; both pictures are kept beside the screenshots";
    const std::string folder = support::WindowsPath(VELQUOR_SHIPPING_ARTIFACTS);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string stem = folder + "\\bitmap-" + std::to_string(expected.bitmap) + "-" + DpiName();
    support::WriteBmp(stem + "-resource.bmp", wanted);
    support::WriteBmp(stem + "-shown.bmp", onScreen);
}

// A picture of the dialog as it is, kept for a test that has failed so far:
// passing runs write nothing.
void KeepPicture(HWND dialog, const std::string& name)
{
    if (!::testing::Test::HasFailure())
        return;
    const std::string folder = support::WindowsPath(VELQUOR_SHIPPING_ARTIFACTS);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + name + "-" + DpiName() + ".bmp";
    EXPECT_TRUE(support::WriteBmp(path, support::CopyClientArea(dialog))) << "cannot write " << path;
}

// ---------------------------------------------------------------------------
// The display

TEST(Display, HasTheDpiThePrefixWasGiven)
{
    ASSERT_NE(ExpectedDpi(), 0) << "VELQUOR_EXPECTED_DPI is not set";
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(::GetDeviceCaps(screen, LOGPIXELSX), ExpectedDpi());
    EXPECT_EQ(::GetDeviceCaps(screen, LOGPIXELSY), ExpectedDpi());
    ::ReleaseDC(nullptr, screen);
}

// The manifest's setting reaches the process: its activation context, made
// from the manifest linked in with the resources, says it is DPI-aware.
// (Wine 8 treats every process as DPI-aware, manifest or not; Windows treats
// one without the setting as unaware and stretches its windows.)
TEST(Display, TheTestRunsWithTheProgramsManifestAndIsDpiAware)
{
    wchar_t value[16] = L"";
    SIZE_T written = 0;
    ASSERT_TRUE(::QueryActCtxSettingsW(0, nullptr, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                                       L"dpiAware", value, 16, &written))
        << "error " << ::GetLastError();
    EXPECT_EQ(std::wstring(value), L"true");
    EXPECT_TRUE(::IsProcessDPIAware());
}

// ---------------------------------------------------------------------------
// The main window

TEST(MainWindow, DialogFontIsTheTemplatesAtTheDisplaysDpi)
{
    const resource_reader::DialogTemplate source = resource_reader::OwnDialogTemplate(IDD_CALCULATOR);
    ASSERT_NE(source.pointSize, 0);
    RunMainWindow([&](HWND dialog) {
        LOGFONTA font{};
        ASSERT_NE(::GetObjectA(FontOf(dialog), sizeof font, &font), 0);
        EXPECT_EQ(font.lfHeight, -::MulDiv(source.pointSize, ExpectedDpi(), 72));
        EXPECT_EQ(font.lfFaceName, source.typeface);
    });
}

TEST(MainWindow, EveryControlLiesInsideItsGroupBox)
{
    RunMainWindow([](HWND dialog) {
        for (const auto& [control, group] : GroupOfEachControl(dialog)) {
            if (group == nullptr)
                continue;
            const RECT inside = InsideOfGroup(group);
            const RECT rect = RectInDialog(control);
            EXPECT_TRUE(Contains(inside, rect))
                << Describe(control) << " at " << Describe(rect) << " is not inside "
                << Describe(group) << ", whose inside is " << Describe(inside);
        }
    });
}

TEST(MainWindow, ControlsOutsideTheGroupBoxesOverlapNoOther)
{
    RunMainWindow([](HWND dialog) {
        std::vector<HWND> controls;
        for (HWND control : ControlsOf(dialog))
            if (!IsButtonOfKind(control, {BS_GROUPBOX}))
                controls.push_back(control);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                const RECT a = RectInDialog(controls[i]);
                const RECT b = RectInDialog(controls[j]);
                RECT common{};
                EXPECT_FALSE(::IntersectRect(&common, &a, &b))
                    << Describe(controls[i]) << " at " << Describe(a) << " overlaps "
                    << Describe(controls[j]) << " at " << Describe(b);
            }
        }
    });
}

// The pane neither scrolls nor grows: a help text longer than it is cut off
// at its bottom edge. The opening prompt and the wavelength text fit; the
// two longer texts lose their last line in this font, by design.
TEST(MainWindow, InstructionTextsFillThePaneWhichKeepsItsSize)
{
    RunMainWindow([](HWND dialog) {
        const HWND pane = ::GetDlgItem(dialog, IDC_INSTRUCTIONS_TEXT);
        ASSERT_NE(pane, nullptr);
        const RECT paneRect = RectInDialog(pane);
        EXPECT_EQ(TextOf(pane), kOpeningPrompt);
        const std::string opening = StaticTextCutOff(pane, TextOf(pane), FontOf(pane));
        EXPECT_TRUE(opening.empty()) << opening;

        const struct {
            int button;
            const char* text;
            bool fits;
        } buttons[] = {
            {IDC_RATIO_INSTRUCTIONS, kRatioHelpText, false},
            {IDC_WAVELENGTH_INSTRUCTIONS, kWavelengthHelpText, true},
            {IDC_ANTENNA_INSTRUCTIONS, kAntennaHelpText, false},
        };
        for (const auto& [button, text, fits] : buttons) {
            ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
            EXPECT_EQ(TextOf(pane), text) << "after the Instructions button " << button;
            const std::string problem = StaticTextCutOff(pane, TextOf(pane), FontOf(pane));
            if (fits)
                EXPECT_TRUE(problem.empty()) << "after the Instructions button " << button << ": " << problem;
            const RECT now = RectInDialog(pane);
            EXPECT_TRUE(EqualRect(&now, &paneRect)) << "the pane moved or grew: " << Describe(now);
            ::UpdateWindow(pane);
            KeepPicture(dialog, "instructions-" + std::to_string(button));
        }
    });
}

TEST(MainWindow, WaveFactorEntriesFitTheList)
{
    RunMainWindow([](HWND dialog) {
        const HWND list = ::GetDlgItem(dialog, IDC_WAVE_FACTOR);
        ASSERT_NE(list, nullptr);
        const HFONT font = FontOf(list);
        const LRESULT fieldHeight = ::SendMessageA(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        EXPECT_GE(fieldHeight, MetricsOf(font).tmHeight);
        const LONG room = ClientSize(list).cx - ::GetSystemMetrics(SM_CXVSCROLL) -
                          2 * ::GetSystemMetrics(SM_CXEDGE);
        const LRESULT count = ::SendMessageA(list, CB_GETCOUNT, 0, 0);
        EXPECT_EQ(count, 4);
        for (LRESULT i = 0; i < count; ++i) {
            char entry[64] = "";
            ::SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
            const SIZE needed = MeasureText(font, entry, 0, DT_SINGLELINE);
            EXPECT_LE(needed.cx, room) << "\"" << entry << "\" needs " << needed.cx << " pixels";
        }
    });
}

// A number's width in its field's own font.
int WidthInField(HWND edit, const std::string& text)
{
    HDC dc = ::GetDC(edit);
    HGDIOBJ old = ::SelectObject(dc, FontOf(edit));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(edit, dc);
    return size.cx;
}

int SignificantDigits(const std::string& text)
{
    int digits = 0;
    bool leading = true;
    for (char c : text.substr(0, text.find('e'))) {
        if (c >= '1' && c <= '9')
            leading = false;
        if (c >= '0' && c <= '9' && !leading)
            ++digits;
    }
    return digits;
}

std::string Rounded(double value, int digits)
{
    char text[kRoundedNumberSize];
    FormatRounded(value, digits, text);
    return text;
}

// Every number shown in a field fits the field's visible width in its own
// font, with room for the caret after it (the field with the focus does
// not scroll): the shortest text where that fits, otherwise the value
// rounded to the most digits that fit, the exponent whole.
TEST(MainWindow, EveryNumberFitsItsFieldRoundedToTheMostDigitsThatFit)
{
    const double values[] = {1.1111111111111112e-05, 984.0 / 7, 585.0 / 142, 984.0 / 146.52,
                             -1.2345678901234567e+300, -2.2250738585072014e-308, 146.52, 1968};
    CCalculatorDlg dialog;
    RunChecked(dialog, [&](HWND window) {
        for (const ExchangeRow& row : kExchangeTable) {
            if (row.kind != ExchangeKind::Number)
                continue;
            const HWND edit = ::GetDlgItem(window, row.control);
            ::SetFocus(edit);
            RECT format{};
            ::SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
            const int width = format.right - format.left;
            for (double value : values) {
                dialog.m_form.*row.number = value;
                dialog.UpdateData(false);
                const std::string shown = TextOf(edit);
                SCOPED_TRACE(Describe(edit) + ", " + Rounded(value, kAllDigits));
                EXPECT_LT(WidthInField(edit, shown), width);
                EXPECT_GE(static_cast<short>(LOWORD(::SendMessageA(edit, EM_POSFROMCHAR, 0, 0))),
                          format.left) << "the field scrolled";
                const int digits = SignificantDigits(shown);
                EXPECT_EQ(shown, Rounded(value, digits));
                for (int more = digits + 1; more <= kAllDigits; ++more) {
                    const std::string longer = Rounded(value, more);
                    if (longer != shown) {
                        EXPECT_GE(WidthInField(edit, longer), width) << longer << " fits too";
                        break;
                    }
                }
            }
        }
    });
}

// ---------------------------------------------------------------------------
// Both dialogs

// Every control lies inside the client area, no label, button or caption
// is cut off, and each picture is drawn at its own pixel size.
TEST(BothDialogs, KeepTheirControlsInsideTheirTextsWholeAndTheirPicturesUnscaled)
{
    const struct {
        const char* name;  // also the kept picture's
        void (*run)(const std::function<void(HWND)>&);
        std::size_t controls;
        std::vector<PictureExpectation> pictures;
    } dialogs[] = {
        {"main-window", RunMainWindow, 32, {{IDC_BANNER, IDB_BANNER, {462, 81}}}},
        {"about-box", RunDialog<CAboutDlg>, 6,
         {{IDC_PORTRAIT, IDB_PORTRAIT, {90, 108}}, {IDC_BANNER, IDB_ABOUT_BANNER, {295, 52}}}},
    };
    for (const auto& row : dialogs) {
        SCOPED_TRACE(row.name);
        row.run([&](HWND dialog) {
            const SIZE client = ClientSize(dialog);
            const RECT area{0, 0, client.cx, client.cy};
            const std::vector<HWND> controls = ControlsOf(dialog);
            EXPECT_EQ(controls.size(), row.controls);
            for (HWND control : controls) {
                const RECT rect = RectInDialog(control);
                EXPECT_TRUE(Contains(area, rect)) << Describe(control) << " at " << Describe(rect)
                                                  << " reaches out of the client area "
                                                  << Describe(client);
            }
            for (const std::string& problem : TextsCutOff(dialog))
                ADD_FAILURE() << problem;
            for (const PictureExpectation& picture : row.pictures)
                ExpectPictureAtItsOwnSize(dialog, picture);
            KeepPicture(dialog, row.name);
        });
    }
}

// ---------------------------------------------------------------------------
// VelQUOR.exe itself

struct Placed {
    WORD id;
    std::string className;
    RECT rect;

    bool operator==(const Placed& other) const
    {
        return id == other.id && className == other.className && ::EqualRect(&rect, &other.rect);
    }
};

std::ostream& operator<<(std::ostream& out, const Placed& placed)
{
    return out << static_cast<short>(placed.id) << " " << placed.className << " " << Describe(placed.rect);
}

std::vector<Placed> Layout(HWND dialog)
{
    std::vector<Placed> layout;
    for (HWND control : ControlsOf(dialog))
        layout.push_back({ControlId(control), ClassOf(control), RectInDialog(control)});
    return layout;
}

TEST(VelquorExe, LaysOutExactlyAsTheCheckedDialog)
{
    SIZE checkedClient{};
    std::vector<Placed> checkedLayout;
    RunMainWindow([&](HWND dialog) {
        checkedClient = ClientSize(dialog);
        checkedLayout = Layout(dialog);
    });
    ASSERT_EQ(checkedLayout.size(), 32u);

    support::Program program;
    ASSERT_TRUE(program.Start(support::WindowsPath(VELQUOR_EXE_PATH), "VelQUOR")) << program.Error();
    // Geometry is readable across processes; wait for the dialog manager to
    // have finished creating the window (it answers messages then).
    support::Answers(program.Main(), 5000);
    EXPECT_EQ(ClientSize(program.Main()), checkedClient);
    EXPECT_EQ(Layout(program.Main()), checkedLayout);
    EXPECT_EQ(program.CloseWithDefaultButton(), std::optional<DWORD>(0)) << "VelQUOR.exe did not end on Exit";
}

}  // namespace
