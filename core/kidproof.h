// What the toy does to the system while it runs, beyond the Windows keys:
// which accessibility hotkeys it switches off, and when the display must be
// kept awake. Plain decisions; kidproof_win.cpp carries them out.
#pragma once

#include <cstdint>

#include "core/options_record.h"

// Shift five times, right Shift held, Num Lock held: each pops a system
// dialog over the drawing.
enum class AccessibilityFeature { StickyKeys, FilterKeys, ToggleKeys };
constexpr int kAccessibilityFeatureCount = 3;

// The platform's bits of a feature's flags: the feature is on, its hotkey is
// active (SKF_/FKF_/TKF_ STICKYKEYSON, HOTKEYACTIVE and their kin).
struct AccessibilityBits {
    uint32_t featureOn;
    uint32_t hotkeyActive;
};
AccessibilityBits BitsOf(AccessibilityFeature feature);

// The flags to run with: the hotkey off where the feature itself is off. A
// parent who uses the feature keeps it, hotkey and all; every other bit stays.
uint32_t FlagsWithoutHotkey(AccessibilityFeature feature, uint32_t flags);

// True while the display must not dim or sleep: auto draw is on, so the toy
// draws by itself with no input to keep the display awake.
bool DisplayMustStayAwake(const OptionsRecord& options);
