// What a parent is told when a picture could not be saved: which file, and
// why, in plain words.
#pragma once

#include <string>

#include "core/atomic_file.h"

constexpr char kSaveFailureTitle[] = "Picture not saved";

// The reason as it ends the sentence "... because REASON.".
const char* FileErrorReason(FileError error);

// The reason when the picture itself could not be copied for saving.
constexpr char kNoPictureReason[] = "the computer could not copy the picture (it may be short of memory)";

// The message box text naming `path` and `reason`.
std::string SaveFailureText(const std::string& path, const char* reason);
