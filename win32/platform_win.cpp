// The table of Win32 operations the core acts through, on the one main
// window: GDI for the marks, ClipCursor and the caption, the key sound on a
// kept output device, the common dialogs, HTML Help and the registry.
#include <string>
#include <vector>

#include "win32/app.h"
#include "win32/bmp_export_win.h"
#include "win32/canvas_win.h"
#include "win32/confine_win.h"
#include "win32/curtains_win.h"
#include "win32/file_chooser_win.h"
#include "win32/file_ops_win.h"
#include "win32/help_win.h"
#include "win32/key_sound_win.h"
#include "win32/kidproof_win.h"
#include "win32/options_dialog_win.h"
#include "win32/options_store_win.h"

namespace {

HWND g_window = nullptr;
SoundPlayer g_soundPlayer = PlayKeySound;

void ClearWindowCanvas() { ClearCanvas(g_window); }
bool ClipPointer() { return ClipPointerToClient(g_window); }
void SetTitle(const char* title) { SetWindowTextA(g_window, title); }
void PlaySound(const std::string& soundFile) { g_soundPlayer(soundFile.c_str()); }
void PrepareSound(const std::string& soundFile) { LookUpKeySound(soundFile.c_str()); }

void ShowMessage(MessageKind, const char* title, const std::string& text)
{
    MessageBoxA(g_window, WindowsLineEnds(text).c_str(), title, MB_OK);
}

std::string Choose(const FileQuestion& question)
{
    char path[kChosenPathSize] = "";
    return AskForFile(g_window, question, path) ? path : "";
}

std::vector<uint8_t> CanvasBmp() { return ReadCanvasAsBmp(TheCanvas()); }
void RunDialog(OptionsRecord& live) { RunOptionsDialog(g_window, live); }
bool Load(OptionsRecord& record) { return LoadOptions(record) == 0; }
bool Save(const OptionsRecord& record) { return SaveOptions(record) == 0; }
void KeepAwake(bool awake) { KeepDisplayAwake(awake); }
void SetTick(unsigned milliseconds) { SetTimer(g_window, kWalkTimer, milliseconds, nullptr); }
void Close() { PostMessageA(g_window, WM_CLOSE, 0, 0); }

}  // namespace

void SetSoundPlayer(SoundPlayer player) { g_soundPlayer = player ? player : PlayKeySound; }

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

void UseWin32Platform(HWND window)
{
    g_window = window;
    SetCurtainOwner(window);
    Platform& platform = TheProgram().platform;
    platform.paintSegment = PaintSegment;
    platform.paintBlossom = PaintBlossom;
    platform.clearCanvas = ClearWindowCanvas;
    platform.confinePointer = ClipPointer;
    platform.pointerStillHeld = PointerClipInForce;
    platform.freePointer = FreePointer;
    platform.setTitle = SetTitle;
    platform.showCurtains = ShowCurtains;
    platform.hideCurtains = HideCurtains;
    platform.activateToy = ActivateToy;
    // The keyboard guard is a system-wide hook for the whole run: no grab.
    platform.holdKeyboard = nullptr;
    platform.playKeySound = PlaySound;
    platform.prepareKeySound = PrepareSound;
    platform.closeKeySound = CloseKeySound;
    platform.showMessage = ShowMessage;
    platform.chooseFile = Choose;
    platform.canvasAsBmp = CanvasBmp;
    platform.files = &Win32FileOps();
    platform.showHelp = ShowHelpTopic;
    platform.runOptionsDialog = RunDialog;
    platform.loadOptions = Load;
    platform.saveOptions = Save;
    platform.keepDisplayAwake = KeepAwake;
    platform.setTickPeriod = SetTick;
    platform.close = Close;
    platform.menusTakeInput = false;
    platform.idleTickPeriod = 0;
}
