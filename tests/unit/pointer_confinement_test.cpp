// The confinement table: every moment with the option on and off.
#include <gtest/gtest.h>

#include "core/pointer_confinement.h"

TEST(ConfinementTable, EveryMomentWithTheOptionOnAndOff)
{
    struct Case {
        PointerMoment moment;
        const char* what;
        PointerAction whenOn;
        PointerAction whenOff;
    };
    const Case cases[] = {
        {PointerMoment::StartUp, "start-up", PointerAction::Confine, PointerAction::Release},
        {PointerMoment::Activated, "activated", PointerAction::Confine, PointerAction::Keep},
        {PointerMoment::Deactivated, "deactivated", PointerAction::Release, PointerAction::Keep},
        {PointerMoment::OptionsClosed, "options dialog closed", PointerAction::Confine, PointerAction::Release},
        {PointerMoment::Shutdown, "shutdown", PointerAction::FreeClip, PointerAction::Keep},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PointerActionFor(c.moment, true), c.whenOn) << c.what;
        EXPECT_EQ(PointerActionFor(c.moment, false), c.whenOff) << c.what;
    }
    EXPECT_STREQ(kConfinedTitle, "Scrivlet. (Alt-F - menu)");
    EXPECT_STREQ(kPlainTitle, "Scrivlet");
}
