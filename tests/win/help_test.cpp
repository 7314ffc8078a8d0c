// Help > Contents under Wine's viewer: the help file's window opens, and a
// second request reuses the viewer loaded by the first. Every language's
// page is in the help file at the viewer path the toy asks for.
#include <windows.h>

#include <htmlhelp.h>

#include <string>

#include "core/help_path.h"
#include "core/texts.h"

#include "res/resource.h"
#include "tests/win/window_fixture.h"

namespace {

// Pumps this thread's messages (the viewer lives in this process) until a
// window of `className` exists, for at most ten seconds.
HWND WaitForWindowOfClass(const char* className)
{
    for (int i = 0; i < 200; ++i) {
        if (HWND found = FindWindowA(className, nullptr))
            return found;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(50);
    }
    return nullptr;
}

class Help : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        // The build puts scrivlet.chm beside this program; start the way the
        // toy does when it is started from its own folder.
        char path[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, path, sizeof path);
        std::string folder(path);
        folder.erase(folder.find_last_of('\\'));
        ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str())) << folder;
        ASSERT_NE(GetFileAttributesA("scrivlet.chm"), INVALID_FILE_ATTRIBUTES) << "no scrivlet.chm in " << folder;
        w32::RememberStartupDirectory();
        ASSERT_EQ(folder, w32::TheShell().startupDirectory);
    }

    // Closing through the viewer keeps its own record of its windows right.
    void TearDown() override { w32::CallHelpViewer(nullptr, nullptr, HH_CLOSE_ALL, 0); }
};

TEST_F(Help, ContentsOpensTheHelpWindowAndLoadsTheViewerOnce)
{
    const int loadsBefore = w32::TheShell().help.loads;
    ASSERT_LE(loadsBefore, 1);
    toy().pen.newStroke = false;

    Send(WM_COMMAND, IDM_HELP_CONTENTS);
    HWND help = WaitForWindowOfClass("HH Parent");
    ASSERT_NE(help, nullptr) << "Help > Contents opened no window of class \"HH Parent\"";
    EXPECT_EQ(w32::TheShell().help.loads, 1);
    EXPECT_TRUE(toy().pen.newStroke) << "a help request lifts the pen";
    EXPECT_NE(GetAncestor(help, GA_ROOTOWNER), window()) << "the help window belongs to the desktop";

    // The options dialog's button and a second Contents reuse the viewer.
    w32::ShowHelpTopic("scrivlet.htm#Options");
    Send(WM_COMMAND, IDM_HELP_CONTENTS);
    EXPECT_EQ(WaitForWindowOfClass("HH Parent"), help) << "the help window was replaced";
    EXPECT_EQ(w32::TheShell().help.loads, 1) << "the viewer was loaded again";
}

// Whether the help file's directory lists `name` ("/de/scrivlet.htm"): an
// entry is the name's length (one byte for a short name) and the name.
bool HelpFileLists(const std::string& helpFile, const std::string& name)
{
    HANDLE file = CreateFileA(helpFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes.find(static_cast<char>(name.size()) + name) != std::string::npos;
}

TEST_F(Help, EveryLanguagesPageAndStyleSheetAreAtTheirViewerPaths)
{
    const std::string folder = w32::TheShell().startupDirectory;
    ASSERT_TRUE(HelpFileLists(folder + "\\scrivlet.chm", "/scrivlet.htm"));
    for (const std::string& language : CatalogueLanguages()) {
        SCOPED_TRACE(language);
        // The topic the core asks for, anchor and all, in the file of the
        // start-up folder, beside the style sheet its page links.
        const std::string topic = language + "/" + kOptionsHelpTopic;
        EXPECT_EQ(HelpTopicPath(folder, topic), folder + "\\scrivlet.chm::/" + topic);
        EXPECT_TRUE(HelpFileLists(folder + "\\scrivlet.chm", "/" + language + "/scrivlet.htm"));
        EXPECT_TRUE(HelpFileLists(folder + "\\scrivlet.chm", "/" + language + "/scrivlet.css"));
    }
    // The viewer opens a language's page as it opens the English one.
    w32::ShowHelpTopic(("de/" + std::string(kOptionsHelpTopic)).c_str());
    EXPECT_NE(WaitForWindowOfClass("HH Parent"), nullptr);
}

// Run by its own ctest entry with the viewer disabled in Wine, as on a
// Windows without HTML Help: help does nothing, and one failed load is not
// tried again.
class HelpWithoutViewer : public Help {};

TEST_F(HelpWithoutViewer, HelpDoesNothingAndIsNotRetried)
{
    if (HMODULE viewer = LoadLibraryA("hhctrl.ocx")) {
        FreeLibrary(viewer);
        GTEST_SKIP() << "the viewer is installed; run with WINEDLLOVERRIDES=hhctrl.ocx=";
    }
    toy().pen.newStroke = false;
    Send(WM_COMMAND, IDM_HELP_CONTENTS);
    EXPECT_TRUE(toy().pen.newStroke) << "a help request lifts the pen even without a viewer";
    w32::ShowHelpTopic("scrivlet.htm#Options");
    EXPECT_EQ(w32::CallHelpViewer(nullptr, nullptr, HH_CLOSE_ALL, 0), nullptr);
    EXPECT_EQ(w32::TheShell().help.loads, 1) << "a failed load was tried again";
    EXPECT_EQ(FindWindowA("HH Parent", nullptr), nullptr);
}

}  // namespace
