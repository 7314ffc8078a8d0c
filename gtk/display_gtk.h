// Which of GDK's backends the toy's display is on.
#pragma once

namespace gtk3 {
bool OnX11();
// True where GDK has its Wayland backend and the display is a Wayland one.
bool OnWayland();
}  // namespace gtk3
