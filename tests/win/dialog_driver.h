// Drives a modal dialog of the program from a second thread, as a user
// would, while the test's own thread sits in the dialog's modal loop.
#pragma once

#include <windows.h>

#include <functional>

// The top-level window titled `title` that is visible and owned by `owner`,
// waited for up to `seconds`; nullptr when none appears.
HWND WaitForOwnedWindow(const char* title, HWND owner, int seconds = 10);

// Calls `open` on this thread (it shows a modal dialog and returns when the
// dialog has closed) and, on a second thread, `steps` with the dialog titled
// `title` once it is open. The steps close the dialog; if they leave it
// open, it is cancelled so that the test cannot hang. False when the dialog
// never appeared.
bool DriveModalDialog(const char* title, HWND owner, const std::function<void()>& open,
                      const std::function<void(HWND dialog)>& steps);
