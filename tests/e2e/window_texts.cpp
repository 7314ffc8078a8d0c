// End-to-end helper run under Wine beside the program: waits for a top-level
// window with the given title and prints the text of each of its controls,
// one a line, so that a script can read what a message box says.
// Usage: window_texts TITLE [SECONDS]. Exit 0 when found, 1 when not.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

BOOL CALLBACK PrintText(HWND control, LPARAM)
{
    // Another process's controls answer WM_GETTEXT; GetWindowText would only
    // give a caption the system stores.
    char text[2048] = "";
    DWORD_PTR length = 0;
    if (SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                            2000, &length) &&
        text[0] != '\0')
        std::printf("%s\n", text);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: window_texts TITLE [SECONDS]\n");
        return 2;
    }
    const int tenths = 10 * (argc == 3 ? std::atoi(argv[2]) : 10);
    for (int i = 0; i < tenths; ++i) {
        if (HWND window = FindWindowA(nullptr, argv[1])) {
            EnumChildWindows(window, PrintText, 0);
            return 0;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "window_texts: no window titled \"%s\"\n", argv[1]);
    return 1;
}
