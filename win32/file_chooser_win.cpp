// The common file dialogs behind ChooseFile. The record is the 76-byte form
// of OPENFILENAME (what the SDK sizes as OPENFILENAME_SIZE_VERSION_400A), so
// the dialogs look the same on every Windows the toy runs on.
#include "win32/file_chooser_win.h"

#include <commdlg.h>

#include <cstddef>

namespace {

// The chooser always asks the same: confirm overwriting, no read-only box,
// and the folder (and, for Open, the file) must exist.
constexpr DWORD kChooserFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
static_assert(kChooserFlags == 0x1806, "chooser flags");
// The 4.0 record ends with lpTemplateName; the shipped 32-bit exe passes 76
// bytes. (The SDK's macro itself is not a constant expression in GCC.)
static_assert(sizeof(void*) != 4 || offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76,
              "OPENFILENAME 4.0 size");

}  // namespace

BOOL ChooseFile(HWND owner, char* result, const char* filter, const char* initialDirectory, const char* title,
                const char* defaultExtension, bool forSaving)
{
    result[0] = '\0';
    OPENFILENAMEA chooser{};
    chooser.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    chooser.hwndOwner = owner;
    chooser.lpstrFilter = filter;
    chooser.lpstrFile = result;
    chooser.nMaxFile = kChosenPathSize;
    chooser.lpstrInitialDir = initialDirectory;
    chooser.lpstrTitle = title;
    chooser.Flags = kChooserFlags;
    chooser.lpstrDefExt = defaultExtension;
    const BOOL chosen = forSaving ? GetSaveFileNameA(&chooser) : GetOpenFileNameA(&chooser);
    // A failed dialog may have left text behind; the caller sees an empty
    // result whenever nothing was chosen.
    if (!chosen)
        result[0] = '\0';
    return chosen;
}

BOOL ChooseSoundFile(HWND owner, char* result)
{
    return ChooseFile(owner, result, kSoundFilter, "", "Choose audio file", "", false);
}

BOOL ChooseBitmapFileToSave(HWND owner, char* result)
{
    char initialDirectory[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof initialDirectory, initialDirectory);
    return ChooseFile(owner, result, kBitmapFilter, initialDirectory, "Choose filename to save the image", "bmp",
                      true);
}
