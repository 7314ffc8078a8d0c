// A witness for the end-to-end tests: a small window in the bottom-right
// corner of the screen that prints every key message it receives ("down 5B",
// "up 41": the virtual-key code in hex), one line each, to standard output.
// A file named "activate-witness" in its current directory makes it take the
// foreground (and is deleted; it answers "activated"), since a maximised
// window may cover it. It ends on WM_CLOSE or after two minutes.
#include <windows.h>

#include <cstdio>

namespace {

constexpr char kClassName[] = "ScrivletKeyWitness";
constexpr char kActivateRequest[] = "activate-witness";
constexpr UINT_PTR kLifetimeTimer = 1;
constexpr UINT_PTR kRequestTimer = 2;
constexpr UINT kRequestPeriod = 50;
constexpr UINT kLifetime = 120000;
constexpr int kWidth = 180;
constexpr int kHeight = 100;

void Report(const char* what, WPARAM virtualKey)
{
    std::printf("%s %02X\n", what, static_cast<unsigned>(virtualKey));
    std::fflush(stdout);
}

void Report(const char* what)
{
    std::printf("%s\n", what);
    std::fflush(stdout);
}

LRESULT CALLBACK WitnessProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Report("down", wParam);
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        Report("up", wParam);
        return 0;
    case WM_TIMER:
        if (wParam == kLifetimeTimer) {
            DestroyWindow(window);
        } else if (GetFileAttributesA(kActivateRequest) != INVALID_FILE_ATTRIBUTES) {
            DeleteFileA(kActivateRequest);
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            SetForegroundWindow(window);
            Report(GetForegroundWindow() == window ? "activated" : "not activated");
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int main()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WitnessProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass))
        return 1;
    const int right = GetSystemMetrics(SM_CXSCREEN);
    const int bottom = GetSystemMetrics(SM_CYSCREEN);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, kClassName, "key witness", WS_POPUP | WS_BORDER | WS_VISIBLE,
                                  right - kWidth, bottom - kHeight, kWidth, kHeight, nullptr, nullptr, instance,
                                  nullptr);
    if (!window)
        return 1;
    SetForegroundWindow(window);
    SetTimer(window, kLifetimeTimer, kLifetime, nullptr);
    SetTimer(window, kRequestTimer, kRequestPeriod, nullptr);
    std::printf("ready\n");
    std::fflush(stdout);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
