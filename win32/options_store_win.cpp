// Registry access: the stored options, whose value's bytes are the record's
// own layout (a value written by something else is checked by its length),
// and the text values the key sound and the help viewer look up.
#include "core/stored_options.h"
#include "win32/shell_win.h"

namespace w32 {

std::string RegistryText(HKEY root, const char* path, bool expand)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    char value[MAX_PATH] = "";
    DWORD size = sizeof value - 1;  // room for a NUL the stored text may lack
    DWORD type = REG_NONE;
    const LSTATUS status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    value[size] = '\0';
    if (type == REG_SZ || !expand)
        return value;
    char expanded[MAX_PATH] = "";
    const DWORD length = ExpandEnvironmentStringsA(value, expanded, sizeof expanded);
    return length > 0 && length <= sizeof expanded ? expanded : std::string();
}

int WriteRegistryValue(const char* name, const void* data, DWORD size, DWORD type)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kOptionsKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS ||
        !key)
        return 1;
    bool written = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    if (written)
        written = RegFlushKey(key) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written ? 0 : 1;
}

int LoadOptions(OptionsRecord& record)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kOptionsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS || !key)
        return 1;
    // When the value does not fit, the registry says so and leaves the
    // buffer's contents undefined: read into scratch, copy only a good read.
    OptionsRecord scratch;
    DWORD size = sizeof scratch;
    const LONG result =
        RegQueryValueExA(key, kOptionsValueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&scratch), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && ApplyStoredOptions(record, &scratch, size) ? 0 : 1;
}

int SaveOptions(const OptionsRecord& record)
{
    return WriteRegistryValue(kOptionsValueName, &record, sizeof record, REG_BINARY);
}

}  // namespace w32
