// Opens topics of the toy's compiled help file, scrivlet.chm, which is looked
// for in the directory that was current at start-up.
#pragma once

#include <windows.h>

// Shows `topic` ("scrivlet.htm", "scrivlet.htm#Options") of the help file.
// Does nothing where the help viewer or the file cannot be had.
void ShowHelpTopic(const char* topic);

// Calls the platform's HTML Help viewer (HtmlHelpA), loading it on first
// use. Returns the viewer's result, or nullptr when it is not available;
// after one failed load no further load is tried.
HWND CallHelpViewer(HWND owner, const char* file, UINT command, DWORD_PTR data);

// How many times the viewer has been loaded (0 or 1), for tests.
int HelpViewerLoads();
