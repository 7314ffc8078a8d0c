// End-to-end helper run under Wine beside the program. Texts are read and
// printed as UTF-8 and titles taken as UTF-8 whatever the ANSI code page,
// so that a script can read the toy in any language.
//   window_texts TITLE [SECONDS]: waits for a top-level window with that
//     title and prints the text of each of its controls, one a line (every
//     entry of a combo box's list), so that a script can read a message box
//     or a dialog. Exit 0 when found, 1 when not.
//   window_texts --title CLASS: prints the title of the window of CLASS.
//   window_texts --command CLASS ID: posts it menu command ID.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

void Print(const wchar_t* text, FILE* to = stdout)
{
    char utf8[4096] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::fprintf(to, "%s\n", utf8);
}


BOOL CALLBACK PrintText(HWND control, LPARAM)
{
    // Another process's controls answer WM_GETTEXT; GetWindowText would only
    // give a caption the system stores.
    wchar_t text[2048] = L"";
    DWORD_PTR result = 0;
    wchar_t className[32] = L"";
    GetClassNameW(control, className, 32);
    if (lstrcmpiW(className, L"ComboBox") == 0) {
        SendMessageTimeoutW(control, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
        const int count = static_cast<int>(result);
        for (int i = 0; i < count; ++i) {
            if (SendMessageTimeoutW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                                    &result))
                Print(text);
        }
        return TRUE;
    }
    if (SendMessageTimeoutW(control, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                            &result) &&
        text[0] != L'\0')
        Print(text);
    return TRUE;
}

int Usage()
{
    std::fprintf(stderr, "usage: window_texts TITLE [SECONDS] | --title CLASS | --command CLASS ID\n");
    return 2;
}

}  // namespace

int main()
{
    // The arguments as Unicode: main's own are in the ANSI code page, which
    // need not hold a translated title.
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2)
        return Usage();
    const std::wstring first = argv[1];
    if (first == L"--title" || first == L"--command") {
        if (argc < 3 || (first == L"--command") != (argc == 4))
            return Usage();
        HWND window = FindWindowW(argv[2], nullptr);
        if (!window) {
            std::fprintf(stderr, "window_texts: no window of that class\n");
            return 1;
        }
        if (first == L"--command")
            return PostMessageW(window, WM_COMMAND, std::wcstol(argv[3], nullptr, 10), 0) ? 0 : 1;
        wchar_t title[512] = L"";
        GetWindowTextW(window, title, 512);
        Print(title);
        return 0;
    }
    if (argc > 3)
        return Usage();
    const std::wstring title = argv[1];
    const int tenths = 10 * (argc == 3 ? static_cast<int>(std::wcstol(argv[2], nullptr, 10)) : 10);
    for (int i = 0; i < tenths; ++i) {
        if (HWND window = FindWindowW(nullptr, title.c_str())) {
            EnumChildWindows(window, PrintText, 0);
            return 0;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "window_texts: no window titled ");
    Print(title.c_str(), stderr);
    return 1;
}
