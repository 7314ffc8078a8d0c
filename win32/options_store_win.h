// The options kept between runs: one binary registry value under
// HKEY_LOCAL_MACHINE\Software\Scrivlet\1.2, read at start-up, written at exit.
#pragma once

#include <windows.h>

#include "core/options_record.h"

constexpr char kOptionsKeyPath[] = "Software\\Scrivlet\\1.2";
constexpr char kOptionsValueName[] = "Options";

// Creates or opens the key and sets value `name`, then flushes the key.
// 0 on success, 1 on failure.
int WriteRegistryValue(const char* name, const void* data, DWORD size, DWORD type);

// Reads value `name` into `buffer`, which holds `*size` bytes; `*size` becomes
// the value's length. 0 on success, 1 on failure (no key, no value, or a value
// longer than the buffer, in which case the buffer may have been written).
int ReadRegistryValue(const char* name, void* buffer, DWORD* size);

// Reads the stored record over `record` (which holds the defaults). A value
// that does not fit changes nothing. 0 when a value was used, else 1.
int LoadOptions(OptionsRecord& record);

// Stores the 284-byte record. 0 on success, 1 on failure.
int SaveOptions(const OptionsRecord& record);
