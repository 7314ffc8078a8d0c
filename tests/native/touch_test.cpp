// Fingers on the real drawing area, as GDK hands them to GTK: each case's
// events go through gtk_main_do_event to the window's own handlers, and the
// canvas must then hold exactly what the core paints for the calls those
// events stand for, painted on a canvas of the same start. A finger painted
// twice (GTK's pointer events made from the first finger, or the touch
// screen's pointer events), two fingers taken for one, or a cancelled finger
// still drawing each change the colours or the places of the marks.
// Runs on an X display of its own (tests/native/with_xvfb.sh).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gtk/shell_gtk.h"
// After the core's headers: Xlib defines None.
#include <gdk/gdkx.h>

using namespace gtk3;

namespace {

// One event as a backend delivers it: a finger's (its sequence, and whether
// it is the finger the pointer follows) or the pointer's.
struct Step {
    GdkEventType type;
    unsigned sequence;
    int x;
    int y;
    bool emulating;
    bool fromTouchScreen = false;
};

struct Case {
    const char* name;
    std::vector<Step> events;
    std::vector<Point> painted;  // in whatever colour
    std::vector<Box> untouched;
};

// Failures name the case, not its bytes.
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

bool IsTouch(GdkEventType type) { return type >= GDK_TOUCH_BEGIN && type <= GDK_TOUCH_CANCEL; }

// A touch screen's device, as the X11 backend makes one for XInput 2; Xvfb
// has none of its own.
GdkDevice* TouchScreen()
{
    static GdkDevice* device = GDK_DEVICE(g_object_new(
        GDK_TYPE_X11_DEVICE_XI2, "name", "test touch screen", "type", GDK_DEVICE_TYPE_SLAVE, "input-source",
        GDK_SOURCE_TOUCHSCREEN, "input-mode", GDK_MODE_SCREEN, "has-cursor", FALSE, "display",
        gdk_display_get_default(), "device-id", 4242, nullptr));
    return device;
}

// Events come from the seat's pointer, as GTK's own tests send them: for a
// finger's, only the touch handler's stop then keeps GTK from making pointer
// events of the finger the pointer follows.
void Send(GtkWidget* widget, const Step& step)
{
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default()));
    GdkEvent* event = gdk_event_new(step.type);
    event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(widget)));
    if (IsTouch(step.type)) {
        // GDK's points are fractions of a pixel.
        event->touch.x = step.x + 0.25;
        event->touch.y = step.y + 0.75;
        event->touch.sequence = reinterpret_cast<GdkEventSequence*>(GUINT_TO_POINTER(step.sequence));
        event->touch.emulating_pointer = step.emulating;
    } else if (step.type == GDK_MOTION_NOTIFY) {
        event->motion.x = step.x;
        event->motion.y = step.y;
        event->motion.state = GDK_BUTTON1_MASK;
    } else {
        event->button.x = step.x;
        event->button.y = step.y;
        event->button.button = GDK_BUTTON_PRIMARY;
    }
    gdk_event_set_device(event, pointer);
    gdk_event_set_source_device(event, step.fromTouchScreen ? TouchScreen() : pointer);
    gtk_main_do_event(event);
    gdk_event_free(event);
}

uint32_t PixelAt(cairo_surface_t* surface, int x, int y)
{
    cairo_surface_flush(surface);
    const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
}

// What the core paints for the steps, on a copy of the toy, painted by the
// shell's own painter on a black canvas: each finger event is the core's
// touch call for its sequence (a cancel lifts), and pointer events from the
// touch screen are nothing.
cairo_surface_t* Expected(Toy toy, const std::vector<Step>& steps)
{
    CairoCanvas& canvas = TheShell().canvas;
    cairo_surface_t* drawn = canvas.surface;
    canvas.surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, canvas.bounds.right, canvas.bounds.bottom);
    ClearCairoCanvas(canvas.bounds.right, canvas.bounds.bottom);
    for (const Step& step : steps) {
        if (!IsTouch(step.type))
            continue;
        const TouchPhase phase = step.type == GDK_TOUCH_BEGIN    ? TouchPhase::Down
                                 : step.type == GDK_TOUCH_UPDATE ? TouchPhase::Move
                                                                 : TouchPhase::Up;
        if (const std::optional<Segment> segment = OnTouch(toy, phase, step.sequence, Point{step.x, step.y}))
            PaintSegmentOnCanvas(*segment);
    }
    std::swap(canvas.surface, drawn);
    return drawn;
}

// The toy's window with its canvas, opened once for every test.
bool ToyWindowReady()
{
    if (!TheShell().window) {
        UseWindowEntries(TheProgram().platform);
        StartProgram(TheProgram());
        OpenMainWindow();
        // The canvas is made once the window is mapped (maximised, where a
        // window manager does that).
        const gint64 end = g_get_monotonic_time() + 20 * G_USEC_PER_SEC;
        while (!TheProgram().canvasReady && g_get_monotonic_time() < end)
            g_main_context_iteration(nullptr, TRUE);
    }
    return TheProgram().canvasReady;
}

class FingersOnTheArea : public testing::TestWithParam<Case> {};

TEST_P(FingersOnTheArea, PaintWhatTheCoreDecides)
{
    ASSERT_TRUE(ToyWindowReady()) << "no canvas within 20 s";
    const Case& c = GetParam();
    const CanvasBounds& bounds = TheShell().canvas.bounds;
    ClearCairoCanvas(bounds.right, bounds.bottom);
    cairo_surface_t* expected = Expected(TheProgram().toy, c.events);
    for (const Step& step : c.events)
        Send(TheShell().area, step);

    cairo_surface_t* canvas = TheShell().canvas.surface;
    for (int y = 0; y < bounds.bottom; ++y)
        for (int x = 0; x < bounds.right; ++x)
            ASSERT_EQ(PixelAt(canvas, x, y), PixelAt(expected, x, y)) << "unlike the core's marks at " << x << ", " << y;
    for (const Point& at : c.painted)
        EXPECT_NE(PixelAt(canvas, at.x, at.y), 0u) << "nothing painted at " << at.x << ", " << at.y;
    for (const Box& box : c.untouched)
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                ASSERT_EQ(PixelAt(canvas, x, y), 0u) << "painted at " << x << ", " << y;
    cairo_surface_destroy(expected);
}

// Finger 5 is the one the pointer follows, as backends mark the first
// finger; finger 9 lands after it and lifts last.
const Case kCases[] = {
    {"TwoFingersTwoStrokes",
     {{GDK_TOUCH_BEGIN, 5, 40, 40, true}, {GDK_TOUCH_BEGIN, 9, 40, 160, false},
      {GDK_TOUCH_UPDATE, 5, 120, 40, true}, {GDK_TOUCH_UPDATE, 9, 120, 160, false},
      {GDK_TOUCH_UPDATE, 5, 200, 40, true}, {GDK_TOUCH_UPDATE, 9, 200, 160, false},
      {GDK_TOUCH_END, 5, 200, 40, true}, {GDK_TOUCH_END, 9, 200, 160, false}},
     {{40, 40}, {80, 40}, {160, 40}, {200, 40}, {40, 160}, {80, 160}, {160, 160}, {200, 160}},
     // Between the strokes, beyond their black margins: nothing joins them.
     {{0, 40 + kMarginPenWidth, 300, 160 - kMarginPenWidth}}},
    {"TapIsADot",
     {{GDK_TOUCH_BEGIN, 1, 300, 100, true}, {GDK_TOUCH_END, 1, 300, 100, true}},
     {{300, 100}, {296, 100}, {304, 100}, {300, 96}, {300, 104}},
     {{280, 80, 320, 88}, {280, 113, 320, 120}, {280, 80, 288, 120}, {313, 80, 320, 120}}},
    // A finger the compositor takes for a gesture of its own is cancelled:
    // it lifts, and its sequence's later events draw nothing.
    {"CancelledFingerLifts",
     {{GDK_TOUCH_BEGIN, 3, 50, 250, false}, {GDK_TOUCH_UPDATE, 3, 100, 250, false},
      {GDK_TOUCH_CANCEL, 3, 100, 250, false}, {GDK_TOUCH_UPDATE, 3, 250, 250, false}},
     {{50, 250}, {100, 250}},
     {{140, 230, 260, 270}}},
    {"TouchScreenPointerPaintsNothing",
     {{GDK_BUTTON_PRESS, 0, 60, 60, false, true}, {GDK_MOTION_NOTIFY, 0, 90, 60, false, true},
      {GDK_MOTION_NOTIFY, 0, 150, 90, false, true}, {GDK_BUTTON_RELEASE, 0, 150, 90, false, true}},
     {},
     {{0, 0, 300, 300}}},
};

INSTANTIATE_TEST_SUITE_P(Touch, FingersOnTheArea, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

int g_activations = 0;

// A click on a curtain over another monitor brings the toy back; so does
// every finger that lands there, the pointer's or not, and only its landing.
TEST(TouchOnCurtain, EveryLandingDoesWhatAClickDoes)
{
    ASSERT_TRUE(ToyWindowReady()) << "no canvas within 20 s";
    Platform& platform = TheProgram().platform;
    UseCurtainEntries(platform);
    platform.activateToy = [] { ++g_activations; };
    ASSERT_TRUE(platform.addCurtain());
    GtkWidget* curtain = TheShell().curtains.back();
    // GTK hands a click only to a window that shows.
    gtk_widget_show(curtain);
    const gint64 end = g_get_monotonic_time() + 20 * G_USEC_PER_SEC;
    while (!gdk_window_is_viewable(gtk_widget_get_window(curtain)) && g_get_monotonic_time() < end)
        g_main_context_iteration(nullptr, TRUE);
    const std::pair<Step, int> steps[] = {
        {{GDK_BUTTON_PRESS, 0, 10, 10, false}, 1},  {{GDK_TOUCH_BEGIN, 1, 10, 10, true}, 2},
        {{GDK_TOUCH_BEGIN, 2, 50, 10, false}, 3},   {{GDK_TOUCH_UPDATE, 1, 30, 10, true}, 3},
        {{GDK_TOUCH_END, 1, 30, 10, true}, 3},      {{GDK_TOUCH_CANCEL, 2, 50, 10, false}, 3},
    };
    for (const auto& [step, activations] : steps) {
        Send(curtain, step);
        EXPECT_EQ(g_activations, activations) << "after event type " << step.type;
    }
    platform.removeCurtain();
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // The fake touch screen is an X11 device; no accessibility bus to wait for.
    g_setenv("GDK_BACKEND", "x11", TRUE);
    g_setenv("NO_AT_BRIDGE", "1", TRUE);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "touch_test: cannot open the display \"%s\"\n", g_getenv("DISPLAY"));
        return 1;
    }
    return RUN_ALL_TESTS();
}
