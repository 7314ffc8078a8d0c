// The soak test: one million random messages to the real main window (moves
// inside and outside the client area, both buttons, key releases, the wheel,
// timer ticks with auto draw on and off, Clear, and the messages that lift
// the pen), then checks that the GDI objects and the private memory are back
// where they started and that the window still paints. Prints messages per
// second. Exits 0 when all holds, 1 otherwise. Run by bench/soak.
// Usage: scrivlet_soak.exe [MESSAGES]
#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "res/resource.h"
#include "win32/shell_win.h"

namespace {

// GetGuiResources is a stub under Wine: the room left in the GDI handle
// table is counted instead, by making pens until none can be made.
int PensThatCanStillBeCreated()
{
    std::vector<HPEN> pens;
    pens.reserve(70000);
    while (pens.size() < 1000000) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(pens.size() & 0xFF, 0, 0));
        if (!pen)
            break;
        pens.push_back(pen);
    }
    for (HPEN pen : pens)
        DeleteObject(pen);
    return static_cast<int>(pens.size());
}

// The commit charge: the process's private bytes. (Wine leaves the
// PrivateUsage field at 0 and fills this one.)
SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

// xorshift32 with a fixed seed: every run sends the same messages.
uint32_t g_state = 2463534242u;
uint32_t Next()
{
    g_state ^= g_state << 13;
    g_state ^= g_state >> 17;
    g_state ^= g_state << 5;
    return g_state;
}

constexpr int kGdiSlack = 16;

LPARAM Position(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

void SendRandomMessage(HWND window, const RECT& client)
{
    const uint32_t r = Next();
    const int w = client.right + 200, h = client.bottom + 200;
    // Moves land inside most of the time, sometimes outside on any side.
    const int x = static_cast<int>(Next() % static_cast<uint32_t>(w)) - 100;
    const int y = static_cast<int>(Next() % static_cast<uint32_t>(h)) - 100;
    // Buttons go inside: a right button let go above the client area turns,
    // in DefWindowProc, into a context menu over the caption, which is the
    // system menu, and its modal loop would stop the soak.
    const LPARAM inside = Position(x < 0 ? 0 : x % client.right, y < 0 ? 0 : y % client.bottom);
    switch (r % 100) {
    case 0: case 1: case 2: SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, inside); break;
    case 3: case 4: case 5: SendMessageA(window, WM_LBUTTONUP, 0, inside); break;
    case 6: case 7: SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, inside); break;
    case 8: case 9: SendMessageA(window, WM_RBUTTONUP, 0, inside); break;
    case 10: case 11: case 12: case 13: SendMessageA(window, WM_KEYUP, 'A' + r % 26, 0xC0000001); break;
    case 14: case 15: SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, (r & 1) ? 120 : -120), inside); break;
    case 16: case 17: case 18: case 19: SendMessageA(window, WM_TIMER, w32::kWalkTimer, 0); break;
    case 20: TheToy().options.autoDraw = !TheToy().options.autoDraw; break;
    case 21: if (r % 7 == 0) SendMessageA(window, WM_COMMAND, IDM_CLEAR, 0); break;
    case 22: SendMessageA(window, WM_EXITMENULOOP, 0, 0); break;
    case 23: SendMessageA(window, WM_ACTIVATEAPP, TRUE, 0); break;
    default: SendMessageA(window, WM_MOUSEMOVE, 0, Position(x, y)); break;
    }
}

// Forces a repaint from the canvas and compares the window with it.
bool WindowStillPaints(HWND window, const RECT& client)
{
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    HDC screen = GetDC(window);
    int checked = 0, differing = 0, coloured = 0;
    for (int y = 0; y < client.bottom; y += 7)
        for (int x = 0; x < client.right; x += 7) {
            const COLORREF shown = GetPixel(screen, x, y);
            const COLORREF kept = GetPixel(w32::TheShell().canvas.memorySurface, x, y);
            ++checked;
            differing += shown != kept;
            coloured += kept != 0;
        }
    ReleaseDC(window, screen);
    std::printf("repaint: %d of %d pixels differ from the canvas, %d coloured\n", differing, checked, coloured);
    return differing == 0 && coloured > 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const long total = argc > 1 ? std::atol(argv[1]) : 1000000;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!w32::RegisterMainWindowClass(instance))
        return 1;
    HWND window = w32::OpenMainWindow(instance);
    if (!window)
        return 1;
    ResetOptionsToDefaults(TheToy().options);
    // The sound player is the program's own; with no output device it
    // starts nothing.
    RECT client{};
    GetClientRect(window, &client);

    // A first round makes what the program keeps alive by design (the
    // latest segment pen and stamp brush, the key sound's resolution).
    for (int i = 0; i < 20000; ++i)
        SendRandomMessage(window, client);
    const int pensBefore = PensThatCanStillBeCreated();
    const SIZE_T privateBefore = PrivateBytes();

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (long i = 0; i < total; ++i) {
        SendRandomMessage(window, client);
        if (i % 4096 == 0) {  // let queued painting and timers through
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
        }
    }
    QueryPerformanceCounter(&end);
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);

    const int pensAfter = PensThatCanStillBeCreated();
    const SIZE_T privateAfter = PrivateBytes();
    const long long privateGrowth = static_cast<long long>(privateAfter) - static_cast<long long>(privateBefore);
    std::printf("messages: %ld in %.1f s, %.0f per second\n", total, seconds, total / seconds);
    std::printf("GDI room: %d pens before, %d after\n", pensBefore, pensAfter);
    std::printf("private memory: %zu KB before, %zu KB after\n", static_cast<size_t>(privateBefore / 1024),
                static_cast<size_t>(privateAfter / 1024));
    bool ok = true;
    // Wine keeps a few objects of its own (a window's cached DC regions); a
    // leak per mark would be thousands.
    if (pensBefore - pensAfter > kGdiSlack) {
        std::printf("FAIL: %d GDI objects more than at the start\n", pensBefore - pensAfter);
        ok = false;
    }
    // The heap may keep a page or two it took; a leak per message would be
    // megabytes.
    if (privateBefore == 0 || privateGrowth > 256 * 1024) {
        std::printf("FAIL: private memory grew by %lld KB\n", privateGrowth / 1024);
        ok = false;
    }
    if (!WindowStillPaints(window, client)) {
        std::printf("FAIL: the window does not repaint from the canvas\n");
        ok = false;
    }
    DestroyWindow(window);
    std::printf("%s\n", ok ? "soak: passed" : "soak: FAILED");
    return ok ? 0 : 1;
}
