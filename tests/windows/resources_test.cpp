// The resources as they are built into the executables: read back from the
// module, byte by byte where the format is ours to fix, and through the
// platform's own readers (version API, string loader, dialog manager)
// where that is how the program and the shell see them.
//
// Most tests run twice: on this test program, which links the same compiled
// resource script, and on the shipped VelQUOR.exe, loaded as a data file.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "about_dlg.h"
#include "calculator_table.h"
#include "framework.h"
#include "identifiers.h"
#include "paths.h"
#include "resource_reader.h"
#include "version_block.h"

namespace {

using namespace resource_reader;

std::string ThisProgramPath()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

enum class Target { ThisTestProgram, ShippedProgram };

void PrintTo(Target target, std::ostream* out)
{
    *out << (target == Target::ThisTestProgram ? "this test program" : "VelQUOR.exe");
}

std::string TargetName(const ::testing::TestParamInfo<Target>& info)
{
    return info.param == Target::ThisTestProgram ? "ThisTestProgram" : "VelQUOR";
}

class BuiltResources : public ::testing::TestWithParam<Target> {
protected:
    void SetUp() override
    {
        if (GetParam() == Target::ThisTestProgram) {
            m_path = ThisProgramPath();
            m_module = ::GetModuleHandleA(nullptr);
        } else {
            m_path = support::WindowsPath(VELQUOR_EXE_PATH);
            m_loaded = ::LoadLibraryExA(m_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
            m_module = m_loaded;
        }
        ASSERT_NE(m_module, nullptr) << m_path << ": error " << ::GetLastError();
    }

    void TearDown() override
    {
        if (m_loaded != nullptr)
            ::FreeLibrary(m_loaded);
    }

    std::string m_path;
    HMODULE m_module = nullptr;
    HMODULE m_loaded = nullptr;
};

INSTANTIATE_TEST_SUITE_P(, BuiltResources,
                         ::testing::Values(Target::ThisTestProgram, Target::ShippedProgram),
                         TargetName);

// ---------------------------------------------------------------------------
// The catalogue: every resource, by type, number and language.

using ResourceKey = std::tuple<int, int, int>;  // type, name, language

struct Inventory {
    HMODULE module;
    std::set<ResourceKey> keys;
    std::vector<std::string> named;  // anything known by a name, not a number
};

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param)
{
    auto* inventory = reinterpret_cast<Inventory*>(param);
    if (IS_INTRESOURCE(type) && IS_INTRESOURCE(name))
        inventory->keys.insert({static_cast<int>(reinterpret_cast<ULONG_PTR>(type)),
                                static_cast<int>(reinterpret_cast<ULONG_PTR>(name)), language});
    else
        inventory->named.push_back(IS_INTRESOURCE(name) ? "a type with a name" : name);
    return TRUE;
}

BOOL CALLBACK AddName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param)
{
    ::EnumResourceLanguagesA(module, type, name, &AddLanguage, param);
    return TRUE;
}

BOOL CALLBACK AddType(HMODULE module, LPSTR type, LONG_PTR param)
{
    ::EnumResourceNamesA(module, type, &AddName, param);
    return TRUE;
}

#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD iconId;
};
#pragma pack(pop)

std::vector<GroupIconEntry> IconGroupEntries(HMODULE module, int group)
{
    Reader in(Find(module, 14 /* RT_GROUP_ICON */, group));
    const auto header = in.Read<GroupIconHeader>();
    std::vector<GroupIconEntry> entries;
    for (WORD i = 0; i < header.count && !in.Overrun(); ++i)
        entries.push_back(in.Read<GroupIconEntry>());
    return entries;
}

TEST_P(BuiltResources, CatalogueHoldsExactlyTheProgramsResourcesAllInUsEnglish)
{
    Inventory inventory{m_module, {}, {}};
    ASSERT_TRUE(::EnumResourceTypesA(m_module, &AddType, reinterpret_cast<LONG_PTR>(&inventory)));

    constexpr int kUsEnglish = 1033;
    constexpr int kDialogInit = 240;
    std::set<ResourceKey> expected = {
        {14 /* RT_GROUP_ICON */, IDR_MAINFRAME, kUsEnglish},
        {2 /* RT_BITMAP */, IDB_PORTRAIT, kUsEnglish},
        {2, IDB_BANNER, kUsEnglish},
        {2, IDB_ABOUT_BANNER, kUsEnglish},
        {5 /* RT_DIALOG */, IDD_ABOUTBOX, kUsEnglish},
        {5, IDD_CALCULATOR, kUsEnglish},
        {kDialogInit, IDD_CALCULATOR, kUsEnglish},
        {6 /* RT_STRING */, (IDS_ABOUTBOX >> 4) + 1, kUsEnglish},
        {16 /* RT_VERSION */, 1, kUsEnglish},
        {24 /* RT_MANIFEST */, 1, kUsEnglish},
    };
    // The icon images are numbered by the resource compiler; they are the
    // ones the icon group names.
    for (const GroupIconEntry& entry : IconGroupEntries(m_module, IDR_MAINFRAME))
        expected.insert({3 /* RT_ICON */, entry.iconId, kUsEnglish});

    EXPECT_EQ(inventory.keys, expected);
    EXPECT_TRUE(inventory.named.empty()) << inventory.named.front();
}

// ---------------------------------------------------------------------------
// The version block, as the shell reads it from the file.

// The one place the tests write the version number: every other mention of
// it, in the version strings, the About box, the manifest and the packages,
// is held to this block.
TEST_P(BuiltResources, VersionFixedPartIsVersionOneApplicationForWin32)
{
    const VersionInfo info(m_path);
    ASSERT_TRUE(info.Ok()) << m_path;
    const void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(info.Query("\\", value, length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);  // 1.0
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);  // .0.0
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
    EXPECT_EQ(fixed->dwFileDateMS, 0u);
    EXPECT_EQ(fixed->dwFileDateLS, 0u);
}

struct VersionString {
    const char* key;
    const char* value;  // null: any text but the empty one, or the version
};

const VersionString kVersionStrings[] = {
    {"Comments", ""},
    {"CompanyName", ""},
    {"FileDescription", "Radiowave Properties Calculator"},
    {"FileVersion", nullptr},
    {"InternalName", "VelQUOR"},
    {"LegalCopyright", nullptr},
    {"LegalTrademarks", ""},
    {"OriginalFilename", "VelQUOR.EXE"},
    {"PrivateBuild", ""},
    {"ProductName", "VelQUOR"},
    {"ProductVersion", nullptr},
    {"SpecialBuild", ""},
};

TEST_P(BuiltResources, VersionStringsThroughTheVersionApi)
{
    const VersionInfo info(m_path);
    ASSERT_TRUE(info.Ok()) << m_path;
    for (const VersionString& expected : kVersionStrings) {
        SCOPED_TRACE(expected.key);
        const void* value = nullptr;
        UINT length = 0;
        const bool found =
            info.Query(std::string("\\StringFileInfo\\040904b0\\") + expected.key, value, length);
        ASSERT_TRUE(found);
        // An empty value may come back as no text at all.
        const std::string text =
            length == 0 ? std::string() : std::string(static_cast<const char*>(value));
        const std::string key = expected.key;
        if (key == "FileVersion" || key == "ProductVersion")
            EXPECT_EQ(text, VersionText(info.Fixed().dwProductVersionMS, info.Fixed().dwProductVersionLS, 4, ", "));
        else if (expected.value != nullptr)
            EXPECT_EQ(text, expected.value);
        else
            EXPECT_NE(text, "");
    }

    const void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(info.Query("\\VarFileInfo\\Translation", value, length));
    ASSERT_EQ(length, 4u);
    const auto* pair = static_cast<const WORD*>(value);
    EXPECT_EQ(pair[0], 0x0409);
    EXPECT_EQ(pair[1], 0x04B0);
}

// The block's whole tree: one string table with exactly these keys, one
// translation pair, nothing else.
TEST_P(BuiltResources, VersionBlockHoldsNothingElse)
{
    const Bytes bytes = Find(m_module, 16 /* RT_VERSION */, 1);
    ASSERT_TRUE(bytes);
    Reader in(bytes);
    bool damaged = false;
    const VersionNode root = ParseVersionNode(in, damaged);
    ASSERT_FALSE(damaged);
    EXPECT_EQ(root.key, "VS_VERSION_INFO");
    EXPECT_EQ(root.value.size(), sizeof(VS_FIXEDFILEINFO));

    std::vector<std::string> sections;
    for (const VersionNode& child : root.children)
        sections.push_back(child.key);
    EXPECT_EQ(sections, (std::vector<std::string>{"StringFileInfo", "VarFileInfo"}));

    const VersionNode* strings = root.Child("StringFileInfo");
    ASSERT_NE(strings, nullptr);
    ASSERT_EQ(strings->children.size(), 1u);
    const VersionNode& table = strings->children[0];
    EXPECT_EQ(table.key, "040904b0");
    std::vector<std::string> keys;
    for (const VersionNode& entry : table.children) {
        keys.push_back(entry.key);
        EXPECT_EQ(entry.type, 1) << entry.key;
    }
    std::sort(keys.begin(), keys.end());
    std::vector<std::string> expectedKeys;
    for (const VersionString& expected : kVersionStrings)
        expectedKeys.push_back(expected.key);
    EXPECT_EQ(keys, expectedKeys);
    // The notice is the same one the About box shows.
    const VersionNode* notice = table.Child("LegalCopyright");
    ASSERT_NE(notice, nullptr);
    EXPECT_NE(notice->Text(), "");

    const VersionNode* variables = root.Child("VarFileInfo");
    ASSERT_NE(variables, nullptr);
    ASSERT_EQ(variables->children.size(), 1u);
    EXPECT_EQ(variables->children[0].key, "Translation");
    EXPECT_EQ(variables->children[0].value, (std::vector<BYTE>{0x09, 0x04, 0xB0, 0x04}));
}

// ---------------------------------------------------------------------------
// The string table.

TEST_P(BuiltResources, StringTableHoldsOnlyTheAboutMenuItem)
{
    char text[64] = "";
    EXPECT_EQ(::LoadStringA(m_module, IDS_ABOUTBOX, text, sizeof text), 17);
    EXPECT_STREQ(text, "&About Velquor...");

    // The block of sixteen strings that holds number 101: the others empty.
    Reader in(Find(m_module, 6 /* RT_STRING */, (IDS_ABOUTBOX >> 4) + 1));
    for (int i = 0; i < 16; ++i) {
        const WORD length = in.Word();
        std::wstring string;
        for (WORD c = 0; c < length; ++c)
            string += static_cast<wchar_t>(in.Word());
        SCOPED_TRACE("string " + std::to_string(((IDS_ABOUTBOX >> 4) << 4) + i));
        if (i == (IDS_ABOUTBOX & 15))
            EXPECT_EQ(support::Narrow(string), text);
        else
            EXPECT_EQ(length, 0);
    }
    EXPECT_FALSE(in.Overrun());
    EXPECT_TRUE(in.AtEnd());
}

// The framework's loader reads this program's own string table.
TEST(StringTable, FrameworkLoadsTheAboutMenuItemAndNothingForOtherNumbers)
{
    char text[64] = "";
    ::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text);
    CString about;
    EXPECT_TRUE(about.LoadString(IDS_ABOUTBOX));
    EXPECT_STREQ(about, text);
    EXPECT_EQ(about.GetLength(), static_cast<int>(std::strlen(text)));

    for (const UINT missing : {UINT{IDD_ABOUTBOX}, UINT{IDD_CALCULATOR}, 0u, 16u}) {
        CString none = "left over";
        EXPECT_FALSE(none.LoadString(missing)) << missing;
        EXPECT_TRUE(none.IsEmpty()) << missing;
    }
}

// ---------------------------------------------------------------------------
// The pictures and the icon.

DWORD RowBytes(LONG width, WORD bitCount)
{
    return ((static_cast<DWORD>(width) * bitCount + 31) / 32) * 4;
}

// Each bitmap is its picture file from res/ as it is, less the file header,
// and a whole, uncompressed one: header, palette and every row of pixels,
// nothing missing or extra.
TEST_P(BuiltResources, BitmapsAreTheirFilesUncompressed)
{
    const std::pair<int, const char*> bitmaps[] = {
        {IDB_PORTRAIT, "portrait.bmp"},
        {IDB_BANNER, "banner.bmp"},
        {IDB_ABOUT_BANNER, "about_banner.bmp"},
    };
    for (const auto& [id, file] : bitmaps) {
        SCOPED_TRACE(file);
        const Bytes bytes = Find(m_module, 2 /* RT_BITMAP */, id);
        ASSERT_TRUE(bytes);
        const std::vector<unsigned char> source =
            support::ReadWholeFile(support::WindowsPath(VELQUOR_SOURCE_DIR "/res/") + file);
        ASSERT_GT(source.size(), sizeof(BITMAPFILEHEADER));
        EXPECT_EQ(std::vector<unsigned char>(bytes.data, bytes.data + bytes.size),
                  std::vector<unsigned char>(source.begin() + sizeof(BITMAPFILEHEADER), source.end()));

        Reader in(bytes);
        const auto header = in.Read<BITMAPINFOHEADER>();
        EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
        EXPECT_GT(header.biWidth, 0);
        EXPECT_GT(header.biHeight, 0);  // bottom-up
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        const DWORD palette = header.biClrUsed != 0 ? header.biClrUsed
                              : header.biBitCount <= 8 ? 1u << header.biBitCount
                                                       : 0u;
        const DWORD pixels = RowBytes(header.biWidth, header.biBitCount) * static_cast<DWORD>(header.biHeight);
        if (header.biSizeImage != 0)
            EXPECT_EQ(header.biSizeImage, pixels);
        EXPECT_EQ(bytes.size, sizeof(BITMAPINFOHEADER) + palette * sizeof(RGBQUAD) + pixels);
    }
}

TEST_P(BuiltResources, IconGroupHoldsA32And16PixelImageOf16Colours)
{
    const std::vector<GroupIconEntry> entries = IconGroupEntries(m_module, IDR_MAINFRAME);
    ASSERT_EQ(entries.size(), 2u);
    const int sizes[] = {32, 16};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const GroupIconEntry& entry = entries[i];
        const int size = sizes[i];
        SCOPED_TRACE(std::to_string(size) + " x " + std::to_string(size));
        EXPECT_EQ(entry.width, size);
        EXPECT_EQ(entry.height, size);
        EXPECT_EQ(entry.colourCount, 16);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitCount, 4);

        // The image itself: a 4-bit bitmap of twice the height (colour and
        // mask), its 16-colour palette, the pixels and the 1-bit mask.
        const Bytes image = Find(m_module, 3 /* RT_ICON */, entry.iconId);
        ASSERT_TRUE(image);
        EXPECT_EQ(image.size, entry.bytesInResource);
        Reader in(image);
        const auto header = in.Read<BITMAPINFOHEADER>();
        EXPECT_EQ(header.biWidth, size);
        EXPECT_EQ(header.biHeight, 2 * size);
        EXPECT_EQ(header.biBitCount, 4);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(image.size, sizeof(BITMAPINFOHEADER) + 16 * sizeof(RGBQUAD) +
                                  RowBytes(size, 4) * size + RowBytes(size, 1) * size);
    }
}

// ---------------------------------------------------------------------------
// The dialog templates' bytes: what the dialog manager is given. What each
// control is and where it stands is compared with the windows built from
// them (templates_test.cpp); here, the rules the templates must keep.

// A template item's class as the dialog manager spells it.
std::string ItemClassOf(const DialogItem& item)
{
    const std::string name = ClassNameOf(item.className);
    for (const char* known : {"Button", "Edit", "Static", "ComboBox"})
        if (SameClass(name, known))
            return known;
    return name;
}

bool Has(DWORD style, DWORD bits)
{
    return (style & bits) == bits;
}

// Rules every control of both templates keeps: nothing that only an
// extended template can say, inputs and buttons reached with Tab, results
// read-only and skipped by it, one default button (Exit or Close, IDOK),
// labels that start a group (the resource compiler drops WS_GROUP from a
// text control with a style list of its own), pictures that name a bitmap
// resource and keep its size.
void ExpectControlRules(HMODULE module, const DialogTemplate& dialog)
{
    int defaultButtons = 0;
    for (const DialogItem& item : dialog.items) {
        const int id = dialog.extended ? static_cast<int>(item.id) : static_cast<short>(item.id);
        const std::string kind = ItemClassOf(item);
        SCOPED_TRACE("control " + std::to_string(id) + " (" + kind + ")");
        EXPECT_TRUE(Has(item.style, WS_CHILD | WS_VISIBLE)) << std::hex << item.style;
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ(item.helpId, 0u);
        EXPECT_EQ(item.extraBytes, 0);
        const DWORD type = item.style & 0xF;
        if (kind == "Edit") {
            const bool result = id == IDC_WAVELENGTH || id == IDC_ANTENNA_LENGTH;
            EXPECT_TRUE(Has(item.style, WS_BORDER | ES_CENTER | ES_AUTOHSCROLL)) << std::hex << item.style;
            EXPECT_EQ((item.style & ES_READONLY) != 0, result) << std::hex << item.style;
            EXPECT_EQ((item.style & WS_TABSTOP) != 0, !result) << std::hex << item.style;
        } else if (kind == "Button" && type == BS_GROUPBOX) {
            EXPECT_EQ(item.style & WS_TABSTOP, 0u);
        } else if (kind == "Button") {
            EXPECT_TRUE(type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) << std::hex << item.style;
            EXPECT_TRUE(Has(item.style, WS_TABSTOP));
            if (type == BS_DEFPUSHBUTTON) {
                ++defaultButtons;
                EXPECT_EQ(id, IDOK);
            }
        } else if (kind == "ComboBox") {
            EXPECT_TRUE(Has(item.style, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST)) << std::hex << item.style;
        } else if (kind == "Static" && item.title.isNumber) {
            EXPECT_TRUE(Has(item.style, SS_BITMAP | SS_REALSIZEIMAGE)) << std::hex << item.style;
            EXPECT_TRUE(Find(module, 2 /* RT_BITMAP */, item.title.number)) << "bitmap " << item.title.number;
        } else if (kind == "Static") {
            EXPECT_TRUE(Has(item.style, WS_GROUP)) << std::hex << item.style;
        } else {
            ADD_FAILURE() << "a control of class " << kind;
        }
    }
    EXPECT_EQ(defaultButtons, 1);
}

TEST_P(BuiltResources, CalculatorTemplateIsAnExtendedCaptionedFixedSizeWindow)
{
    const DialogTemplate dialog = ParseDialogTemplate(Find(m_module, 5 /* RT_DIALOG */, IDD_CALCULATOR));
    ASSERT_FALSE(dialog.overrun);
    ASSERT_FALSE(dialog.items.empty());
    EXPECT_EQ(dialog.bytesLeft, 0u);
    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(dialog.version, 1);
    EXPECT_EQ(dialog.helpId, 0u);
    EXPECT_TRUE(Has(dialog.style, DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION |
                                      WS_SYSMENU | WS_MINIMIZEBOX))
        << std::hex << dialog.style;
    EXPECT_EQ(dialog.style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u);
    EXPECT_EQ(dialog.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_FALSE(dialog.menu.isNumber || !dialog.menu.name.empty()) << "a menu";
    EXPECT_FALSE(dialog.windowClass.isNumber || !dialog.windowClass.name.empty()) << "a class";
    EXPECT_EQ(dialog.title, "VelQUOR");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.weight, 0);
    EXPECT_EQ(dialog.italic, 0);
    EXPECT_EQ(dialog.charSet, 1);
    EXPECT_EQ(dialog.typeface, "MS Sans Serif");
    ExpectControlRules(m_module, dialog);
}

// The words the program says about a control (a field's message, a name a
// screen reader reads) are the words the window shows: each calculator's
// group box has its caption, each field's label is a text inside that group
// box, a button's label is its own caption, and the pane's is the caption
// of the group box around it.
TEST_P(BuiltResources, CalculatorTableLabelsAreTheWordsOfTheMainTemplate)
{
    const DialogTemplate dialog = ParseDialogTemplate(Find(m_module, 5 /* RT_DIALOG */, IDD_CALCULATOR));
    ASSERT_FALSE(dialog.overrun);
    const auto item = [&](int id) -> const DialogItem* {
        for (const DialogItem& candidate : dialog.items)
            if (static_cast<short>(candidate.id) == id)
                return &candidate;
        return nullptr;
    };
    const auto inside = [](const DialogItem& outer, const DialogItem& inner) {
        return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
               inner.y + inner.height <= outer.y + outer.height;
    };
    const auto groupAround = [&](const DialogItem& control) -> const DialogItem* {
        for (const DialogItem& candidate : dialog.items)
            if (ItemClassOf(candidate) == "Button" && (candidate.style & 0xF) == BS_GROUPBOX &&
                inside(candidate, control))
                return &candidate;
        return nullptr;
    };
    const auto textsIn = [&](const DialogItem& group) {
        std::vector<std::string> texts;
        for (const DialogItem& candidate : dialog.items)
            if (ItemClassOf(candidate) == "Static" && !candidate.title.isNumber && inside(group, candidate))
                texts.push_back(candidate.title.name);
        return texts;
    };

    ForEachNamedControl([&](const Calculator* calculator, const NamedControl& named) {
        SCOPED_TRACE("control " + std::to_string(named.control) + ", \"" + named.label + "\"");
        const DialogItem* control = item(named.control);
        ASSERT_NE(control, nullptr);
        if (ItemClassOf(*control) == "Button") {
            EXPECT_EQ(control->title.name, named.label);
            return;
        }
        const DialogItem* group = groupAround(*control);
        ASSERT_NE(group, nullptr) << "in no group box";
        if (calculator != nullptr) {
            EXPECT_EQ(static_cast<short>(group->id), calculator->group);
            EXPECT_EQ(group->title.name, calculator->caption);
        }
        if (ItemClassOf(*control) == "Static") {
            EXPECT_EQ(group->title.name, named.label);
        } else {
            const std::vector<std::string> texts = textsIn(*group);
            EXPECT_TRUE(std::find(texts.begin(), texts.end(), named.label) != texts.end())
                << "no text \"" << named.label << "\" in the group box \"" << group->title.name << "\"";
        }
    });
}

TEST_P(BuiltResources, AboutTemplateIsAHiddenPopupWithTheNoticeAndTheMailAddress)
{
    const DialogTemplate dialog = ParseDialogTemplate(Find(m_module, 5 /* RT_DIALOG */, IDD_ABOUTBOX));
    ASSERT_FALSE(dialog.overrun);
    ASSERT_FALSE(dialog.items.empty());
    EXPECT_EQ(dialog.bytesLeft, 0u);
    EXPECT_FALSE(dialog.extended);
    EXPECT_TRUE(Has(dialog.style, DS_MODALFRAME | DS_SETFONT | WS_POPUP)) << std::hex << dialog.style;
    EXPECT_EQ(dialog.style & (WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), 0u);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_FALSE(dialog.menu.isNumber || !dialog.menu.name.empty()) << "a menu";
    EXPECT_FALSE(dialog.windowClass.isNumber || !dialog.windowClass.name.empty()) << "a class";
    EXPECT_EQ(dialog.title, "");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.typeface, "MS Sans Serif");
    ExpectControlRules(m_module, dialog);

    // The version line, a notice, and the address that the mail link opens.
    std::vector<std::string> texts;
    for (const DialogItem& item : dialog.items)
        if (static_cast<short>(item.id) == IDC_STATIC && !item.title.isNumber)
            texts.push_back(item.title.name);
    ASSERT_EQ(texts.size(), 2u);
    const VersionInfo info(m_path);
    ASSERT_TRUE(info.Ok()) << m_path;
    EXPECT_EQ(texts[0], "Velquor Version " + VersionText(info.Fixed().dwProductVersionMS, info.Fixed().dwProductVersionLS, 3, "."));
    EXPECT_NE(texts[1], "");
    const auto address = std::find_if(dialog.items.begin(), dialog.items.end(),
                                      [](const DialogItem& item) { return item.id == IDC_MAIL_ADDRESS; });
    ASSERT_NE(address, dialog.items.end());
    EXPECT_EQ("mailto:" + address->title.name, std::string(kMailLink));
}

}  // namespace
