// The confinement table: which moment confines, frees, or leaves things be.
#include "core/pointer_confinement.h"

PointerAction PointerActionFor(PointerMoment moment, bool clipOn)
{
    switch (moment) {
    case PointerMoment::StartUp:
    case PointerMoment::OptionsClosed:
        // Both set the title either way, so it always matches the option.
        return clipOn ? PointerAction::Confine : PointerAction::Release;
    case PointerMoment::Activated:
        return clipOn ? PointerAction::Confine : PointerAction::Keep;
    case PointerMoment::Deactivated:
        // With the option off, whatever holds stays as it is.
        return clipOn ? PointerAction::Release : PointerAction::Keep;
    case PointerMoment::Shutdown:
        return clipOn ? PointerAction::FreeClip : PointerAction::Keep;
    }
    return PointerAction::Keep;
}
