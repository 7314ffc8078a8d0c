// Kid-proofing beyond the Windows keys, carried out with Win32: the
// accessibility hotkeys switched off while the toy runs and put back after,
// the display kept awake during auto draw, and one running instance.
#pragma once

#include <windows.h>

#include "core/options_record.h"

// The platform calls made here; tests swap in recorders (nullptr restores
// the platform's own). Under Wine the accessibility settings are not kept.
using SystemParametersCall = BOOL(WINAPI*)(UINT action, UINT param, PVOID data, UINT winIni);
using ExecutionStateCall = EXECUTION_STATE(WINAPI*)(EXECUTION_STATE state);
void SetSystemParametersCall(SystemParametersCall call);
void SetExecutionStateCall(ExecutionStateCall call);

// Switches off the Sticky, Filter and Toggle Keys hotkeys where the feature
// itself is off. The parent's settings are kept in memory only, and the
// change is not written to the user profile, so a crash leaves nothing
// changed past the next logon.
void SwitchOffAccessibilityHotkeys();

// Puts back exactly the settings that were changed; later calls do nothing.
void RestoreAccessibilityHotkeys();

// Keeps the display from dimming or sleeping, or drops that request.
void KeepDisplayAwake(bool awake);

// Everything the toy changed in the system, undone: at exit and when the
// session ends.
void UndoKidproofing();

// True when another scrivlet is running: its window is brought to the front.
// Otherwise this process becomes the running one for the rest of its life.
bool AnotherInstanceRuns();
