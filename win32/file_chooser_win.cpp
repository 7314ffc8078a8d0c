// The common file dialogs behind AskForFile. The record is the 76-byte form
// of OPENFILENAME (what the SDK sizes as OPENFILENAME_SIZE_VERSION_400A), so
// the dialogs look the same on every Windows the toy runs on.
#include "win32/shell_win.h"

#include <commdlg.h>

#include <cstddef>

namespace w32 {

namespace {

// The chooser always asks the same: confirm overwriting, no read-only box,
// and the folder (and, for Open, the file) must exist.
constexpr DWORD kChooserFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
static_assert(kChooserFlags == 0x1806, "chooser flags");
// The 4.0 record ends with lpTemplateName; the shipped 32-bit exe passes 76
// bytes. (The SDK's macro itself is not a constant expression in GCC.)
static_assert(sizeof(void*) != 4 || offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76,
              "OPENFILENAME 4.0 size");

// The dialog's list of kinds: description, pattern pairs, each
// NUL-terminated, the list ended by an empty string.
std::string FilterList(const FileQuestion& question)
{
    std::string list;
    for (const FileFilter& filter : question.filters) {
        list += filter.name;
        list += '\0';
        list += filter.pattern ? filter.pattern : "*.*";
        list += '\0';
    }
    return list;  // its own terminating NUL ends the list
}

}  // namespace

BOOL AskForFile(HWND owner, const FileQuestion& question, char* result)
{
    result[0] = '\0';
    const std::string filter = FilterList(question);
    char initialDirectory[MAX_PATH] = "";
    if (question.forSaving)
        GetCurrentDirectoryA(sizeof initialDirectory, initialDirectory);
    OPENFILENAMEA chooser{};
    chooser.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    chooser.hwndOwner = owner;
    chooser.lpstrFilter = filter.c_str();
    chooser.lpstrFile = result;
    chooser.nMaxFile = kChosenPathSize;
    chooser.lpstrInitialDir = initialDirectory;
    chooser.lpstrTitle = question.title;
    chooser.Flags = kChooserFlags;
    chooser.lpstrDefExt = question.defaultExtension;
    const BOOL chosen = question.forSaving ? GetSaveFileNameA(&chooser) : GetOpenFileNameA(&chooser);
    // A failed dialog may have left text behind; the caller sees an empty
    // result whenever nothing was chosen.
    if (!chosen)
        result[0] = '\0';
    return chosen;
}

}  // namespace w32
