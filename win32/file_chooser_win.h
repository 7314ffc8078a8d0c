// The platform's Open and Save As dialogs with the few settings the toy
// needs: one for the key sound, one for where to save the picture.
#pragma once

#include <windows.h>

constexpr int kChosenPathSize = MAX_PATH;

// Description, pattern pairs, each NUL-terminated, the list ended by an
// empty string.
constexpr char kBitmapFilter[] = "Bitmap Files\0*.bmp\0All Files\0*.*\0";
constexpr char kSoundFilter[] = "WAV Files\0*.wav\0All Files\0*.*\0";

// Puts up the Open dialog (forSaving false) or the Save As dialog. `result`
// holds kChosenPathSize bytes; it is emptied first, so the dialog starts with
// an empty name, and receives the chosen full path. Nonzero when a file was
// chosen, 0 when the dialog was cancelled or failed.
BOOL ChooseFile(HWND owner, char* result, const char* filter, const char* initialDirectory, const char* title,
                const char* defaultExtension, bool forSaving);

// The two uses.
BOOL ChooseSoundFile(HWND owner, char* result);
BOOL ChooseBitmapFileToSave(HWND owner, char* result);
