// The shell's one state, start-up and shutdown on Win32 (the one running
// instance, the keyboard guard, the window and its canvas, the message loop)
// and the table of Win32 operations the core acts through: GDI for the
// marks, ClipCursor and the caption, the key sound on a kept output device,
// the common dialogs, HTML Help and the registry.
#include "win32/shell_win.h"

#include "res/resource.h"

namespace w32 {

namespace {

Shell g_shell;

// The core's texts are UTF-8.
void SetTitle(const char* title) { SetWindowTextW(g_shell.window, Wide(title).c_str()); }

void ShowMessage(MessageKind, const char* title, const std::string& text)
{
    ShowMessageOver(g_shell.window, title, text);
}

}  // namespace

// Message boxes break lines at "\r\n"; the core writes "\n".
void ShowMessageOver(HWND owner, const std::string& title, const std::string& text)
{
    std::string lines;
    for (char c : text) {
        if (c == '\n')
            lines += '\r';
        lines += c;
    }
    MessageBoxW(owner, Wide(lines).c_str(), Wide(title).c_str(), MB_OK);
}

namespace {

std::string Choose(const FileQuestion& question)
{
    char path[kChosenPathSize] = "";
    return AskForFile(g_shell.window, question, path) ? path : "";
}

std::vector<uint8_t> CanvasBmp() { return ReadCanvasAsBmp(g_shell.canvas); }
void RunDialog(OptionsRecord& live) { RunOptionsDialog(g_shell.window, live); }
bool Load(OptionsRecord& record) { return LoadOptions(record) == 0; }
bool Save(const OptionsRecord& record) { return SaveOptions(record) == 0; }
void SetTick(unsigned milliseconds) { SetTimer(g_shell.window, kWalkTimer, milliseconds, nullptr); }
void Close() { PostMessageA(g_shell.window, WM_CLOSE, 0, 0); }

}  // namespace

Shell& TheShell() { return g_shell; }

void UseWin32Platform(HWND window)
{
    g_shell.window = window;
    Platform& platform = TheProgram().platform;
    platform.paintSegment = PaintSegment;
    platform.paintBlossom = PaintBlossom;
    platform.clearCanvas = ClearCanvas;
    platform.confinePointer = ClipPointerToClient;
    platform.pointerStillHeld = PointerClipInForce;
    platform.freePointer = FreePointer;
    platform.setTitle = SetTitle;
    platform.addCurtain = AddCurtain;
    platform.removeCurtain = RemoveCurtain;
    platform.placeCurtain = PlaceCurtain;
    platform.hideCurtain = HideCurtain;
    platform.activateToy = ActivateToy;
    // The keyboard guard is a system-wide hook for the whole run: no grab.
    platform.holdKeyboard = nullptr;
    platform.playKeySound = PlayKeySound;
    platform.prepareKeySound = LookUpKeySound;
    platform.closeKeySound = CloseKeySound;
    platform.showMessage = ShowMessage;
    platform.chooseFile = Choose;
    platform.canvasAsBmp = CanvasBmp;
    platform.files = &Win32FileOps();
    platform.showHelp = ShowHelpTopic;
    platform.runOptionsDialog = RunDialog;
    platform.loadOptions = Load;
    platform.saveOptions = Save;
    platform.keepDisplayAwake = KeepDisplayAwake;
    platform.setTickPeriod = SetTick;
    platform.close = Close;
    platform.menusTakeInput = false;
    platform.idleTickPeriod = 0;
}

void RememberStartupDirectory()
{
    // A directory longer than the buffer is not stored at all (the call
    // returns the size it would need): no start-up directory means no help,
    // never the help of a cut-off path.
    char* directory = g_shell.startupDirectory;
    const DWORD length = GetCurrentDirectoryA(sizeof g_shell.startupDirectory, directory);
    if (length == 0 || length >= sizeof g_shell.startupDirectory)
        directory[0] = '\0';
}

bool RegisterMainWindowClass(HINSTANCE instance)
{
    // The menu is not the class's: the window gets it in the toy's language.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SCRIVLET));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClassNameW;
    return RegisterClassW(&windowClass) != 0;
}

HWND OpenMainWindow(HINSTANCE instance)
{
    SpeakUserLanguage(instance);
    HWND window = CreateWindowExW(0, kWindowClassNameW, L"scrivlet", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, LoadMenuInLanguage(),
                                  instance, nullptr);
    UseWin32Platform(window);
    PrepareTouch(window);
    // The options are read before the window shows, so that start-up never
    // frees the pointer just before it holds it: Wine's desktop process can
    // take in the notice of that free after it has taken in the new clip,
    // and then takes back the new clip's pointer grab (the clip rectangle
    // stays, so GetClipCursor does not tell).
    StartProgram(TheProgram());
    ShowWindow(window, SW_SHOWMAXIMIZED);
    // A clip made while ShowWindow activates the window, before it is on
    // the screen, is not held by Wine's grab of the X pointer; the one that
    // follows the canvas is.
    CreateCanvas(window);
    CanvasMade(TheProgram(), g_shell.canvas.bounds);
    TellMonitors(window);
    return window;
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
    OpenMainWindow(instance);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    StopProgram(TheProgram());
    UndoKidproofing();
    RemoveKeyboardGuard();
    return 0;
}

}  // namespace w32
