// Help access. The viewer, hhctrl.ocx, is not linked but loaded on first
// use, so the toy starts and runs where it is missing; help then does nothing.
#include <cstring>

#include "core/help_path.h"
#include "win32/shell_win.h"

static_assert(kHelpPathSize == MAX_PATH);

namespace w32 {

namespace {

constexpr WORD kHtmlHelpAOrdinal = 14;
constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
constexpr char kViewerServerKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

// Where the viewer is registered as a COM server, else by its name.
HMODULE LoadViewer()
{
    ++TheShell().help.loads;
    const std::string path = RegistryText(HKEY_CLASSES_ROOT, kViewerServerKey, false);
    HMODULE viewer = path.empty() ? nullptr : LoadLibraryA(path.c_str());
    return viewer ? viewer : LoadLibraryA("hhctrl.ocx");
}

}  // namespace

HWND CallHelpViewer(HWND owner, const char* file, UINT command, DWORD_PTR data)
{
    HelpViewer& help = TheShell().help;
    if (help.loadFailed)
        return nullptr;
    if (!help.module)
        help.module = LoadViewer();
    if (help.module && !help.entry) {
        // GetProcAddress hands back a generic function pointer; the export's
        // real type is HtmlHelpA's, which its bits are copied into.
        const FARPROC entry = GetProcAddress(help.module, MAKEINTRESOURCEA(kHtmlHelpAOrdinal));
        static_assert(sizeof help.entry == sizeof entry);
        std::memcpy(&help.entry, &entry, sizeof help.entry);
    }
    help.loadFailed = !help.entry;
    return help.entry ? help.entry(owner, file, command, data) : nullptr;
}

void ShowHelpTopic(const char* topic)
{
    // A start-up directory too long for the path gets no help rather than
    // the help of a cut-off path.
    const std::optional<std::string> path = HelpTopicPath(TheShell().startupDirectory, topic);
    if (path)
        CallHelpViewer(GetDesktopWindow(), path->c_str(), kDisplayTopic, 0);
}

}  // namespace w32
