// The common file dialogs behind AskForFile. The record is the 76-byte form
// of OPENFILENAME (what the SDK sizes as OPENFILENAME_SIZE_VERSION_400W), so
// the dialogs look the same on every Windows the toy runs on.
#include "win32/shell_win.h"

#include <commdlg.h>

#include <cstddef>
#include <optional>
#include <string>

#include "core/save_failure.h"
#include "core/texts.h"
#include "res/texts.h"

namespace w32 {

namespace {

// The chooser always asks the same: confirm overwriting, no read-only box,
// and the folder (and, for Open, the file) must exist.
constexpr DWORD kChooserFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
static_assert(kChooserFlags == 0x1806, "chooser flags");
// The 4.0 record ends with lpTemplateName; the shipped 32-bit exe passes 76
// bytes, in either character set. (The SDK's macro itself is not a
// constant expression in GCC.)
static_assert(sizeof(void*) != 4 || offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR) == 76,
              "OPENFILENAME 4.0 size");

// The dialog's list of kinds in the toy's language: description, pattern
// pairs, each NUL-terminated, the list ended by an empty string.
std::wstring FilterList(const FileQuestion& question)
{
    std::wstring list;
    for (const FileFilter& filter : question.filters) {
        list += Wide(Tr(filter.name));
        list += L'\0';
        list += Wide(filter.pattern ? filter.pattern : "*.*");
        list += L'\0';
    }
    return list;  // its own terminating NUL ends the list
}

// `path` in the ANSI code page, when every character of it is there.
std::optional<std::string> Ansi(const std::wstring& path)
{
    if (path.empty())
        return std::nullopt;
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy)
        return std::nullopt;
    std::string ansi(size, '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, ansi.data(), size, nullptr, &lossy);
    ansi.resize(size - 1);
    return lossy ? std::nullopt : std::optional<std::string>(ansi);
}

std::wstring ShortName(const std::wstring& path)
{
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    std::wstring name(size, L'\0');
    const DWORD length = size ? GetShortPathNameW(path.c_str(), name.data(), size) : 0;
    name.resize(length < size ? length : 0);
    return name;
}

}  // namespace

std::optional<std::string> StoredPathOf(const std::wstring& chosen, bool forSaving)
{
    // The sound file and the saved picture are kept and opened as ANSI
    // text. A name outside the ANSI code page is reached through its 8.3
    // short name; a file still to be written has none, but its folder has.
    if (std::optional<std::string> ansi = Ansi(chosen))
        return ansi;
    if (!forSaving)
        return Ansi(ShortName(chosen));
    const size_t slash = chosen.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return std::nullopt;
    const std::wstring folder = ShortName(chosen.substr(0, slash));
    return folder.empty() ? std::nullopt : Ansi(folder + chosen.substr(slash));
}

BOOL AskForFile(HWND owner, const FileQuestion& question, char* result)
{
    result[0] = '\0';
    const std::wstring filter = FilterList(question);
    const std::wstring title = Wide(Tr(question.title));
    const std::wstring extension = Wide(question.defaultExtension);
    wchar_t initialDirectory[MAX_PATH] = L"";
    if (question.forSaving)
        GetCurrentDirectoryW(MAX_PATH, initialDirectory);
    // The chooser may hand back a longer name than the stored text holds;
    // such a name is refused below rather than cut.
    wchar_t chosen[kChosenPathSize] = L"";
    OPENFILENAMEW chooser{};
    chooser.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    chooser.hwndOwner = owner;
    chooser.lpstrFilter = filter.c_str();
    chooser.lpstrFile = chosen;
    chooser.nMaxFile = kChosenPathSize;
    chooser.lpstrInitialDir = initialDirectory;
    chooser.lpstrTitle = title.c_str();
    chooser.Flags = kChooserFlags;
    chooser.lpstrDefExt = extension.c_str();
    if (!(question.forSaving ? GetSaveFileNameW(&chooser) : GetOpenFileNameW(&chooser)))
        return FALSE;
    const std::optional<std::string> stored = StoredPathOf(chosen, question.forSaving);
    // Nothing is chosen rather than a name that would open another file,
    // and the parent hears why.
    if (!stored) {
        ShowMessageOver(owner, Tr(TEXT_TITLE_PLAIN), NameNotKeptText(Utf8(chosen)));
        return FALSE;
    }
    if (stored->size() >= kChosenPathSize)
        return FALSE;
    stored->copy(result, stored->size());
    result[stored->size()] = '\0';
    return TRUE;
}

}  // namespace w32
