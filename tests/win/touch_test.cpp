// Fingers through the real window procedure: pointer messages posted to the
// window as Windows 8 sends them (Wine 8 makes none from input but delivers
// posted ones intact), and Windows 7's touch message read through a
// stand-in for GetTouchInputInfo. Each journey's marks are predicted with
// the core on a copy of the live toy, so a contact dropped, added or
// joined to another shows in the random state, the fingers and the pixels.
#include <vector>

#include "tests/win/window_fixture.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
// Pointer message flags: in range, in contact, primary, cancelled.
constexpr WORD kInRange = 0x0002;
constexpr WORD kInContact = 0x0006;
constexpr WORD kCancelled = 0x8000;
// Touch message contact flags: move, down, up (each in range), in range.
constexpr DWORD kMoved = 0x0009;
constexpr DWORD kLanded = 0x000A;
constexpr DWORD kLifted = 0x000C;
constexpr DWORD kOnlyInRange = 0x0008;

// What the stand-in for GetMessageExtraInfo hands back.
LPARAM extraInfo = 0;
LPARAM WINAPI ExtraInfo() { return extraInfo; }

using Phase = std::optional<TouchPhase>;
constexpr Phase kNothing = std::nullopt;
constexpr Phase kDown = TouchPhase::Down, kMove = TouchPhase::Move, kUp = TouchPhase::Up;

class TouchFingers : public WindowTest {
protected:
    void SetUp() override
    {
        saved = w32::TheShell().touch;
        Fresh();
        POINT origin{0, 0};
        ClientToScreen(window(), &origin);
        screenOrigin = origin;
    }

    void TearDown() override
    {
        w32::TheShell().touch = saved;
        toy().fingers.clear();
        TheProgram().fingersReported = false;
    }

    // The fixture's toy and canvas, with no finger down and none reported
    // yet: before each journey of a table.
    void Fresh()
    {
        DeliverPosted();
        WindowTest::SetUp();
        toy().fingers.clear();
        TheProgram().fingersReported = false;
    }

    // What finger `id` at `at` becomes, told to the core on the copy
    // `expected` of the toy; its mark goes into `marks`.
    static void Predict(Toy& expected, std::vector<Segment>& marks, Phase becomes, uint32_t id, Point at)
    {
        if (!becomes)
            return;
        if (std::optional<Segment> mark = OnTouch(expected, *becomes, id, at))
            marks.push_back(*mark);
    }

    // The live toy is the predicted one as far as fingers decide it (the
    // pointer's own moves may come in between), and each predicted line
    // shows on both surfaces.
    void ExpectMarks(const Toy& expected, const std::vector<Segment>& marks)
    {
        EXPECT_EQ(toy().random.state, expected.random.state);
        EXPECT_EQ(toy().pen.lineColour, expected.pen.lineColour);
        ASSERT_EQ(toy().fingers.size(), expected.fingers.size());
        for (size_t i = 0; i < expected.fingers.size(); ++i) {
            EXPECT_EQ(toy().fingers[i].id, expected.fingers[i].id);
            EXPECT_TRUE(toy().fingers[i].lastPoint == expected.fingers[i].lastPoint) << "finger " << i;
        }
        for (const Segment& mark : marks) {
            const Point at = Midpoint(mark);
            if (mark.dot)
                continue;  // the finger's first line covers its dot
            EXPECT_EQ(ColourText(CanvasPixel(at.x, at.y)), ColourText(mark.colour)) << at.x << "," << at.y;
            EXPECT_EQ(ColourText(WindowPixel(at.x, at.y)), ColourText(mark.colour)) << at.x << "," << at.y;
        }
    }

    // A pointer message at client point `at`, its lParam in screen
    // coordinates as Windows sends it.
    void PostPointer(UINT message, WORD id, WORD flags, Point at)
    {
        PostMessageW(window(), message, MAKEWPARAM(id, flags),
                     MAKELPARAM(at.x + screenOrigin.x, at.y + screenOrigin.y));
    }

    // Dispatches what is posted; the queue is empty when this returns.
    static void DeliverPosted()
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }

    POINT screenOrigin{};
    w32::Touch saved;
};

TEST_F(TouchFingers, PointerMessagesPaintEachFingersOwnStroke)
{
    struct Message {
        UINT message;
        WORD id;
        WORD flags;
        Point at;
        Phase becomes;
    };
    using w32::kPointerDown, w32::kPointerUpdate, w32::kPointerUp, w32::kPointerCaptureChanged;
    struct Journey {
        const char* name;
        std::vector<Message> messages;
        RECT black;  // beside the strokes by more than a line's half width
    } journeys[] = {
        {"two fingers at once: two strokes, nothing between them",
         {{kPointerDown, 1, kInContact, {200, 200}, kDown},
          {kPointerDown, 2, kInContact, {600, 200}, kDown},
          {kPointerUpdate, 1, kInContact, {200, 300}, kMove},
          {kPointerUpdate, 2, kInContact, {600, 300}, kMove},
          {kPointerUpdate, 1, kInContact, {200, 400}, kMove},
          {kPointerUp, 2, kInRange, {600, 300}, kUp},
          {kPointerUpdate, 1, kInContact, {250, 400}, kMove},
          {kPointerUp, 1, kInRange, {250, 400}, kUp}},
         {265, 190, 586, 411}},
        {"a lost capture lifts the finger: its next update paints nothing, its next landing a dot",
         {{kPointerDown, 3, kInContact, {300, 500}, kDown},
          {kPointerUpdate, 3, kInContact, {400, 500}, kMove},
          {kPointerCaptureChanged, 3, kInContact, {0, 0}, kUp},
          {kPointerUpdate, 3, kInContact, {500, 500}, kNothing},
          {kPointerDown, 3, kInContact, {700, 500}, kDown}},
         {415, 480, 686, 521}},
        {"updates repeated where the finger is paint nothing; a hover paints nothing; a cancel lifts",
         {{kPointerDown, 4, kInContact, {300, 300}, kDown},
          {kPointerUpdate, 4, kInContact, {300, 300}, kNothing},
          {kPointerUpdate, 4, kInContact, {300, 300}, kNothing},
          {kPointerUpdate, 4, kInContact, {400, 300}, kMove},
          {kPointerUpdate, 4, kInContact, {400, 300}, kNothing},
          {kPointerUpdate, 5, kInRange, {500, 300}, kNothing},
          {kPointerUpdate, 4, kCancelled, {400, 300}, kUp},
          {kPointerUpdate, 4, kInContact, {500, 350}, kNothing}},
         {415, 280, 700, 400}},
    };
    for (const Journey& journey : journeys) {
        SCOPED_TRACE(journey.name);
        Fresh();
        Toy expected = toy();
        std::vector<Segment> marks;
        for (const Message& m : journey.messages) {
            Predict(expected, marks, m.becomes, m.id, m.at);
            PostPointer(m.message, m.id, m.flags, m.at);
        }
        DeliverPosted();
        ExpectMarks(expected, marks);
        EXPECT_EQ(GrabCanvas(journey.black).CountOther(kBlack), 0);
        EXPECT_EQ(GrabWindow(journey.black).CountOther(kBlack), 0);
        EXPECT_TRUE(TheProgram().fingersReported);
    }
}

TEST_F(TouchFingers, TheWindowKeepsTouchToItself)
{
    // Each pointer message is answered with 0, so that Windows makes no
    // mouse message or gesture of its own from it.
    for (UINT message : {w32::kPointerDown, w32::kPointerUpdate, w32::kPointerUp, w32::kPointerCaptureChanged})
        EXPECT_EQ(Send(message, MAKEWPARAM(9, kInContact), MAKELPARAM(screenOrigin.x + 50, screenOrigin.y + 50)), 0)
            << std::hex << message;
    // No press and hold, no flicks, no pen feedback.
    const LRESULT gestures = Send(w32::kTabletQuerySystemGestureStatus, 0, MAKELPARAM(100, 100));
    for (LRESULT off : {0x1, 0x8, 0x10, 0x10000})
        EXPECT_EQ(gestures & off, off) << std::hex << off;

    // Once fingers come as pointer messages, the mouse messages Windows
    // makes from them are echoes and paint nothing.
    w32::TheShell().touch.messageExtraInfo = ExtraInfo;
    extraInfo = 0xFF515780;
    const Toy before = toy();
    PressLeft(300, 300);
    MovePointer(350, 300, MK_LBUTTON);
    ReleaseLeft(350, 300);
    ExpectSameToy(before, toy());
    EXPECT_TRUE(toy().fingers.empty());
}

// Windows 7's touch message: the contacts a stand-in reader hands back for
// each message, in hundredths of a screen pixel.
class TouchMessage : public TouchFingers {
protected:
    static std::vector<TOUCHINPUT>& Contacts()
    {
        static std::vector<TOUCHINPUT> contacts;
        return contacts;
    }
    static std::vector<HTOUCHINPUT>& Closed()
    {
        static std::vector<HTOUCHINPUT> closed;
        return closed;
    }
    static BOOL WINAPI Read(HTOUCHINPUT, UINT count, PTOUCHINPUT inputs, int size)
    {
        if (size != sizeof(TOUCHINPUT) || count != Contacts().size() || count == 0)
            return FALSE;
        std::copy(Contacts().begin(), Contacts().end(), inputs);
        return TRUE;
    }
    static BOOL WINAPI Close(HTOUCHINPUT handle)
    {
        Closed().push_back(handle);
        return TRUE;
    }

    void SetUp() override
    {
        TouchFingers::SetUp();
        w32::TheShell().touch.getTouchInputInfo = Read;
        w32::TheShell().touch.closeTouchInputHandle = Close;
        Closed().clear();
    }

    struct Contact {
        DWORD flags;
        DWORD id;
        Point at;  // client coordinates
        Phase becomes;
    };

    // One touch message with `contacts`; its result.
    LRESULT SendTouch(const std::vector<Contact>& contacts, HTOUCHINPUT handle)
    {
        Contacts().clear();
        for (const Contact& contact : contacts) {
            TOUCHINPUT input{};
            input.dwFlags = contact.flags;
            input.dwID = contact.id;
            // Hundredths, with a fraction that must not move the pixel.
            input.x = (contact.at.x + screenOrigin.x) * 100 + 37;
            input.y = (contact.at.y + screenOrigin.y) * 100 + 99;
            Contacts().push_back(input);
        }
        return Send(w32::kTouchMessage, contacts.size(), reinterpret_cast<LPARAM>(handle));
    }
};

TEST_F(TouchMessage, EachContactIsItsFinger)
{
    struct Journey {
        const char* name;
        std::vector<std::vector<Contact>> messages;
    } journeys[] = {
        {"two fingers land in one message, move apart, lift one by one",
         {{{kLanded, 10, {200, 200}, kDown}, {kLanded, 11, {600, 200}, kDown}},
          {{kMoved, 10, {200, 300}, kMove}, {kMoved, 11, {600, 300}, kMove}},
          {{kLifted, 10, {200, 300}, kUp}, {kMoved, 11, {650, 300}, kMove}}}},
        {"a finger that stands still beside one that moves is reported again and paints nothing",
         {{{kLanded, 20, {300, 400}, kDown}},
          {{kMoved, 20, {300, 400}, kNothing}, {kLanded, 21, {700, 400}, kDown}},
          {{kMoved, 20, {300, 400}, kNothing}, {kMoved, 21, {700, 500}, kMove}}}},
        {"a contact only in range, and one moved that never landed, paint nothing",
         {{{kOnlyInRange, 30, {300, 300}, kNothing}, {kMoved, 31, {400, 300}, kNothing}}}},
    };
    for (const Journey& journey : journeys) {
        SCOPED_TRACE(journey.name);
        Fresh();
        Closed().clear();
        Toy expected = toy();
        std::vector<Segment> marks;
        for (size_t i = 0; i < journey.messages.size(); ++i) {
            for (const Contact& contact : journey.messages[i])
                Predict(expected, marks, contact.becomes, contact.id, contact.at);
            auto* handle = reinterpret_cast<HTOUCHINPUT>(static_cast<uintptr_t>(0x100 + i));
            EXPECT_EQ(SendTouch(journey.messages[i], handle), 0) << "message " << i;
            ASSERT_EQ(Closed().size(), i + 1) << "each handled message is closed once";
            EXPECT_EQ(Closed().back(), handle);
        }
        ExpectMarks(expected, marks);
    }
}

TEST_F(TouchMessage, AMessageThatCannotBeReadIsLeftToTheSystem)
{
    // The reader refuses a count that is not its own: nothing is painted,
    // and the handle is left for the default handling to close.
    Contacts().assign(2, TOUCHINPUT{});
    const Toy before = toy();
    Send(w32::kTouchMessage, 3, 0x200);
    Send(w32::kTouchMessage, 0, 0x201);
    ExpectSameToy(before, toy());
    EXPECT_TRUE(Closed().empty());
    EXPECT_TRUE(toy().fingers.empty());
}

}  // namespace
