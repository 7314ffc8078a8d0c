// The language the toy speaks: the user's Windows UI language where the
// resources have it, else English. The core's texts, the menu, the options
// dialog and the string table all come from that one language: each is
// loaded by its language identifier rather than left to the system's own
// choice, which follows other settings on some systems (the thread's
// locale under Wine) and could give a German menu beside Russian titles.
#include <string>

#include "core/texts.h"
#include "res/resource.h"
#include "win32/shell_win.h"

namespace w32 {

namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

std::string LocaleName(LANGID language)
{
    const LCID locale = MAKELCID(language, SORT_DEFAULT);
    wchar_t iso639[16] = L"";
    wchar_t iso3166[16] = L"";
    GetLocaleInfoW(locale, LOCALE_SISO639LANGNAME, iso639, 16);
    GetLocaleInfoW(locale, LOCALE_SISO3166CTRYNAME, iso3166, 16);
    std::string name = Utf8(iso639);
    if (iso3166[0] != L'\0')
        name += "_" + Utf8(iso3166);
    return name;
}

bool HasMenuIn(HINSTANCE instance, LANGID language)
{
    return FindResourceExW(instance, MAKEINTRESOURCEW(5) /* RT_DIALOG */, MAKEINTRESOURCEW(IDD_OPTIONS),
                           language) != nullptr &&
           FindResourceExW(instance, MAKEINTRESOURCEW(4) /* RT_MENU */, MAKEINTRESOURCEW(IDR_MAIN_MENU),
                           language) != nullptr;
}

// The resources' copy for the catalogue chosen from `uiLanguage`: the UI
// language's own (Brazil's Portuguese), or its language's neutral one (all
// German is German), else English.
LANGID ResourceLanguageFor(HINSTANCE instance, const std::string& catalogue, LANGID uiLanguage)
{
    if (catalogue.empty())
        return kEnglish;
    for (LANGID candidate : {uiLanguage, static_cast<LANGID>(MAKELANGID(PRIMARYLANGID(uiLanguage), SUBLANG_NEUTRAL)),
                             static_cast<LANGID>(MAKELANGID(PRIMARYLANGID(uiLanguage), SUBLANG_DEFAULT))}) {
        if (HasMenuIn(instance, candidate))
            return candidate;
    }
    return kEnglish;
}

// The core's translator: the string of the active language's table.
std::string FromStringTable(int textId, const char*)
{
    const Shell& shell = TheShell();
    const std::wstring text = StringOf(shell.resources, shell.language, textId);
    return Utf8(text);
}

// A resource of the chosen language, or nullptr.
const void* ResourceData(HINSTANCE instance, LPCWSTR type, LPCWSTR name, LANGID language, DWORD* size = nullptr)
{
    HRSRC found = FindResourceExW(instance, type, name, language);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    if (size)
        *size = found ? SizeofResource(instance, found) : 0;
    return loaded ? LockResource(loaded) : nullptr;
}

}  // namespace

std::wstring Wide(const std::string& text)
{
    // Valid UTF-8 goes over whole. A text may also carry a stored ANSI path
    // (a failed save names it), whose bytes are not UTF-8: each run of
    // those is read in the ANSI code page, as the system shows such a path.
    std::wstring wide;
    size_t i = 0;
    while (i < text.size()) {
        size_t end = i;
        while (end < text.size()) {
            const auto byte = static_cast<unsigned char>(text[end]);
            const int length = byte < 0x80 ? 1 : (byte >> 5) == 6 ? 2 : (byte >> 4) == 14 ? 3 : (byte >> 3) == 30 ? 4 : 0;
            if (length == 0 || end + length > text.size() ||
                MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data() + end, length, nullptr, 0) == 0)
                break;
            end += length;
        }
        UINT codePage = CP_UTF8;
        if (end == i) {  // a run of bytes that are not UTF-8
            codePage = CP_ACP;
            while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80)
                ++end;
            end = end == i ? i + 1 : end;
        }
        const int count = MultiByteToWideChar(codePage, 0, text.data() + i, static_cast<int>(end - i), nullptr, 0);
        const size_t at = wide.size();
        wide.resize(at + count);
        MultiByteToWideChar(codePage, 0, text.data() + i, static_cast<int>(end - i), &wide[at], count);
        i = end;
    }
    return wide;
}

std::string Utf8(const std::wstring& text)
{
    const int count =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(count, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), count, nullptr, nullptr);
    return utf8;
}

std::wstring StringOf(HINSTANCE instance, LANGID language, int id)
{
    // A string table block holds sixteen counted UTF-16 strings; block n
    // holds the identifiers 16 (n - 1) to 16 n - 1.
    DWORD size = 0;
    const auto* block = static_cast<const WCHAR*>(ResourceData(
        instance, MAKEINTRESOURCEW(6) /* RT_STRING */, MAKEINTRESOURCEW(id / 16 + 1), language, &size));
    if (!block)
        return L"";
    const WCHAR* end = block + size / sizeof(WCHAR);
    for (int i = 0; i < id % 16 && block < end; ++i)
        block += 1 + *block;
    if (block >= end || block + 1 + *block > end)
        return L"";
    return std::wstring(block + 1, *block);
}

void SpeakLanguage(HINSTANCE instance, const std::string& catalogue, LANGID uiLanguage)
{
    Shell& shell = TheShell();
    shell.resources = instance;
    shell.language = ResourceLanguageFor(instance, catalogue, uiLanguage);
    UseCatalogue(FromStringTable, shell.language == kEnglish ? std::string() : catalogue);
}

void SpeakUserLanguage(HINSTANCE instance)
{
    const LANGID uiLanguage = GetUserDefaultUILanguage();
    SpeakLanguage(instance, CatalogueLanguage({LocaleName(uiLanguage)}), uiLanguage);
}

HMENU LoadMenuInLanguage()
{
    const Shell& shell = TheShell();
    const void* menu =
        ResourceData(shell.resources, MAKEINTRESOURCEW(4) /* RT_MENU */, MAKEINTRESOURCEW(IDR_MAIN_MENU), shell.language);
    return menu ? LoadMenuIndirectW(menu) : nullptr;
}

const DLGTEMPLATE* DialogInLanguage(int id)
{
    const Shell& shell = TheShell();
    return static_cast<const DLGTEMPLATE*>(
        ResourceData(shell.resources, MAKEINTRESOURCEW(5) /* RT_DIALOG */, MAKEINTRESOURCEW(id), shell.language));
}

}  // namespace w32
