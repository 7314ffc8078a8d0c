// Where the native program keeps the options record: the user's
// configuration folder, as the XDG base directory rules name it.
#pragma once

#include <string>

#include "core/options_record.h"

// $XDG_CONFIG_HOME/scrivlet/options when that is an absolute path, else
// $HOME/.config/scrivlet/options; empty when neither is usable, and then
// nothing is read or stored. Either argument may be null.
std::string OptionsFilePath(const char* xdgConfigHome, const char* home);

// The folder part of an options file path (everything before the last '/').
std::string OptionsFolder(const std::string& path);
