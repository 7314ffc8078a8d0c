// The menu bar: its resource, the Alt+letter answers of WM_MENUCHAR, and the
// About box driven from a second thread.
#include <atomic>
#include <chrono>
#include <cstring>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "res/resource.h"
#include "res/texts.h"
#include "version.h"
#include "tests/win/window_fixture.h"

namespace {

class Menu : public WindowTest {
protected:
    HMENU bar() const { return GetMenu(window()); }

    LRESULT MenuChar(int letter, HMENU menu)
    {
        return Send(WM_MENUCHAR, MAKEWPARAM(letter, 0), reinterpret_cast<LPARAM>(menu));
    }
    LRESULT DefaultMenuChar(int letter, HMENU menu)
    {
        return DefWindowProcW(window(), WM_MENUCHAR, MAKEWPARAM(letter, 0), reinterpret_cast<LPARAM>(menu));
    }
};

struct MenuEntry {
    UINT id;  // 0 for a separator
    std::string text;
};

std::vector<MenuEntry> Entries(HMENU menu)
{
    std::vector<MenuEntry> entries;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        item.dwTypeData = text;
        item.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, i, TRUE, &item)) {
            entries.push_back({~0u, "?"});
            continue;
        }
        if (item.fType & MFT_SEPARATOR)
            entries.push_back({0, ""});
        else
            entries.push_back({item.wID, text});
    }
    return entries;
}

bool operator==(const MenuEntry& a, const MenuEntry& b) { return a.id == b.id && a.text == b.text; }

std::ostream& operator<<(std::ostream& out, const MenuEntry& entry)
{
    return out << entry.id << " \"" << entry.text << "\"";
}

TEST_F(Menu, BarHoldsFileEditHelpWithTheirItems)
{
    HMENU menu = bar();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    const char* titles[] = {"File", "Edit", "Help"};
    for (int i = 0; i < 3; ++i) {
        char title[64] = "";
        GetMenuStringA(menu, i, title, sizeof title, MF_BYPOSITION);
        EXPECT_STREQ(title, titles[i]) << "the titles carry no mnemonic";
        EXPECT_NE(GetSubMenu(menu, i), nullptr);
    }
    EXPECT_EQ(Entries(GetSubMenu(menu, 0)), (std::vector<MenuEntry>{{IDM_SAVE_BMP, "&Save as BMP"},
                                                                      {0, ""},
                                                                      {IDM_OPTIONS, "&Options"},
                                                                      {0, ""},
                                                                      {IDM_EXIT, "E&xit"}}));
    EXPECT_EQ(Entries(GetSubMenu(menu, 1)), (std::vector<MenuEntry>{{IDM_CLEAR, "&Clear"}}));
    EXPECT_EQ(Entries(GetSubMenu(menu, 2)),
              (std::vector<MenuEntry>{{IDM_ABOUT, "About"}, {IDM_HELP_CONTENTS, "Contents"}}));
    EXPECT_EQ(IDM_SAVE_BMP, 40005);
    EXPECT_EQ(IDM_OPTIONS, 40006);
    EXPECT_EQ(IDM_EXIT, 65535);
    EXPECT_EQ(IDM_CLEAR, 40003);
    EXPECT_EQ(IDM_ABOUT, 40001);
    EXPECT_EQ(IDM_HELP_CONTENTS, 40007);
}

TEST_F(Menu, AltLetterOpensThePopupWhoseTitleStartsWithIt)
{
    EXPECT_EQ(MenuChar('f', bar()), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(MenuChar('F', bar()), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(MenuChar('e', bar()), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(MenuChar('E', bar()), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(MenuChar('h', bar()), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(MenuChar('H', bar()), MAKELRESULT(2, MNC_EXECUTE));
}

TEST_F(Menu, OtherLettersAndOtherMenusGetTheDefaultAnswer)
{
    // Our handler answers 0 for these, so the default handling decides: it
    // beeps and answers MNC_IGNORE (0), and no popup opens.
    for (int letter : {int{'x'}, int{'i'}, int{'a'}, int{'Z'}, int{'1'}, int{' '}, 0}) {
        SCOPED_TRACE(letter);
        const LRESULT result = MenuChar(letter, bar());
        EXPECT_EQ(result, DefaultMenuChar(letter, bar()));
        EXPECT_EQ(result, MAKELRESULT(0, MNC_IGNORE));
    }
    HMENU filePopup = GetSubMenu(bar(), 0);
    const LRESULT fromPopup = MenuChar('f', filePopup);
    EXPECT_EQ(fromPopup, DefaultMenuChar('f', filePopup));
    EXPECT_EQ(fromPopup, MAKELRESULT(0, MNC_IGNORE));
    HMENU stranger = CreateMenu();
    AppendMenuA(stranger, MF_STRING, 1, "Fruit");
    const LRESULT fromStranger = MenuChar('f', stranger);
    EXPECT_EQ(fromStranger, DefaultMenuChar('f', stranger));
    EXPECT_EQ(fromStranger, MAKELRESULT(0, MNC_IGNORE));
    DestroyMenu(stranger);
}

TEST_F(Menu, LeavingTheMenuOrComingBackToTheAppLiftsThePen)
{
    toy().options.drawWhenMouseMoves = 1;
    MovePointer(400, 400);
    ASSERT_FALSE(toy().pen.newStroke);
    Send(WM_EXITMENULOOP, FALSE, 0);
    EXPECT_TRUE(toy().pen.newStroke);

    // Both ways: under Wine a pointer move can come before the activation.
    MovePointer(400, 400);
    Send(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(toy().pen.newStroke) << "losing the focus lifts the pen too";
    MovePointer(400, 400);
    Send(WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(toy().pen.newStroke);
}

TEST_F(Menu, OpenPopupItemsAnswerTheirLetter)
{
    HMENU file = GetSubMenu(bar(), 0);
    HMENU help = GetSubMenu(bar(), 2);
    auto popupChar = [this](int letter, HMENU popup) {
        return Send(WM_MENUCHAR, MAKEWPARAM(letter, MF_POPUP), reinterpret_cast<LPARAM>(popup));
    };
    EXPECT_EQ(popupChar('a', help), MAKELRESULT(0, MNC_EXECUTE)) << "About";
    EXPECT_EQ(popupChar('A', help), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(popupChar('c', help), MAKELRESULT(1, MNC_EXECUTE)) << "Contents";
    EXPECT_EQ(popupChar('o', file), MAKELRESULT(2, MNC_EXECUTE)) << "&Options, counting separators";
    EXPECT_EQ(popupChar('h', help), MAKELRESULT(0, MNC_IGNORE));
    EXPECT_EQ(popupChar('e', file), MAKELRESULT(0, MNC_IGNORE)) << "E&xit goes by x only";
}

// Counts menu loops; one that starts is ended again at once, so a test of
// a command that should not open the menu cannot hang in it.
int g_menuLoops = 0;
LRESULT CALLBACK MenuLoopCountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERMENULOOP) {
        ++g_menuLoops;
        PostMessageA(window, WM_CANCELMODE, 0, 0);
    }
    return w32::MainWindowProc(window, message, wParam, lParam);
}

TEST_F(Menu, BareAltOrF10NeverEntersMenuMode)
{
    const LONG_PTR original =
        SetWindowLongPtrW(window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuLoopCountingProc));
    g_menuLoops = 0;
    EXPECT_EQ(Send(WM_SYSCOMMAND, SC_KEYMENU, 0), 0);
    EXPECT_EQ(g_menuLoops, 0);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &info));
    EXPECT_EQ(info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE), 0u);

    // Alt+F still reaches the menu (and the loop above closes it again).
    Send(WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_EQ(g_menuLoops, 1);
    SetWindowLongPtrW(window(), GWLP_WNDPROC, original);
}

// The message box's texts, read while it is open.
struct AboutBoxSeen {
    bool found = false;
    HWND owner = nullptr;
    std::string text;
    int buttons = 0;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM data)
{
    auto* seen = reinterpret_cast<AboutBoxSeen*>(data);
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    char text[256] = "";
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(className, "Static") == 0 && text[0] && seen->text.size() < std::strlen(text))
        seen->text = text;
    if (lstrcmpiA(className, "Button") == 0 && IsWindowVisible(child))
        ++seen->buttons;
    return TRUE;
}

// Watches for the About box from another thread, reads it, and presses OK.
// Gives up after ten seconds so a missing box cannot hang the run.
void WatchForAboutBox(AboutBoxSeen* seen, std::atomic<bool>* stop)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!*stop && std::chrono::steady_clock::now() < deadline) {
        HWND box = FindWindowA("#32770", "About");
        if (box && IsWindowVisible(box)) {
            seen->found = true;
            seen->owner = GetWindow(box, GW_OWNER);
            EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(seen));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Counts the messages on their way to the window procedure that would also
// lift the pen or move it, so the test knows what lifted it.
int g_activations = 0;
int g_pointerMoves = 0;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_ACTIVATEAPP && wParam) || message == WM_EXITMENULOOP)
        ++g_activations;
    if (message == WM_MOUSEMOVE)
        ++g_pointerMoves;
    return w32::MainWindowProc(window, message, wParam, lParam);
}

class About : public WindowTest {};

TEST_F(About, CommandShowsTheBoxAndLiftsThePenAfterIt)
{
    toy().options.drawWhenMouseMoves = 1;
    MovePointer(700, 300);
    ASSERT_FALSE(toy().pen.newStroke);

    // The box's modal loop delivers real input: keep the pointer on the
    // window frame, where it makes no client-area moves.
    RECT frame{};
    GetWindowRect(window(), &frame);
    SetCursorPos(frame.left + 2, frame.top + 2);

    AboutBoxSeen seen;
    std::atomic<bool> stop{false};
    g_activations = 0;
    g_pointerMoves = 0;
    const LONG_PTR original = SetWindowLongPtrW(window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc));
    std::thread watcher(WatchForAboutBox, &seen, &stop);
    Send(WM_COMMAND, IDM_ABOUT, 0);  // returns when the box is closed
    stop = true;
    watcher.join();
    SetWindowLongPtrW(window(), GWLP_WNDPROC, original);

    ASSERT_TRUE(seen.found) << "no window titled About appeared";
    EXPECT_EQ(seen.owner, window());
    EXPECT_EQ(seen.buttons, 1) << "an OK button only";
    const std::string heading = "Scrivlet. Version " SCRIVLET_VERSION "\r\n\r\n";
    ASSERT_EQ(seen.text.substr(0, heading.size()), heading) << seen.text;
    const std::string address = seen.text.substr(heading.size());
    const size_t at = address.find('@');
    EXPECT_TRUE(at != std::string::npos && at > 0 && address.find('.', at) < address.size() - 1) << address;
    EXPECT_EQ(address.find_first_of(" \r\n\t"), std::string::npos) << address;

    EXPECT_EQ(g_activations, 0) << "the pen must be lifted by the command itself";
    EXPECT_EQ(g_pointerMoves, 0) << "a stray move would have started a stroke";
    EXPECT_TRUE(toy().pen.newStroke);
    // So the next move starts a new stroke instead of joining (700, 300).
    Toy expected = toy();
    const std::optional<Segment> segment = OnPointerMove(expected, Point{900, 300});
    MovePointer(900, 300);
    ExpectSameToy(expected, toy());
    ASSERT_TRUE(segment);
    EXPECT_TRUE(segment->from == (Point{900, 300}));
    EXPECT_EQ(CanvasPixel(800, 300), RGB(0, 0, 0));
}

}  // namespace
