// The POSIX file operations that the native shell hands the core's atomic
// writer.
#pragma once

#include "core/atomic_file.h"

const FileOps& PosixFileOps();
