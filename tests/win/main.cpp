// The integration test program: opens the real main window once, as start-up
// does, and runs every suite against it. Each suite sets the state it needs,
// so any one suite can run alone.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/window_fixture.h"

namespace {

class MainWindowEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        ASSERT_TRUE(w32::RegisterMainWindowClass(instance));
        HWND window = w32::OpenMainWindow(instance);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(MainWindowUnderTest(), window);
        ASSERT_TRUE(IsZoomed(window)) << "the window opens maximised";
        const CanvasBounds bounds = w32::TheShell().canvas.bounds;
        const RECT client = ClientRect();
        ASSERT_EQ(bounds.right, client.right);
        ASSERT_EQ(bounds.bottom, client.bottom);
        ASSERT_GT(bounds.right, 600) << "tests draw across a large client area";
        ASSERT_GT(bounds.bottom, 500);
        // Colours are compared exactly, which needs a true-colour screen
        // (run Xvfb with a depth of 24).
        HDC screen = GetDC(nullptr);
        const int depth = GetDeviceCaps(screen, BITSPIXEL);
        ReleaseDC(nullptr, screen);
        ASSERT_GE(depth, 24) << "screen depth";
    }

    void TearDown() override
    {
        if (MainWindowUnderTest())
            DestroyWindow(MainWindowUnderTest());
    }
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new MainWindowEnvironment);
    return RUN_ALL_TESTS();
}
