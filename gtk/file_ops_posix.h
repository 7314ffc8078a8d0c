// The POSIX file operations that the native shell hands the core's atomic
// writer.
#pragma once

#include <optional>
#include <string>

#include "core/atomic_file.h"
#include "core/data_files.h"

const FileOps& PosixFileOps();

// The program's own absolute path (/proc/self/exe); empty when unknown.
const std::string& ProgramPath();

// Whether a readable file, or a folder, is at a path.
bool IsReadableFile(const std::string& path);
bool IsFolder(const std::string& path);

// The data file `name` of this program (FindDataFile); nothing when it is
// missing.
std::optional<std::string> DataFile(const std::string& name);
