// The main window procedure: decodes each message, lets the toy decide, and
// paints what it decided. Handlers stay short.
#include <string>
#include <vector>

#include <windows.h>
#include <mmsystem.h>

#include "app/app.h"
#include "app/key_sound_win.h"
#include "app/menu_keys.h"
#include "draw/canvas_win.h"
#include "options/options_dialog_win.h"
#include "files/bmp_export_win.h"
#include "files/help_win.h"
#include "res/resource.h"

namespace {

SoundPlayer g_soundPlayer = PlayKeySound;

void PaintIfAny(const std::optional<Segment>& segment)
{
    if (segment)
        PaintSegment(*segment);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    RepaintFromCanvas(paint.hdc, paint.rcPaint);
    EndPaint(window, &paint);
}

void OnKeyUp(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    Toy& toy = TheToy();
    const KeyStamp stamp = OnKeyReleased(toy, client.right, client.bottom);
    PaintBlossom(stamp.blossom);
    if (stamp.playSound) {
        const std::string soundFile = SoundFileText(toy.options);
        g_soundPlayer(soundFile.c_str());
    }
}

void OnOptions(HWND window)
{
    Toy& toy = TheToy();
    RunOptionsDialog(window, toy.options);
    LiftPen(toy.pen);
}

void OnCommand(HWND window, WPARAM command)
{
    // The whole wParam is compared, so only menu selections (high word 0) match.
    switch (command) {
    case IDM_ABOUT:
        MessageBoxA(window, kAboutText, "About", MB_OK);
        LiftPen(TheToy().pen);
        break;
    case IDM_CLEAR:
        ClearCanvas(window);
        break;
    case IDM_OPTIONS:
        OnOptions(window);
        break;
    case IDM_SAVE_BMP:
        SaveCanvasAsBmp(window);
        break;
    case IDM_HELP_CONTENTS:
        ShowHelpTopic("scrivlet.htm");
        LiftPen(TheToy().pen);
        break;
    case IDM_EXIT:
        PostMessageA(window, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

// Alt+letter on the menu bar: open the popup whose title starts with it.
LRESULT OnMenuChar(HWND window, WPARAM wParam, LPARAM lParam)
{
    HMENU bar = GetMenu(window);
    if (!bar || reinterpret_cast<HMENU>(lParam) != bar)
        return 0;
    std::vector<std::string> titles;
    const int count = GetMenuItemCount(bar);
    for (int i = 0; i < count; ++i) {
        char title[64] = "";
        GetMenuStringA(bar, i, title, sizeof title, MF_BYPOSITION);
        titles.emplace_back(title);
    }
    const int index = PopupForLetter(LOWORD(wParam), titles);
    return index < 0 ? 0 : MAKELRESULT(index, MNC_EXECUTE);
}

}  // namespace

void SetSoundPlayer(SoundPlayer player) { g_soundPlayer = player ? player : PlayKeySound; }

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Toy& toy = TheToy();
    switch (message) {
    case WM_DESTROY:
        ReleaseWindowSurface(window);
        PostQuitMessage(0);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_MENUCHAR:
        if (LRESULT result = OnMenuChar(window, wParam, lParam))
            return result;
        break;
    case WM_ACTIVATEAPP:
        if (wParam)
            LiftPen(toy.pen);
        break;
    case WM_KEYUP:
        OnKeyUp(window);
        break;
    case WM_COMMAND:
        OnCommand(window, wParam);
        break;
    case WM_TIMER:
        PaintIfAny(OnTimerTick(toy));
        break;
    case WM_MOUSEMOVE:
        PaintIfAny(OnPointerMove(toy, static_cast<uint32_t>(lParam)));
        break;
    case WM_LBUTTONDOWN:
        SetLeftButton(toy.pen, true);
        SetCapture(window);
        break;
    case WM_LBUTTONUP:
        SetLeftButton(toy.pen, false);
        ReleaseCapture();
        break;
    case WM_RBUTTONDOWN:
        SetRightButton(toy.pen, true);
        SetCapture(window);
        break;
    case WM_RBUTTONUP:
        SetRightButton(toy.pen, false);
        ReleaseCapture();
        break;
    case WM_MOUSEWHEEL:
        PaintIfAny(OnWalkStep(toy));
        break;
    case MM_WOM_DONE:
        OnKeySoundDone();
        return 0;
    case WM_EXITMENULOOP:
        LiftPen(toy.pen);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
