// When the pointer is held inside the window: with "Clip mouse pointer" on,
// while the toy is the active program. The title tells an adult how to reach
// the menu, which lies outside the confined area.
#pragma once

#include "res/texts.h"

constexpr char kConfinedTitle[] = TEXT_TITLE_CONFINED;
constexpr char kPlainTitle[] = TEXT_TITLE_PLAIN;

// The moments that decide about confinement.
enum class PointerMoment { StartUp, Activated, Deactivated, OptionsClosed, Shutdown };

enum class PointerAction {
    Keep,      // nothing to do
    Confine,   // clip to the client area and show the confined title
    Release,   // free the pointer and show the plain title
    FreeClip,  // free the pointer only: the window is already gone
};

// What a moment asks for, given whether the option is on.
PointerAction PointerActionFor(PointerMoment moment, bool clipOn);
