// Windows' reports of fingers, read as the toy's finger phases.
#include "core/pointer_messages.h"

std::optional<TouchPhase> PointerPhaseOf(PointerMessage message, uint32_t flags)
{
    switch (message) {
    case PointerMessage::Down:
        return TouchPhase::Down;
    case PointerMessage::Update:
        if (flags & kPointerFlagCanceled)
            return TouchPhase::Up;
        if (flags & kPointerFlagInContact)
            return TouchPhase::Move;
        return std::nullopt;
    case PointerMessage::Up:
    case PointerMessage::CaptureChanged:
        return TouchPhase::Up;
    }
    return std::nullopt;
}

std::optional<TouchPhase> TouchInputPhaseOf(uint32_t flags)
{
    // A lift first: a contact flagged both ways is gone, and no finger
    // stays down that nobody will lift.
    if (flags & kTouchEventUp)
        return TouchPhase::Up;
    if (flags & kTouchEventDown)
        return TouchPhase::Down;
    if (flags & kTouchEventMove)
        return TouchPhase::Move;
    return std::nullopt;
}

int32_t TouchInputPixel(int32_t hundredths)
{
    // Rounded down, not towards zero: -50 lies in pixel -1, not 0.
    return hundredths >= 0 ? hundredths / 100 : -((-(hundredths + 1)) / 100) - 1;
}
