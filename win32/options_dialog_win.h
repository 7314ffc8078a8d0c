// The modal options dialog (template 102): six check boxes, the key sound
// file with its "..." button, the age presets, Help, OK and Cancel.
#pragma once

#include <windows.h>

#include "core/options_record.h"

// Shows the dialog over `owner`, loaded from the module that made `owner`,
// and returns when it closes. OK writes the boxes and the field into `live`;
// a sound file chosen with "..." goes into `live` at once, whatever closes
// the dialog.
void RunOptionsDialog(HWND owner, OptionsRecord& live);

// The dialog procedure; `lParam` of WM_INITDIALOG is the live record.
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
