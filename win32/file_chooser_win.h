// The platform's Open and Save As dialogs, asking what the core's question
// asks: its title, its kinds of file and its default extension.
#pragma once

#include <windows.h>

#include <string>

#include "core/platform.h"

constexpr int kChosenPathSize = MAX_PATH;

// The dialog's list of kinds: description, pattern pairs, each
// NUL-terminated, the list ended by an empty string.
std::string FilterList(const FileQuestion& question);

// Puts up the Open dialog or the Save As dialog, as the question asks, over
// `owner`. `result` holds kChosenPathSize bytes; it is emptied first, so the
// dialog starts with an empty name, and receives the chosen full path. The
// Save As dialog starts in the current folder. Nonzero when a file was
// chosen, 0 when the dialog was cancelled or failed.
BOOL AskForFile(HWND owner, const FileQuestion& question, char* result);
