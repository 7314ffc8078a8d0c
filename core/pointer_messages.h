// What Windows' reports of fingers mean for the toy's fingers: the pointer
// messages of Windows 8 and later, and the contacts of Windows 7's touch
// message. Plain integers in, so that they are decided and tested here,
// with no Windows.
#pragma once

#include <cstdint>
#include <optional>

#include "core/touch.h"

// The pointer messages the toy answers.
enum class PointerMessage { Down, Update, Up, CaptureChanged };

// Bits of a pointer message's flags, the high word of its wParam.
constexpr uint32_t kPointerFlagInContact = 0x0004;
constexpr uint32_t kPointerFlagCanceled = 0x8000;

// What a pointer message means for its finger: a landing, a move while in
// contact, or a lift. A contact the system cancelled, or whose capture went
// to another window, is lifted too; an update out of contact (a pen held
// above the screen) is nothing.
std::optional<TouchPhase> PointerPhaseOf(PointerMessage message, uint32_t flags);

// Bits of a touch message's contact flags.
constexpr uint32_t kTouchEventMove = 0x0001;
constexpr uint32_t kTouchEventDown = 0x0002;
constexpr uint32_t kTouchEventUp = 0x0004;

// What one contact of a touch message means for its finger; a contact that
// is only in range is nothing.
std::optional<TouchPhase> TouchInputPhaseOf(uint32_t flags);

// A touch message's coordinate, in hundredths of a screen pixel, as the
// pixel it falls in (left of or above the primary monitor too).
int32_t TouchInputPixel(int32_t hundredths);
