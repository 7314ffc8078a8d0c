// The options dialog's procedure: shows the core's dialog model in the
// controls, in the toy's language, and hands it each control's event. Each
// open dialog keeps its model in its DWLP_USER slot, from WM_INITDIALOG to
// WM_DESTROY.
#include "core/options_dialog.h"
#include "core/texts.h"
#include "res/resource.h"
#include "win32/shell_win.h"

namespace w32 {

namespace {

OptionsDialog* ModelOf(HWND dialog) { return reinterpret_cast<OptionsDialog*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void ShowBoxes(HWND dialog, const OptionsDialog& model)
{
    for (int i = 0; i < kFlagCount; ++i)
        CheckDlgButton(dialog, OptionBoxId(i), model.boxes[i] ? BST_CHECKED : BST_UNCHECKED);
}

void ShowSoundFile(HWND dialog, const OptionsDialog& model)
{
    SetDlgItemTextA(dialog, IDC_SOUND_FILE, model.soundFile.c_str());
}

void FillPresetList(HWND dialog, const OptionsDialog& model)
{
    HWND list = GetDlgItem(dialog, IDC_PRESETS);
    for (int i = 0; i < kPresetCount; ++i) {
        const std::wstring name = Wide(Tr(PresetName(i)));
        const LRESULT entry = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (entry < 0)
            continue;
        SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(entry), i);
        if (i == model.preset)
            SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    }
}

void Press(HWND dialog, OptionsDialog& model, DialogButton button, INT_PTR result)
{
    if (PressButton(model, button))
        EndDialog(dialog, result);
}

void OnDialogCommand(HWND dialog, OptionsDialog& model, WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    switch (id) {
    case IDOK:
        Press(dialog, model, DialogButton::Ok, 1);
        break;
    case IDCANCEL:
        Press(dialog, model, DialogButton::Cancel, 0);
        break;
    case IDHELP:
        Press(dialog, model, DialogButton::Help, 0);
        break;
    case IDC_BROWSE_SOUND: {
        char path[kChosenPathSize] = "";
        if (SoundFileChosen(model, AskForFile(dialog, kSoundFileQuestion, path) ? path : ""))
            ShowSoundFile(dialog, model);
        break;
    }
    case IDC_PRESETS:
        if (HIWORD(wParam) == CBN_SELCHANGE) {
            ChoosePreset(model, static_cast<int>(SendMessageA(reinterpret_cast<HWND>(lParam), CB_GETCURSEL, 0, 0)));
            ShowBoxes(dialog, model);
        }
        break;
    default:
        // An auto check box has turned itself over before it tells.
        if (OptionBoxIndex(id) >= 0 && HIWORD(wParam) == BN_CLICKED)
            TickBox(model, OptionBoxIndex(id), IsDlgButtonChecked(dialog, id) == BST_CHECKED);
        break;
    }
}

}  // namespace

void RunOptionsDialog(HWND owner, OptionsRecord& live)
{
    // A Unicode dialog from the template of the toy's language, so that its
    // labels show whatever the ANSI code page.
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    if (const DLGTEMPLATE* dialog = DialogInLanguage(IDD_OPTIONS))
        DialogBoxIndirectParamW(instance, dialog, owner, OptionsDialogProc, reinterpret_cast<LPARAM>(&live));
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    OptionsDialog* model = ModelOf(dialog);
    switch (message) {
    case WM_INITDIALOG:
        model = new OptionsDialog(OpenOptionsDialog(*reinterpret_cast<OptionsRecord*>(lParam), ShowHelpTopic));
        SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(model));
        ShowBoxes(dialog, *model);
        ShowSoundFile(dialog, *model);
        FillPresetList(dialog, *model);
        return TRUE;  // the system puts the focus on the first tab stop
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return FALSE;
    case WM_COMMAND:
        if (model)
            OnDialogCommand(dialog, *model, wParam, lParam);
        return FALSE;
    case WM_DESTROY:
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        delete model;
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace w32
