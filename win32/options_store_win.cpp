// Registry access for the stored options. The value's bytes are the record's
// own layout; a value written by something else is checked by its length.
#include "win32/options_store_win.h"

#include "core/stored_options.h"

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

int ReadRegistryValue(const char* name, void* buffer, DWORD* size)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kOptionsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS || !key)
        return 1;
    const LONG result = RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(buffer), size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 0 : 1;
}

int LoadOptions(OptionsRecord& record)
{
    // When the value does not fit, the registry says so and leaves the
    // buffer's contents undefined: read into scratch, copy only a good read.
    OptionsRecord scratch;
    DWORD size = sizeof scratch;
    if (ReadRegistryValue(kOptionsValueName, &scratch, &size) != 0)
        return 1;
    return ApplyStoredOptions(record, &scratch, size) ? 0 : 1;
}

int SaveOptions(const OptionsRecord& record) { return WriteRegistryValue(kOptionsValueName, &record, sizeof record, REG_BINARY); }
