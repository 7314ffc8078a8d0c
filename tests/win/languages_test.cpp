// Every language of the resources: the menu, the options dialog and the
// string table come out in the core's language, and every label of the
// dialog shows whole with the dialog's own font.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/menu_table.h"
#include "core/options_record.h"
#include "core/texts.h"
#include "res/resource.h"
#include "res/texts.h"
#include "tests/win/window_fixture.h"

namespace {

struct Language {
    const char* catalogue;  // "" for English
    LANGID ui;              // a Windows UI language that chooses it
};

// English and each language of po/LINGUAS, chosen by a UI language of a
// territory the resources do not name where there is one (Austria's German,
// Mexico's Spanish), which must fall back to the language's own copy.
const Language kLanguages[] = {
    {"", 0x0409},      {"de", 0x0c07}, {"fr", 0x040c}, {"es", 0x080a}, {"it", 0x0410},    {"pt_BR", 0x0416},
    {"nl", 0x0413},    {"pl", 0x0415}, {"ru", 0x0419}, {"ja", 0x0411}, {"zh_CN", 0x0804},
};

void PrintTo(const Language& language, std::ostream* out)
{
    *out << (language.catalogue[0] ? language.catalogue : "en") << " (UI language 0x" << std::hex << language.ui << ")";
}

std::string NameOf(const ::testing::TestParamInfo<Language>& info)
{
    return info.param.catalogue[0] ? info.param.catalogue : "en";
}

std::wstring WindowText(HWND window)
{
    wchar_t text[256] = L"";
    SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring MenuText(HMENU menu, int position)
{
    wchar_t text[128] = L"";
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

// The width `text` takes in `window`'s font, its '&' marks taken out as the
// control draws it.
SIZE TextSize(HWND window, const std::wstring& text)
{
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    RECT box{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &box, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return SIZE{box.right, box.bottom};
}

int AverageCharWidth(HWND window)
{
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return metrics.tmAveCharWidth;
}

// The room a control's own drawing takes beside its text: a check box's
// box and the gap after it, a button's edges, a group box's indent.
int RoomBesideText(HWND control, DWORD style, const wchar_t* className)
{
    if (lstrcmpiW(className, L"Static") == 0)
        return 0;
    switch (style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
    case BS_CHECKBOX:
        return GetSystemMetrics(SM_CXMENUCHECK) + AverageCharWidth(control) / 2 + 2;
    case BS_GROUPBOX:
        return 2 * AverageCharWidth(control) + 4;
    default:
        return 2 * (GetSystemMetrics(SM_CXEDGE) + 2);
    }
}

class Languages : public WindowTest, public ::testing::WithParamInterface<Language> {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        w32::SpeakLanguage(GetModuleHandleW(nullptr), GetParam().catalogue, GetParam().ui);
    }
    void TearDown() override
    {
        w32::SpeakLanguage(GetModuleHandleW(nullptr), "", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    }
};

TEST_P(Languages, MenuDialogAndStringTableSpeakTheCoresLanguage)
{
    const Language& language = GetParam();
    EXPECT_EQ(ActiveLanguage(), language.catalogue);
    EXPECT_EQ(PRIMARYLANGID(w32::TheShell().language), PRIMARYLANGID(language.ui));
    if (language.catalogue[0] != '\0') {
        EXPECT_NE(Tr(TEXT_OPTIONS_TITLE), TEXT_OPTIONS_TITLE) << "the string table has no translation";
    }

    HMENU bar = w32::LoadMenuInLanguage();
    ASSERT_NE(bar, nullptr);
    const std::vector<std::string> titles = MenuTitles();
    ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(titles.size()));
    for (size_t popup = 0; popup < titles.size(); ++popup) {
        EXPECT_EQ(MenuText(bar, static_cast<int>(popup)), w32::Wide(titles[popup]));
        const std::vector<std::string> items = MenuItemTexts(static_cast<int>(popup));
        HMENU menu = GetSubMenu(bar, static_cast<int>(popup));
        ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(items.size()));
        for (size_t item = 0; item < items.size(); ++item)
            EXPECT_EQ(MenuText(menu, static_cast<int>(item)), w32::Wide(items[item]));
    }
    DestroyMenu(bar);
}

TEST_P(Languages, EveryLabelOfTheOptionsDialogShowsWhole)
{
    OptionsRecord record = AllOptionsOff();
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), w32::DialogInLanguage(IDD_OPTIONS), window(),
                                             w32::OptionsDialogProc, reinterpret_cast<LPARAM>(&record));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), w32::Wide(Tr(TEXT_OPTIONS_TITLE)));
    RECT client{};
    GetClientRect(dialog, &client);

    int labels = 0;
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        wchar_t className[32] = L"";
        GetClassNameW(control, className, 32);
        const std::wstring text = WindowText(control);
        SCOPED_TRACE(w32::Utf8(text));
        RECT box{};
        GetWindowRect(control, &box);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
        EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= client.right && box.bottom <= client.bottom)
            << "the control reaches out of the dialog";
        RECT inside{};
        GetClientRect(control, &inside);
        if (lstrcmpiW(className, L"ComboBox") == 0) {
            // The list's entries, beside the drop-down button.
            const int room = inside.right - GetSystemMetrics(SM_CXVSCROLL) - 2 * GetSystemMetrics(SM_CXEDGE) - 2;
            ASSERT_EQ(SendMessageW(control, CB_GETCOUNT, 0, 0), kPresetCount);
            for (int i = 0; i < kPresetCount; ++i) {
                wchar_t entry[128] = L"";
                SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
                EXPECT_EQ(entry, w32::Wide(Tr(PresetName(i))));
                EXPECT_LE(TextSize(control, entry).cx, room) << w32::Utf8(entry) << " is cut off";
            }
            continue;
        }
        if (text.empty())
            continue;
        ++labels;
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
        const SIZE size = TextSize(control, text);
        EXPECT_LE(size.cx + RoomBesideText(control, style, className), inside.right) << "the label is cut off";
        if ((style & BS_TYPEMASK) != BS_GROUPBOX) {
            EXPECT_LE(size.cy, inside.bottom) << "the label is cut off below";
        }
    }
    EXPECT_EQ(labels, 13) << "twelve labels and the \"...\" button";

    // The caption beside the close box.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    HFONT captionFont = CreateFontIndirectW(&metrics.lfCaptionFont);
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, captionFont);
    SIZE caption{};
    const std::wstring title = WindowText(dialog);
    GetTextExtentPoint32W(dc, title.c_str(), static_cast<int>(title.size()), &caption);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    DeleteObject(captionFont);
    RECT frame{};
    GetWindowRect(dialog, &frame);
    EXPECT_LE(caption.cx + 2 * metrics.iCaptionWidth + 8, frame.right - frame.left) << "the title is cut off";

    DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(Resources, Languages, ::testing::ValuesIn(kLanguages), NameOf);

}  // namespace

namespace {

// The menu bar of the window that start-up opened in the user's own
// language. tests/e2e/languages.sh runs this under each of its locales with
// the titles that language's catalogue gives (SCRIVLET_EXPECTED_MENU, split
// at '|'); without it the user's language is English.
TEST(UserLanguage, TheWindowsMenuBarIsInTheUsersLanguage)
{
    wchar_t expectedText[512] = L"File|Edit|Help";
    GetEnvironmentVariableW(L"SCRIVLET_EXPECTED_MENU", expectedText, 512);
    std::vector<std::wstring> expected;
    std::wstring rest = expectedText;
    for (size_t bar; (bar = rest.find(L'|')) != std::wstring::npos; rest.erase(0, bar + 1))
        expected.push_back(rest.substr(0, bar));
    expected.push_back(rest);

    HMENU bar = GetMenu(MainWindowUnderTest());
    ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(expected.size()));
    const std::vector<std::string> titles = MenuTitles();
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(MenuText(bar, static_cast<int>(i)), expected[i]);
        EXPECT_EQ(w32::Wide(titles[i]), expected[i]) << "the core's letters follow another language";
    }
}

}  // namespace

namespace {

// The window is a Unicode one: Alt with a letter of another script reaches
// WM_MENUCHAR as that letter, and the core's translated titles answer it.
class MenuLetters : public WindowTest {
protected:
    void TearDown() override { w32::SpeakLanguage(GetModuleHandleW(nullptr), "", 0x0409); }
};

TEST_F(MenuLetters, ALetterOfTheTranslatedTitlesOpensItsPopup)
{
    w32::SpeakLanguage(GetModuleHandleW(nullptr), "ru", 0x0419);
    HMENU bar = GetMenu(window());
    const std::vector<std::string> titles = MenuTitles();
    for (int popup = 0; popup < static_cast<int>(titles.size()); ++popup) {
        const std::wstring title = w32::Wide(titles[popup]);
        const size_t mark = title.find(L'&');
        ASSERT_NE(mark, std::wstring::npos) << titles[popup];
        const wchar_t letter = title[mark + 1];
        ASSERT_GE(letter, 0x400) << "a Cyrillic letter";
        EXPECT_EQ(SendMessageW(window(), WM_MENUCHAR, MAKEWPARAM(letter, MF_POPUP), reinterpret_cast<LPARAM>(bar)),
                  MAKELRESULT(popup, MNC_EXECUTE))
            << titles[popup];
    }
}

// A chosen name is stored as ANSI text: one outside the ANSI code page
// becomes a short name that opens the same file, or, for a file still to be
// written, the short name of its folder with the name, when that converts.
TEST(StoredPath, ANameOutsideTheAnsiCodePageIsStoredAsItsShortName)
{
    // A letter this system's ANSI code page lacks.
    std::wstring foreign;
    for (const wchar_t* candidate : {L"\u0416", L"\u03a9", L"\u65e5"}) {
        BOOL lossy = FALSE;
        char ansi[8];
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, candidate, -1, ansi, sizeof ansi, nullptr, &lossy);
        if (lossy) {
            foreign = candidate;
            break;
        }
    }
    ASSERT_FALSE(foreign.empty());
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"scrivlet " + foreign + L" folder";
    const std::wstring file = folder + L"\\sound " + foreign + L".wav";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(created, "RIFF", 4, &written, nullptr);
    CloseHandle(created);

    const std::optional<std::string> sound = w32::StoredPathOf(file, false);
    ASSERT_TRUE(sound);
    EXPECT_NE(GetFileAttributesA(sound->c_str()), INVALID_FILE_ATTRIBUTES) << *sound << " opens no file";

    const std::optional<std::string> picture = w32::StoredPathOf(folder + L"\\picture.bmp", true);
    ASSERT_TRUE(picture);
    const std::string pictureFolder = picture->substr(0, picture->rfind('\\'));
    EXPECT_EQ(picture->substr(picture->rfind('\\')), "\\picture.bmp");
    EXPECT_NE(GetFileAttributesA(pictureFolder.c_str()), INVALID_FILE_ATTRIBUTES) << *picture;

    EXPECT_FALSE(w32::StoredPathOf(folder + L"\\picture " + foreign + L".bmp", true))
        << "a new file whose own name has no ANSI text cannot be named";
    EXPECT_EQ(w32::StoredPathOf(L"C:\\plain.bmp", true), std::optional<std::string>("C:\\plain.bmp"));

    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
