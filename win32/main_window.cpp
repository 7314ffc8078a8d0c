// The main window procedure: decodes each message, lets the toy decide, and
// paints what it decided. Handlers stay short.
#include <string>
#include <vector>

#include <windows.h>
#include <mmsystem.h>

#include "win32/app.h"
#include "win32/confine_win.h"
#include "win32/key_sound_win.h"
#include "win32/kidproof_win.h"
#include "core/menu_keys.h"
#include "win32/canvas_win.h"
#include "win32/options_dialog_win.h"
#include "win32/options_store_win.h"
#include "win32/bmp_export_win.h"
#include "win32/help_win.h"
#include "res/resource.h"
#include "res/texts.h"

namespace {

// Message boxes break lines at "\r\n"; the core writes "\n".
std::string WindowsLineEnds(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

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
    UpdatePointerConfinement(window, PointerMoment::OptionsClosed, toy.options);
    UpdateDisplayRequest(toy.options);
}

void OnCommand(HWND window, WPARAM command)
{
    // The whole wParam is compared, so only menu selections (high word 0) match.
    switch (command) {
    case IDM_ABOUT:
        MessageBoxA(window, WindowsLineEnds(TEXT_ABOUT).c_str(), TEXT_ABOUT_TITLE, MB_OK);
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

std::vector<std::string> MenuTexts(HMENU menu)
{
    std::vector<std::string> texts;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        texts.emplace_back(text);
    }
    return texts;
}

bool IsPopupOf(HMENU bar, HMENU menu)
{
    const int count = GetMenuItemCount(bar);
    for (int i = 0; i < count; ++i) {
        if (GetSubMenu(bar, i) == menu)
            return true;
    }
    return false;
}

// A letter that matched no '&' mnemonic: on the menu bar (Alt+letter) it
// opens the popup whose title starts with it; in one of our open popups it
// chooses the item, as Windows does and Wine does not. Other menus get 0.
LRESULT OnMenuChar(HWND window, WPARAM wParam, LPARAM lParam)
{
    HMENU bar = GetMenu(window);
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    if (!bar || !menu)
        return 0;
    int index = -1;
    if (menu == bar)
        index = PopupForLetter(LOWORD(wParam), MenuTexts(bar));
    else if (IsPopupOf(bar, menu))
        index = PopupItemForLetter(LOWORD(wParam), MenuTexts(menu));
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
    case WM_ENDSESSION:
        // The process may be ended without another message: keep the
        // options of this run and give back now what the toy changed in the
        // system.
        if (wParam) {
            SaveOptions(toy.options);
            UndoKidproofing();
        }
        break;
    case WM_MENUCHAR:
        if (LRESULT result = OnMenuChar(window, wParam, lParam))
            return result;
        break;
    case WM_SYSCOMMAND:
        if (SwallowSystemCommand(wParam, lParam))
            return 0;
        break;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED)
            PointerWindowShown(window);
        break;
    case WM_ACTIVATEAPP:
        // Both ways: under Wine a pointer move can arrive before the
        // activation, and it must not join a point from before the switch.
        LiftPen(toy.pen);
        UpdatePointerConfinement(window, wParam ? PointerMoment::Activated : PointerMoment::Deactivated, toy.options);
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
