// Help access. The viewer, hhctrl.ocx, is not linked but loaded on first
// use, so the toy starts and runs where it is missing; help then does nothing.
#include "win32/help_win.h"

#include <cstring>
#include <optional>
#include <string>

#include "win32/app.h"
#include "core/help_path.h"

static_assert(kHelpPathSize == MAX_PATH);

namespace {

// HtmlHelpA, exported by the viewer under ordinal 14.
using HtmlHelpEntry = HWND(WINAPI*)(HWND owner, LPCSTR file, UINT command, DWORD_PTR data);
constexpr WORD kHtmlHelpAOrdinal = 14;
constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
constexpr char kViewerServerKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

HMODULE g_viewer = nullptr;
HtmlHelpEntry g_viewerEntry = nullptr;
bool g_loadFailed = false;
int g_viewerLoads = 0;

// Where the viewer is registered, by the default value of its COM server key.
std::optional<std::string> RegisteredViewerPath()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kViewerServerKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char path[MAX_PATH] = "";
    DWORD type = 0;
    DWORD size = sizeof path - 1;  // room for a NUL the stored text may lack
    const LSTATUS status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    path[size] = '\0';
    return std::string(path);
}

HMODULE LoadViewer()
{
    ++g_viewerLoads;
    HMODULE viewer = nullptr;
    if (const std::optional<std::string> path = RegisteredViewerPath())
        viewer = LoadLibraryA(path->c_str());
    if (!viewer)
        viewer = LoadLibraryA("hhctrl.ocx");
    return viewer;
}

HtmlHelpEntry FindViewerEntry(HMODULE viewer)
{
    const FARPROC entry = GetProcAddress(viewer, MAKEINTRESOURCEA(kHtmlHelpAOrdinal));
    // GetProcAddress hands back a generic function pointer; the export's real
    // type is HtmlHelpA's, which its bits are copied into.
    HtmlHelpEntry typed = nullptr;
    static_assert(sizeof typed == sizeof entry);
    std::memcpy(&typed, &entry, sizeof typed);
    return typed;
}

}  // namespace

HWND CallHelpViewer(HWND owner, const char* file, UINT command, DWORD_PTR data)
{
    if (g_loadFailed)
        return nullptr;
    if (!g_viewer) {
        g_viewer = LoadViewer();
        if (!g_viewer) {
            g_loadFailed = true;
            return nullptr;
        }
    }
    if (!g_viewerEntry) {
        g_viewerEntry = FindViewerEntry(g_viewer);
        if (!g_viewerEntry) {
            g_loadFailed = true;
            return nullptr;
        }
    }
    return g_viewerEntry(owner, file, command, data);
}

void ShowHelpTopic(const char* topic)
{
    // A start-up directory too long for the path gets no help rather than
    // the help of a cut-off path.
    const std::optional<std::string> path = HelpTopicPath(StartupDirectory(), topic);
    if (!path)
        return;
    CallHelpViewer(GetDesktopWindow(), path->c_str(), kDisplayTopic, 0);
}

int HelpViewerLoads() { return g_viewerLoads; }
