// Where the native program keeps the options record, and how a stored copy
// of any length is laid over the live record: the same rules as the
// Windows program's registry value.
#pragma once

#include <string>

#include "options/options_record.h"

// $XDG_CONFIG_HOME/scrivlet/options when that is an absolute path, else
// $HOME/.config/scrivlet/options; empty when neither is usable, and then
// nothing is read or stored. Either argument may be null.
std::string OptionsFilePath(const char* xdgConfigHome, const char* home);

// The folder part of an options file path (everything before the last '/').
std::string OptionsFolder(const std::string& path);

// Lays `stored` over `record`: up to 284 bytes replace the start of the
// record and the rest keeps its values; anything longer is not read and
// the record stays whole. True when the stored bytes were taken.
bool ApplyStoredOptions(OptionsRecord& record, const std::string& stored);

// The 284 bytes to store.
std::string StoredOptionsBytes(const OptionsRecord& record);
