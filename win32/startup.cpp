// Start-up and shutdown on Win32: the one running instance, the keyboard
// guard, the window class, the window and its canvas, and the message loop;
// the core tells what happens around them.
#include "res/resource.h"
#include "win32/app.h"
#include "win32/canvas_win.h"
#include "win32/curtains_win.h"
#include "win32/key_sound_win.h"
#include "win32/keyboard_guard_win.h"
#include "win32/kidproof_win.h"

namespace {

char g_startupDirectory[MAX_PATH] = "";

}  // namespace

const char* StartupDirectory() { return g_startupDirectory; }

void RememberStartupDirectory()
{
    // A directory longer than the buffer is not stored at all (the call
    // returns the size it would need): no start-up directory means no help,
    // never the help of a cut-off path.
    const DWORD length = GetCurrentDirectoryA(sizeof g_startupDirectory, g_startupDirectory);
    if (length == 0 || length >= sizeof g_startupDirectory)
        g_startupDirectory[0] = '\0';
}

bool RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SCRIVLET));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    windowClass.lpszClassName = kWindowClassName;
    return RegisterClassA(&windowClass) != 0;
}

HWND OpenMainWindow(HINSTANCE instance)
{
    HWND window = CreateWindowExA(0, kWindowClassName, "scrivlet", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    UseWin32Platform(window);
    // The options are read before the window shows, so that start-up never
    // frees the pointer just before it holds it: Wine's desktop process can
    // take in the notice of that free after it has taken in the new clip,
    // and then takes back the new clip's pointer grab (the clip rectangle
    // stays, so GetClipCursor does not tell).
    StartProgram(TheProgram());
    ShowWindow(window, SW_SHOWMAXIMIZED);
    CreateCanvas(window);
    SetKeySoundWindow(window);
    CanvasMade(TheProgram(), TheCanvas().bounds);
    TellMonitors(window);
    return window;
}

void LoadStartupOptions(HWND window)
{
    UseWin32Platform(window);
    StartProgram(TheProgram());
    ApplyPointerMoment(TheProgram(), PointerMoment::StartUp);
}

int RunApplication(HINSTANCE instance)
{
    // A second start only brings the running toy to the front: two keyboard
    // hooks would fight, and two processes would both store the options.
    if (AnotherInstanceRuns())
        return 0;
    RememberStartupDirectory();
    // The guard comes first and goes last, so it covers the whole run.
    InstallKeyboardGuard(instance);
    SwitchOffAccessibilityHotkeys();
    if (!RegisterMainWindowClass(instance)) {
        UndoKidproofing();
        return 0;
    }
    // A clip made while ShowWindow activates the window, before it is on
    // the screen, is not held by Wine's grab of the X pointer; the one that
    // follows the canvas is.
    Program& program = TheProgram();
    OpenMainWindow(instance);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    StopProgram(program);
    UndoKidproofing();
    RemoveKeyboardGuard();
    return 0;
}
