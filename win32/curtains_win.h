// The curtains over the other monitors on Win32: black popup windows owned
// by the main window, so that they stay above other programs' windows and
// under the toy's own dialogs, with no taskbar button. Whatever the child
// does on one goes to the core as curtain input.
#pragma once

#include <vector>

#include <windows.h>

#include "core/types.h"

constexpr char kCurtainClassName[] = "scrivlet curtain";

// The curtains' owner, the main window.
void SetCurtainOwner(HWND owner);
void ShowCurtains(const std::vector<Box>& curtains);
void HideCurtains();
// The toy's window made the active one again, or its dialog while one is
// open.
void ActivateToy();
// The curtain windows there are now, shown or not; tests look at them.
const std::vector<HWND>& CurtainWindows();

// Tells the core the monitors (the primary first) and where the main
// window is on them.
void TellMonitors(HWND window);
