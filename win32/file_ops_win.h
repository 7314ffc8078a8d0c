// The Win32 file operations that the Windows shell hands the core's atomic
// writer.
#pragma once

#include "core/atomic_file.h"

const FileOps& Win32FileOps();
