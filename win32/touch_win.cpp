// Fingers on a touch screen. Windows 8 and later report each finger with
// pointer messages, Windows 7 with the touch message of a window that asks
// for it, and every Windows makes mouse messages from one finger, marked
// with a signature. Each reaches the core as the finger it is; the system's
// own touch gestures and marks are switched off for the toy's window.
#include <windowsx.h>
#include <propsys.h>

#include <cstring>

#include "core/pointer_messages.h"
#include "win32/shell_win.h"

namespace w32 {

namespace {

// Bits of the tablet's gesture question (tpcshrd.h).
constexpr LRESULT kDisablePressAndHold = 0x00000001;
constexpr LRESULT kDisablePenTapFeedback = 0x00000008;
constexpr LRESULT kDisablePenBarrelFeedback = 0x00000010;
constexpr LRESULT kDisableTouchSwitch = 0x00008000;
constexpr LRESULT kDisableFlicks = 0x00010000;
constexpr LRESULT kDisableSmoothScrolling = 0x00080000;
constexpr LRESULT kDisableFlickFallbackKeys = 0x00100000;

constexpr ULONG kWantPalm = 0x00000002;  // TWF_WANTPALM

// The feedback kinds of SetWindowFeedbackSetting, from the contact's ring
// under a finger (1) to press and tap (11).
constexpr int kFirstFeedback = 1;
constexpr int kLastFeedback = 11;

// PKEY_EdgeGesture_DisableTouchWhenFullscreen (propkey.h of Windows 8).
const PROPERTYKEY kEdgeGesturesOffWhenFullScreen = {
    {0x32CE38B2, 0x2C9A, 0x41B1, {0x9B, 0xC5, 0xB3, 0x78, 0x43, 0x94, 0xAA, 0x44}}, 2};

Touch& State() { return TheShell().touch; }

// A screen point in the window's client coordinates. ClientToScreen is
// already imported; its opposite is not.
Point ClientPointOf(HWND window, int x, int y)
{
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return Point{x - origin.x, y - origin.y};
}

void TellFinger(std::optional<TouchPhase> phase, uint32_t id, Point at)
{
    if (phase)
        OnTouch(TheProgram(), *phase, id, at);
}

// Finds the calls this system's user32 has; true where fingers come as
// pointer messages (Windows 8 and later).
bool LoadUser32Calls(HMODULE user32)
{
    Touch& touch = State();
    const FARPROC extraInfo = GetProcAddress(user32, "GetMessageExtraInfo");
    std::memcpy(&touch.messageExtraInfo, &extraInfo, sizeof extraInfo);
    // Only a system with pointer messages has GetPointerType. It is looked
    // for, never called: Wine's says "mouse" for every pointer.
    BOOL(WINAPI* pointerType)(UINT32 id, POINTER_INPUT_TYPE* type) = nullptr;
    const FARPROC found = GetProcAddress(user32, "GetPointerType");
    std::memcpy(&pointerType, &found, sizeof found);
    if (pointerType)
        return true;
    const FARPROC reader = GetProcAddress(user32, "GetTouchInputInfo");
    std::memcpy(&touch.getTouchInputInfo, &reader, sizeof reader);
    const FARPROC closer = GetProcAddress(user32, "CloseTouchInputHandle");
    std::memcpy(&touch.closeTouchInputHandle, &closer, sizeof closer);
    const FARPROC toLogical = GetProcAddress(user32, "PhysicalToLogicalPoint");
    std::memcpy(&touch.physicalToLogicalPoint, &toLogical, sizeof toLogical);
    return false;
}

// Windows 7: the window asks for the touch message, palms too (a baby
// paints with the whole hand). Then the mouse messages made from the same
// fingers are only their echoes.
void AskForTouchMessages(HMODULE user32, HWND window)
{
    BOOL(WINAPI* registerTouch)(HWND window, ULONG flags) = nullptr;
    const FARPROC found = GetProcAddress(user32, "RegisterTouchWindow");
    std::memcpy(&registerTouch, &found, sizeof found);
    if (registerTouch && registerTouch(window, kWantPalm))
        TheProgram().fingersReported = true;
}

// Windows 8: no ring under a finger that lands or is held, and no pen
// marks.
void SwitchOffFeedback(HMODULE user32, HWND window)
{
    BOOL(WINAPI* setFeedback)(HWND window, FEEDBACK_TYPE kind, DWORD flags, UINT32 size, const void* setting) =
        nullptr;
    const FARPROC found = GetProcAddress(user32, "SetWindowFeedbackSetting");
    std::memcpy(&setFeedback, &found, sizeof found);
    if (!setFeedback)
        return;
    const BOOL off = FALSE;
    for (int kind = kFirstFeedback; kind <= kLastFeedback; ++kind)
        setFeedback(window, static_cast<FEEDBACK_TYPE>(kind), 0, sizeof off, &off);
}

// Sets or clears the window's edge-swipe property; true when the window
// holds it afterwards. Windows honours it only while the window covers its
// whole monitor. Wine's store takes the value and keeps nothing, which the
// read-back shows.
bool SetEdgeGesturesOff(HMODULE shell, HWND window, bool off)
{
    HRESULT(WINAPI* storeForWindow)(HWND window, REFIID iid, void** store) = nullptr;
    const FARPROC found = GetProcAddress(shell, "SHGetPropertyStoreForWindow");
    std::memcpy(&storeForWindow, &found, sizeof found);
    IPropertyStore* store = nullptr;
    if (!storeForWindow || FAILED(storeForWindow(window, __uuidof(IPropertyStore), reinterpret_cast<void**>(&store))))
        return false;
    // A VT_BOOL needs no PropVariantClear, and VT_EMPTY removes the value.
    PROPVARIANT value{};
    value.vt = off ? VT_BOOL : VT_EMPTY;
    value.boolVal = off ? VARIANT_TRUE : VARIANT_FALSE;
    PROPVARIANT held{};
    const bool holds = SUCCEEDED(store->SetValue(kEdgeGesturesOffWhenFullScreen, value)) &&
                       SUCCEEDED(store->GetValue(kEdgeGesturesOffWhenFullScreen, &held)) && held.vt == VT_BOOL &&
                       held.boolVal == VARIANT_TRUE;
    store->Release();
    return holds;
}

}  // namespace

void PrepareTouch(HWND window)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32)
        return;
    if (!LoadUser32Calls(user32)) {
        AskForTouchMessages(user32, window);
        return;
    }
    SwitchOffFeedback(user32, window);
    // shell32 is not imported: under Wine it brings megabytes with it. It
    // stays loaded only while the window holds the setting, to give it back.
    HMODULE shell = LoadLibraryA("shell32.dll");
    if (shell && SetEdgeGesturesOff(shell, window, true))
        State().shell = shell;
    else if (shell)
        FreeLibrary(shell);
}

void ForgetTouch(HWND window)
{
    if (!State().shell)
        return;
    SetEdgeGesturesOff(State().shell, window, false);
    FreeLibrary(State().shell);
    State().shell = nullptr;
}

std::optional<MouseFromTouch> MouseMessageFromTouch(UINT message)
{
    const Touch& touch = State();
    std::optional<MouseFromTouch> kind;
    switch (message) {
    case WM_MOUSEMOVE:
        kind = MouseFromTouch::Move;
        break;
    case WM_LBUTTONDOWN:
        kind = MouseFromTouch::LeftDown;
        break;
    case WM_LBUTTONUP:
        kind = MouseFromTouch::LeftUp;
        break;
    case WM_RBUTTONDOWN:
        kind = MouseFromTouch::RightDown;
        break;
    case WM_RBUTTONUP:
        kind = MouseFromTouch::RightUp;
        break;
    default:
        return std::nullopt;
    }
    // The signature is in the low 32 bits, in 64-bit Windows too.
    if (!touch.messageExtraInfo || !MadeFromTouch(static_cast<uint32_t>(touch.messageExtraInfo())))
        return std::nullopt;
    return kind;
}

void OnPointerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Wine 8 has the pointer functions but sends no pointer messages from
    // input, and makes plain mouse messages from a finger; Windows sends a
    // finger's pointer message before any mouse message made from it. So
    // the fingers count as reported from the first pointer message on.
    TheProgram().fingersReported = true;
    const uint32_t id = LOWORD(wParam);     // GET_POINTERID_WPARAM
    const uint32_t flags = HIWORD(wParam);  // the POINTER_MESSAGE_FLAG_ bits
    PointerMessage kind = PointerMessage::Update;
    if (message == kPointerDown)
        kind = PointerMessage::Down;
    else if (message == kPointerUp)
        kind = PointerMessage::Up;
    else if (message == kPointerCaptureChanged)
        kind = PointerMessage::CaptureChanged;
    // A lost capture's lParam is the window that took it, not a point.
    const Point at = kind == PointerMessage::CaptureChanged
                         ? Point{}
                         : ClientPointOf(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    TellFinger(PointerPhaseOf(kind, flags), id, at);
}

bool OnTouchMessage(HWND window, WPARAM wParam, LPARAM lParam)
{
    const Touch& touch = State();
    const UINT count = LOWORD(wParam);
    if (!touch.getTouchInputInfo || count == 0)
        return false;
    auto* handle = reinterpret_cast<HTOUCHINPUT>(lParam);
    std::vector<TOUCHINPUT> contacts(count);
    if (!touch.getTouchInputInfo(handle, count, contacts.data(), sizeof(TOUCHINPUT)))
        return false;
    for (const TOUCHINPUT& contact : contacts) {
        POINT screen{TouchInputPixel(contact.x), TouchInputPixel(contact.y)};
        if (touch.physicalToLogicalPoint)
            touch.physicalToLogicalPoint(window, &screen);
        const Point at = ClientPointOf(window, screen.x, screen.y);
        TellFinger(TouchInputPhaseOf(contact.dwFlags), contact.dwID, at);
    }
    // A message that was handled is closed here; one that was not is the
    // default handling's to close.
    if (touch.closeTouchInputHandle)
        touch.closeTouchInputHandle(handle);
    return true;
}

LRESULT SystemGesturesOff()
{
    return kDisablePressAndHold | kDisablePenTapFeedback | kDisablePenBarrelFeedback | kDisableTouchSwitch |
           kDisableFlicks | kDisableSmoothScrolling | kDisableFlickFallbackKeys;
}

}  // namespace w32
