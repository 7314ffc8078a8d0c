// What a parent is told when a picture could not be saved: which file, and
// why, in plain words.
#pragma once

#include <string>

#include "core/atomic_file.h"
#include "res/texts.h"

constexpr char kSaveFailureTitle[] = TEXT_SAVE_FAILED_TITLE;

// The reason, in English, as it ends the sentence "... because REASON.".
const char* FileErrorReason(FileError error);

// The reason when the picture itself could not be copied for saving.
constexpr char kNoPictureReason[] = TEXT_REASON_NO_PICTURE;

// What a parent is told when the file chosen at `path` (UTF-8) has a name
// the platform cannot keep, in the active catalogue's language.
std::string NameNotKeptText(const std::string& path);

// The message box text naming `path` and `reason` (an English reason of
// FileErrorReason), in the active catalogue's language.
std::string SaveFailureText(const std::string& path, const char* reason);
