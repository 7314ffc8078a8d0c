// The options record in the user's configuration folder: read over the
// defaults at start-up, written back atomically at exit.
#pragma once

#include <string>

#include "core/options_record.h"

// The options file of this user, from XDG_CONFIG_HOME and HOME.
std::string UserOptionsFile();

// Reads `path` over `record`: a shorter file replaces the start of the
// record, as the registry value does on Windows. False, with the record
// untouched, when there is no file, it cannot be read or it is longer than
// the record.
bool LoadOptionsFile(const std::string& path, OptionsRecord& record);

// Writes the record to a temporary file beside `path` and moves it into
// place, making the folder first if needed. On failure the old
// file stays as it was, no temporary file is left, and false is returned.
bool SaveOptionsFile(const std::string& path, const OptionsRecord& record);

// The two above on the user's options file.
bool LoadStoredOptions(OptionsRecord& record);
bool SaveStoredOptions(const OptionsRecord& record);
