// The options dialog's procedure: moves the record into the controls and back.
// The decisions (which boxes, which preset, what OK writes) are in the core.
#include <string>

#include "core/options_dialog.h"
#include "res/resource.h"
#include "win32/shell_win.h"

namespace w32 {

namespace {

// The record the open dialog works on. The dialog is modal and there is one
// thread, so one at a time.
OptionsRecord* g_live = nullptr;

void ShowBoxes(HWND dialog, const OptionBoxes& boxes)
{
    for (int i = 0; i < kFlagCount; ++i)
        CheckDlgButton(dialog, OptionBoxId(i), boxes[i] ? BST_CHECKED : BST_UNCHECKED);
}

void ShowSoundFile(HWND dialog, const OptionsRecord& record)
{
    // Read up to the field's end: a stored value may lack its NUL.
    SetDlgItemTextA(dialog, IDC_SOUND_FILE, SoundFileText(record).c_str());
}

void FillPresetList(HWND dialog, const OptionsRecord& record)
{
    HWND list = GetDlgItem(dialog, IDC_PRESETS);
    const int matching = PresetMatchingRecord(record);
    for (int i = 0; i < kPresetCount; ++i) {
        const LRESULT entry = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PresetName(i)));
        if (entry < 0)
            continue;
        SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(entry), i);
        if (i == matching)
            SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    }
}

void ReadOptionsFromDialog(HWND dialog, OptionsRecord& record)
{
    OptionBoxes boxes{};
    for (int i = 0; i < kFlagCount; ++i)
        boxes[i] = IsDlgButtonChecked(dialog, OptionBoxId(i)) == BST_CHECKED;
    // One byte more than the field, so that a text filling all of it comes
    // back whole.
    char text[kSoundFileSize + 1] = "";
    GetDlgItemTextA(dialog, IDC_SOUND_FILE, text, sizeof text);
    ApplyDialogToRecord(record, boxes, text);
}

void BrowseSoundFile(HWND dialog, OptionsRecord& record)
{
    char path[kChosenPathSize] = "";
    if (!AskForFile(dialog, kSoundFileQuestion, path))
        return;
    SetSoundFile(record, path);
    ShowSoundFile(dialog, record);
}

void OnPresetChosen(HWND dialog, HWND list)
{
    const LRESULT position = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (position != CB_ERR)
        ShowBoxes(dialog, BoxesForPreset(static_cast<int>(position)));
}

void OnDialogCommand(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        ReadOptionsFromDialog(dialog, *g_live);
        EndDialog(dialog, 1);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDHELP:
        ShowHelpTopic(kOptionsHelpTopic);
        break;
    case IDC_BROWSE_SOUND:
        BrowseSoundFile(dialog, *g_live);
        break;
    case IDC_PRESETS:
        if (HIWORD(wParam) == CBN_SELCHANGE)
            OnPresetChosen(dialog, reinterpret_cast<HWND>(lParam));
        break;
    default:
        break;
    }
}

}  // namespace

void RunOptionsDialog(HWND owner, OptionsRecord& live)
{
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_OPTIONS), owner, OptionsDialogProc,
                    reinterpret_cast<LPARAM>(&live));
    g_live = nullptr;
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        g_live = reinterpret_cast<OptionsRecord*>(lParam);
        ShowBoxes(dialog, BoxesForRecord(*g_live));
        ShowSoundFile(dialog, *g_live);
        FillPresetList(dialog, *g_live);
        return TRUE;  // the system puts the focus on the first tab stop
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return FALSE;
    case WM_COMMAND:
        if (g_live)
            OnDialogCommand(dialog, wParam, lParam);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace w32
