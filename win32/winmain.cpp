// Entry point of scrivlet.exe. Arguments and the requested show state are
// ignored: the toy always starts maximised with its own settings.
#include "win32/shell_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return w32::RunApplication(instance);
}
