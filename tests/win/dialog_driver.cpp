// A second thread that finds a modal dialog and works it through messages,
// which the dialog's own modal loop on the test thread handles.
#include "tests/win/dialog_driver.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

struct Search {
    const char* title;
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND candidate, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    char text[128] = "";
    GetWindowTextA(candidate, text, sizeof text);
    if (lstrcmpA(text, search->title) == 0 && IsWindowVisible(candidate) &&
        (!search->owner || GetWindow(candidate, GW_OWNER) == search->owner)) {
        search->found = candidate;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND WaitForOwnedWindow(const char* title, HWND owner, int seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        Search search{title, owner, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return nullptr;
}

bool DriveModalDialog(const char* title, HWND owner, const std::function<void()>& open,
                      const std::function<void(HWND dialog)>& steps)
{
    std::atomic<bool> found{false};
    std::thread driver([&] {
        HWND dialog = WaitForOwnedWindow(title, owner);
        if (!dialog)
            return;
        found = true;
        steps(dialog);
        for (int i = 0; i < 250 && IsWindow(dialog) && IsWindowVisible(dialog); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (IsWindow(dialog) && IsWindowVisible(dialog))
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    open();
    driver.join();
    return found;
}
