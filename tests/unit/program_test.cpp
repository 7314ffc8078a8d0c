// The program's sequences, on a platform that records every call the core
// makes: what each command, activation, menu and save asks of the platform,
// in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "core/menu_keys.h"
#include "core/program.h"
#include "core/save_failure.h"
#include "res/resource.h"
#include "version.h"

namespace {

std::vector<std::string> g_calls;
// What the recording platform answers.
std::string g_chosenPath;
std::vector<uint8_t> g_canvasFile;
bool g_canvasThrows = false;
FileError g_writeResult = FileError::None;
bool g_storedOptions = false;
bool g_pointerHeld = true;
bool g_keyboardHeld = true;

void Record(const std::string& call) { g_calls.push_back(call); }

FileError FakeCreate(const char*, FileHandle* file)
{
    *file = 1;
    return FileError::None;
}
FileError FakeWrite(FileHandle, const void*, size_t) { return g_writeResult; }
FileError FakeDone(FileHandle) { return FileError::None; }
FileError FakeReplace(const char* from, const char* to)
{
    Record(std::string("write ") + to);
    return from ? FileError::None : FileError::Other;
}
void FakeRemove(const char*) {}
constexpr FileOps kFakeFiles{"/", FakeCreate, FakeWrite, FakeDone, FakeDone, FakeReplace, FakeRemove, nullptr};

Platform RecordingPlatform(bool menusTakeInput)
{
    Platform p;
    p.paintSegment = [](const Segment&) { Record("segment"); };
    p.paintBlossom = [](const Blossom&) { Record("blossom"); };
    p.clearCanvas = [] { Record("clear"); };
    p.confinePointer = [] {
        Record("confine");
        return g_pointerHeld;
    };
    p.freePointer = [] { Record("free"); };
    p.setTitle = [](const char* title) { Record(std::string("title ") + title); };
    p.holdKeyboard = [](bool hold) {
        Record(hold ? "hold keyboard" : "release keyboard");
        return g_keyboardHeld;
    };
    p.playKeySound = [](const std::string& file) { Record("sound " + file); };
    p.prepareKeySound = [](const std::string& file) { Record("prepare " + file); };
    p.closeKeySound = [] { Record("close sound"); };
    p.showMessage = [](MessageKind kind, const char* title, const std::string& text) {
        Record(std::string(kind == MessageKind::Warning ? "warning " : "message ") + title + ": " + text);
    };
    p.chooseFile = [](const FileQuestion& question) {
        Record(std::string("choose ") + question.title);
        return g_chosenPath;
    };
    p.canvasAsBmp = [] {
        if (g_canvasThrows)
            throw std::bad_alloc();
        return g_canvasFile;
    };
    p.files = &kFakeFiles;
    p.showHelp = [](const char* topic) { Record(std::string("help ") + topic); };
    p.runOptionsDialog = [](OptionsRecord& live) {
        Record("options dialog");
        live.clipMousePointer = 1;
        live.autoDraw = 1;
    };
    p.loadOptions = [](OptionsRecord& record) {
        Record("load options");
        if (g_storedOptions)
            record.clipMousePointer = 1;
        return g_storedOptions;
    };
    p.saveOptions = [](const OptionsRecord&) {
        Record("save options");
        return true;
    };
    p.keepDisplayAwake = [](bool awake) { Record(awake ? "display awake" : "display may sleep"); };
    p.setTickPeriod = [](unsigned period) { Record("tick " + std::to_string(period)); };
    p.close = [] { Record("close"); };
    p.addCurtain = [] {
        Record("add curtain");
        return true;
    };
    p.removeCurtain = [] { Record("remove curtain"); };
    p.placeCurtain = [](size_t i, const Box& b) {
        Record("curtain " + std::to_string(i) + " at " + std::to_string(b.left) + "," + std::to_string(b.top) + "-" +
               std::to_string(b.right) + "," + std::to_string(b.bottom));
    };
    p.hideCurtain = [](size_t i) { Record("hide curtain " + std::to_string(i)); };
    p.activateToy = [] { Record("activate toy"); };
    p.menusTakeInput = menusTakeInput;
    p.idleTickPeriod = menusTakeInput ? 1000 : 0;
    return p;
}

using Calls = std::vector<std::string>;

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_calls.clear();
        g_chosenPath.clear();
        g_canvasFile = {'B', 'M'};
        g_canvasThrows = false;
        g_writeResult = FileError::None;
        g_storedOptions = false;
        g_pointerHeld = true;
        g_keyboardHeld = true;
    }

    // A program past start-up on the recording platform, its calls so far
    // forgotten.
    Program Started(bool menusTakeInput = false)
    {
        Program program;
        program.platform = RecordingPlatform(menusTakeInput);
        StartProgram(program);
        CanvasMade(program, CanvasBounds{800, 600});
        g_calls.clear();
        return program;
    }
};

TEST_F(ProgramTest, StartUpAndShutdownAskThePlatformInOrder)
{
    g_storedOptions = true;
    Program program;
    program.platform = RecordingPlatform(false);
    StartProgram(program);
    EXPECT_EQ(g_calls, Calls{"load options"});
    EXPECT_EQ(program.toy.options.drawWhenMouseMoves, 1) << "defaults under the stored options";
    g_calls.clear();
    CanvasMade(program, CanvasBounds{800, 600});
    EXPECT_EQ(g_calls, (Calls{"tick 100", "confine", "title " TEXT_TITLE_CONFINED, "prepare key.wav",
                              "display may sleep"}));
    EXPECT_EQ(program.toy.canvas.right, 800);
    g_calls.clear();
    StopProgram(program);
    EXPECT_EQ(g_calls, (Calls{"close sound", "save options", "release keyboard", "free"}));
}

// Each command's calls, with the pen lifted where a dialog or window took
// the pointer away.
TEST_F(ProgramTest, EachMenuCommand)
{
    struct Case {
        int command;
        Calls calls;
        bool penLifted;
    };
    const Case cases[] = {
        {IDM_ABOUT, {"message " TEXT_ABOUT_TITLE ": Scrivlet. Version " SCRIVLET_VERSION "\n\nhello@scrivlet.org"}, true},
        {IDM_CLEAR, {"clear"}, false},
        {IDM_OPTIONS,
         {"options dialog", "tick 100", "confine", "title " TEXT_TITLE_CONFINED, "display awake"},
         true},
        {IDM_SAVE_BMP, {"choose " TEXT_CHOOSE_PICTURE_TITLE}, false},
        {IDM_HELP_CONTENTS, {"help scrivlet.htm"}, true},
        {IDM_EXIT, {"close"}, false},
        {12345, {}, false},
    };
    for (const Case& c : cases) {
        Program program = Started();
        OnPointerMove(program, Point{10, 10});
        g_calls.clear();
        OnCommand(program, c.command);
        EXPECT_EQ(g_calls, c.calls) << c.command;
        EXPECT_EQ(program.toy.pen.newStroke, c.penLifted) << c.command;
    }
}

TEST_F(ProgramTest, SaveTellsEveryFailureAndNothingElse)
{
    struct Case {
        const char* what;
        std::string chosen;
        std::vector<uint8_t> canvas;
        bool throws;
        FileError write;
        Calls calls;
    };
    const std::string noPicture = std::string("warning ") + kSaveFailureTitle + ": " +
                                  SaveFailureText("/p/cat.bmp", kNoPictureReason);
    const Case cases[] = {
        {"cancelled", "", {'B'}, false, FileError::None, {"choose " TEXT_CHOOSE_PICTURE_TITLE}},
        {"saved", "/p/cat.bmp", {'B'}, false, FileError::None,
         {"choose " TEXT_CHOOSE_PICTURE_TITLE, "write /p/cat.bmp"}},
        {"no pixels", "/p/cat.bmp", {}, false, FileError::None, {"choose " TEXT_CHOOSE_PICTURE_TITLE, noPicture}},
        {"no memory", "/p/cat.bmp", {'B'}, true, FileError::None, {"choose " TEXT_CHOOSE_PICTURE_TITLE, noPicture}},
        {"disk full", "/p/cat.bmp", {'B'}, false, FileError::DiskFull,
         {"choose " TEXT_CHOOSE_PICTURE_TITLE, std::string("warning ") + kSaveFailureTitle + ": " +
                                                   SaveFailureText("/p/cat.bmp", FileErrorReason(FileError::DiskFull))}},
    };
    for (const Case& c : cases) {
        Program program = Started();
        g_chosenPath = c.chosen;
        g_canvasFile = c.canvas;
        g_canvasThrows = c.throws;
        g_writeResult = c.write;
        OnCommand(program, IDM_SAVE_BMP);
        EXPECT_EQ(g_calls, c.calls) << c.what;
    }
    EXPECT_EQ(SaveFailureText("/p/cat.bmp", "x").find('\r'), std::string::npos) << "lines end with \\n alone";
}

// Activation, and menus on a platform whose menus take the input away and on
// one whose menus do not.
TEST_F(ProgramTest, ActivationAndMenusFollowThePlatform)
{
    struct Case {
        bool menusTakeInput;
        void (*step)(Program&);
        Calls calls;
        bool penLifted = true;  // opening a menu leaves the pen; closing one lifts it
    };
    const Case cases[] = {
        {false, [](Program& p) { OnActivation(p, true); }, {"confine", "title " TEXT_TITLE_CONFINED}},
        {false, [](Program& p) { OnActivation(p, false); }, {"free", "title " TEXT_TITLE_PLAIN}},
        {true, [](Program& p) { OnActivation(p, true); }, {"hold keyboard", "confine", "title " TEXT_TITLE_CONFINED}},
        {true, [](Program& p) { OnActivation(p, false); }, {"release keyboard", "free", "title " TEXT_TITLE_PLAIN}},
        {false, [](Program& p) { OnMenuOpening(p); }, {}, false},
        {true, [](Program& p) { OnMenuOpening(p); }, {"release keyboard", "free"}, false},
        {false, [](Program& p) { OnMenuClosed(p, true); }, {}},
        {true, [](Program& p) { OnMenuClosed(p, true); }, {"hold keyboard", "confine", "title " TEXT_TITLE_CONFINED}},
        {true, [](Program& p) { OnMenuClosed(p, false); }, {}},
    };
    for (const Case& c : cases) {
        Program program = Started(c.menusTakeInput);
        if (!c.menusTakeInput)
            program.platform.holdKeyboard = nullptr;  // as on Windows: a hook, no grab
        program.toy.options.clipMousePointer = 1;
        OnPointerMove(program, Point{10, 10});
        g_calls.clear();
        c.step(program);
        EXPECT_EQ(g_calls, c.calls) << (&c - cases);
        EXPECT_EQ(program.toy.pen.newStroke, c.penLifted) << (&c - cases);
    }
}

// The title's hint names a menu that only the keyboard reaches, so it shows
// only while the pointer is really held; where the platform could not hold it
// (a refused grab, a compositor without confinement) the title stays plain
// at every moment that confines.
TEST_F(ProgramTest, MenuHintOnlyWhileThePointerIsHeld)
{
    struct Case {
        const char* what;
        void (*step)(Program&);
    };
    const Case cases[] = {
        {"start-up", [](Program& p) { CanvasMade(p, CanvasBounds{800, 600}); }},
        {"activated", [](Program& p) { OnActivation(p, true); }},
        {"options closed", [](Program& p) { OnCommand(p, IDM_OPTIONS); }},
        {"menu closed", [](Program& p) { OnMenuClosed(p, true); }},
    };
    for (const Case& c : cases) {
        for (const bool held : {true, false}) {
            Program program = Started(true);
            program.toy.options.clipMousePointer = 1;
            g_pointerHeld = held;
            c.step(program);
            std::vector<std::string> titles;
            for (const std::string& call : g_calls)
                if (call.rfind("title ", 0) == 0)
                    titles.push_back(call);
            EXPECT_EQ(titles, Calls{held ? "title " TEXT_TITLE_CONFINED : "title " TEXT_TITLE_PLAIN})
                << c.what << (held ? ", held" : ", not held");
        }
    }
    // A platform with no pointer to hold never shows the hint.
    Program program = Started();
    program.toy.options.clipMousePointer = 1;
    program.platform.confinePointer = nullptr;
    program.platform.holdKeyboard = nullptr;
    OnActivation(program, true);
    EXPECT_EQ(g_calls, Calls{"title " TEXT_TITLE_PLAIN});
}

// A hold the platform could not make is made again on the next tick, and
// the title follows it; on a platform that can lose one without telling, a
// lost hold is made again and a new one once more on the tick after;
// nothing is tried while the toy is away, a menu is open or the option is
// off.
TEST_F(ProgramTest, AFailedOrLostHoldIsTriedAgainEachTick)
{
    static bool stillHeld = true;
    struct Step {
        const char* what;
        bool canHold;    // what confinePointer answers from here on
        bool stillHeld;  // what pointerStillHeld answers
        void (*step)(Program&);
        Calls calls;
    };
    const auto tick = [](Program& p) { OnTick(p); };
    const Step steps[] = {
        {"refused at activation", false, false, [](Program& p) { OnActivation(p, true); },
         {"hold keyboard", "confine", "title " TEXT_TITLE_PLAIN}},
        {"still refused", false, false, tick, {"confine"}},
        {"taken", true, true, tick, {"confine", "title " TEXT_TITLE_CONFINED}},
        {"made once more", true, true, tick, {"confine"}},
        {"in force", true, true, tick, {}},
        {"lost, and made again", true, false, tick, {"confine"}},
        {"lost, and refused", false, false, tick, {"confine", "title " TEXT_TITLE_PLAIN}},
        {"away", false, false, [](Program& p) { OnActivation(p, false); },
         {"release keyboard", "free", "title " TEXT_TITLE_PLAIN}},
        {"away, ticking", true, false, tick, {}},
        {"back", false, false, [](Program& p) { OnActivation(p, true); },
         {"hold keyboard", "confine", "title " TEXT_TITLE_PLAIN}},
        {"menu open", true, false, [](Program& p) { OnMenuOpening(p); }, {"release keyboard", "free"}},
        {"menu open, ticking", true, false, tick, {}},
        {"menu closed", true, true, [](Program& p) { OnMenuClosed(p, true); },
         {"hold keyboard", "confine", "title " TEXT_TITLE_CONFINED}},
        {"option off", true, false, [](Program& p) { OnCommand(p, IDM_OPTIONS); },
         {"options dialog", "tick 100", "free", "title " TEXT_TITLE_PLAIN, "display awake"}},
        {"option off, ticking", true, false, tick, {}},
    };
    Program program = Started(true);
    program.toy.options.clipMousePointer = 1;
    program.platform.pointerStillHeld = [] { return stillHeld; };
    // The dialog turns the option off (and auto draw on, which ticks at 100 ms).
    program.platform.runOptionsDialog = [](OptionsRecord& live) {
        Record("options dialog");
        live.clipMousePointer = 0;
        live.autoDraw = 1;
    };
    for (const Step& s : steps) {
        g_pointerHeld = s.canHold;
        stillHeld = s.stillHeld;
        g_calls.clear();
        s.step(program);
        // The walk's marks are not what this journey is about.
        g_calls.erase(std::remove(g_calls.begin(), g_calls.end(), "segment"), g_calls.end());
        EXPECT_EQ(g_calls, s.calls) << s.what;
    }

    // A platform that keeps what it holds (no pointerStillHeld) is asked
    // again only after a refusal.
    Program keeps = Started();
    keeps.toy.options.clipMousePointer = 1;
    OnActivation(keeps, true);
    g_calls.clear();
    OnTick(keeps);
    EXPECT_EQ(g_calls, Calls{});
}

// A journey over a desktop whose monitors come and go while the toy is
// switched away from and back to: curtains only while active and only over
// other monitors, each change told once.
TEST_F(ProgramTest, CurtainsFollowActivationAndTheMonitors)
{
    const Box one{0, 0, 1280, 800};
    const Box two{1280, 0, 2560, 800};
    const Box three{2560, 0, 3840, 800};
    const Box window{0, 0, 1280, 770};
    struct Step {
        const char* what;
        void (*step)(Program&, const Box*);
        Calls calls;
    };
    const Box monitors[] = {one, two, three, window};
    const Step steps[] = {
        {"two monitors before activation", [](Program& p, const Box* m) { OnMonitorsChanged(p, {m[0], m[1]}, m[3]); }, {}},
        {"activated", [](Program& p, const Box*) { OnActivation(p, true); },
         {"add curtain", "curtain 0 at 1280,0-2560,800"}},
        {"the same monitors told again", [](Program& p, const Box* m) { OnMonitorsChanged(p, {m[0], m[1]}, m[3]); },
         {}},
        {"a third plugged in", [](Program& p, const Box* m) { OnMonitorsChanged(p, {m[0], m[1], m[2]}, m[3]); },
         {"add curtain", "curtain 0 at 1280,0-2560,800", "curtain 1 at 2560,0-3840,800"}},
        {"the same three in the platform's order, the primary second",
         [](Program& p, const Box* m) { OnMonitorsChanged(p, {m[2], m[0], m[1]}, 1, m[3]); },
         {"curtain 0 at 2560,0-3840,800", "curtain 1 at 1280,0-2560,800"}},
        {"the middle one unplugged", [](Program& p, const Box* m) { OnMonitorsChanged(p, {m[0], m[2]}, m[3]); },
         {"remove curtain", "curtain 0 at 2560,0-3840,800"}},
        {"activated again", [](Program& p, const Box*) { OnActivation(p, true); }, {}},
        {"deactivated", [](Program& p, const Box*) { OnActivation(p, false); }, {"hide curtain 0"}},
        {"a monitor plugged in while away",
         [](Program& p, const Box* m) { OnMonitorsChanged(p, {m[0], m[1], m[2]}, m[3]); }, {}},
        {"back", [](Program& p, const Box*) { OnActivation(p, true); },
         {"add curtain", "curtain 0 at 1280,0-2560,800", "curtain 1 at 2560,0-3840,800"}},
        {"down to one monitor", [](Program& p, const Box* m) { OnMonitorsChanged(p, {m[0]}, m[3]); },
         {"hide curtain 0", "hide curtain 1"}},
        {"deactivated on one monitor", [](Program& p, const Box*) { OnActivation(p, false); }, {}},
        {"two again, then active", [](Program& p, const Box* m) {
             OnMonitorsChanged(p, {m[0], m[1]}, m[3]);
             OnActivation(p, true);
         },
         {"remove curtain", "curtain 0 at 1280,0-2560,800"}},
        {"shutdown", [](Program& p, const Box*) { StopProgram(p); }, {"close sound", "save options",
                                                                      "hide curtain 0"}},
    };
    Program program = Started();
    program.platform.holdKeyboard = nullptr;
    program.platform.freePointer = nullptr;
    program.platform.setTitle = nullptr;
    for (const Step& s : steps) {
        g_calls.clear();
        s.step(program, monitors);
        EXPECT_EQ(g_calls, s.calls) << s.what;
    }
}

// Journeys on a platform that tells the toy's windows apart and settles a
// focus that leaves them (GTK): two monitors, so a curtain is up while the
// toy is active. Each step is what the platform reports; the calls are what
// the core asks of it.
TEST_F(ProgramTest, FocusJourneysOverTheToysOwnWindows)
{
    struct Step {
        const char* what;
        void (*step)(Program&);
        Calls calls;
    };
    static std::vector<ToySurface> duringDialog;
    static Program* current = nullptr;
    const Step steps[] = {
        {"the window gets the focus", [](Program& p) { OnFocusMoved(p, ToySurface::Window); },
         {"hold keyboard", "add curtain", "curtain 0 at 1280,0-2560,800"}},
        {"a click on the curtain: the window lets go first",
         [](Program& p) { OnFocusMoved(p, ToySurface::Elsewhere); }, {"wake 250"}},
        {"then the curtain has it", [](Program& p) { OnFocusMoved(p, ToySurface::Curtain); }, {}},
        {"the wake-up after a focus that came back", [](Program& p) { OnFocusSettled(p); }, {}},
        {"a key pressed on the curtain brings the toy back",
         [](Program& p) { EXPECT_TRUE(OnKey(p, KeyInput{KeyKind::Other, false, false, true}, 800, 600)); },
         {"activate toy"}},
        {"and its release stamps as on the window",
         [](Program& p) { EXPECT_TRUE(OnKey(p, KeyInput{KeyKind::Other, false, true, true}, 800, 600)); },
         {"blossom", "sound key.wav"}},
        {"Alt+letter is the menu's",
         [](Program& p) { EXPECT_FALSE(OnKey(p, KeyInput{KeyKind::Other, true, false, false}, 800, 600)); }, {}},
        {"Alt-Tab away, settled", [](Program& p) {
             OnFocusMoved(p, ToySurface::Elsewhere);
             OnFocusSettled(p);
         },
         {"wake 250", "release keyboard", "hide curtain 0"}},
        {"a tick while away holds nothing", [](Program& p) { OnTick(p); }, {}},
        {"back, but another program's grab refuses the keyboard", [](Program& p) {
             g_keyboardHeld = false;
             OnFocusMoved(p, ToySurface::Window);
         },
         {"hold keyboard", "curtain 0 at 1280,0-2560,800"}},
        {"asked again a second later", [](Program& p) {
             g_keyboardHeld = true;
             OnTick(p);
             OnTick(p);
         },
         {"hold keyboard"}},
        {"a menu opened: keys are the menu's, the keyboard is let go", [](Program& p) {
             OnMenuOpening(p);
             EXPECT_FALSE(OnKey(p, KeyInput{KeyKind::Other, false, true, false}, 800, 600));
         },
         {"release keyboard"}},
        {"the menu closed over the window", [](Program& p) { OnMenuClosed(p, true); }, {"hold keyboard"}},
        {"About over the curtains; the parent goes away from it and comes back", [](Program& p) {
             duringDialog = {ToySurface::Elsewhere, ToySurface::Dialog};
             current = &p;
             OnCommand(p, IDM_ABOUT);
         },
         {"release keyboard", "message", "wake 250", "hide curtain 0", "curtain 0 at 1280,0-2560,800",
          "wake 250"}},
        {"the dialog's keys are its own",
         [](Program& p) {
             ++p.dialogsOpen;
             EXPECT_FALSE(OnKey(p, KeyInput{KeyKind::Other, false, true, false}, 800, 600));
             --p.dialogsOpen;
         },
         {}},
        {"the window has the focus again", [](Program& p) { OnFocusMoved(p, ToySurface::Window); },
         {"hold keyboard"}},
        {"a focus that leaves with nothing else up counts at once", [](Program& p) {
             OnMonitorsChanged(p, {Box{0, 0, 1280, 800}}, Box{0, 0, 1280, 770});
             g_calls.clear();
             OnFocusMoved(p, ToySurface::Elsewhere);
         },
         {"release keyboard"}},
    };
    Program program = Started(true);
    program.platform.freePointer = nullptr;
    program.platform.confinePointer = nullptr;
    program.platform.setTitle = nullptr;
    program.platform.tellsFocus = true;
    program.platform.focusSettleTime = 250;
    program.platform.wakeAfter = [](unsigned ms) { Record("wake " + std::to_string(ms)); };
    // The message box, while it is up: where the platform says the focus
    // went, each absence settled.
    program.platform.showMessage = [](MessageKind, const char*, const std::string&) {
        Record("message");
        for (ToySurface s : duringDialog) {
            OnFocusMoved(*current, s);
            OnFocusSettled(*current);
        }
    };
    OnMonitorsChanged(program, {Box{0, 0, 1280, 800}, Box{1280, 0, 2560, 800}}, Box{0, 0, 1280, 770});
    for (const Step& s : steps) {
        g_calls.clear();
        s.step(program);
        EXPECT_EQ(g_calls, s.calls) << s.what;
    }
}

// The child's hands on a curtain: nothing drawn, the pen lifted, and the
// toy called back for anything but a move.
TEST_F(ProgramTest, InputOnACurtainDrawsNothing)
{
    struct Case {
        CurtainInput input;
        Calls calls;
    };
    const Case cases[] = {
        {CurtainInput::PointerMove, {}},
        {CurtainInput::Button, {"activate toy"}},
        {CurtainInput::Wheel, {"activate toy"}},
        {CurtainInput::Key, {"activate toy"}},
    };
    for (const Case& c : cases) {
        Program program = Started();
        OnPointerMove(program, Point{10, 10});
        g_calls.clear();
        const RandomSource before = program.toy.random;
        OnCurtainInput(program, c.input);
        EXPECT_EQ(g_calls, c.calls) << static_cast<int>(c.input);
        EXPECT_TRUE(program.toy.pen.newStroke) << static_cast<int>(c.input);
        EXPECT_EQ(program.toy.random.state, before.state) << static_cast<int>(c.input);
    }
}

TEST_F(ProgramTest, InputBeforeTheCanvasMakesNoMark)
{
    Program program;
    program.platform = RecordingPlatform(false);
    StartProgram(program);
    program.toy.options.autoDraw = 1;
    g_calls.clear();
    const RandomSource before = program.toy.random;
    OnPointerMove(program, Point{10, 10});
    OnKeyUp(program, 800, 600);
    OnWheel(program);
    OnTick(program);
    EXPECT_EQ(g_calls, Calls{});
    EXPECT_EQ(program.toy.random.state, before.state);

    CanvasMade(program, CanvasBounds{800, 600});
    g_calls.clear();
    OnKeyUp(program, 800, 600);
    OnTick(program);
    EXPECT_EQ(g_calls, (Calls{"blossom", "sound key.wav", "segment"}));
}

TEST_F(ProgramTest, TheTimerSlowsWhileAutoDrawIsOffOnlyWhereThePlatformAsks)
{
    Program program = Started(true);
    program.toy.options.autoDraw = 0;
    EXPECT_EQ(TickPeriod(program), 1000u);
    program.toy.options.autoDraw = 1;
    EXPECT_EQ(TickPeriod(program), kWalkTickPeriod);
    program.platform.idleTickPeriod = 0;
    program.toy.options.autoDraw = 0;
    EXPECT_EQ(TickPeriod(program), kWalkTickPeriod);
}

TEST_F(ProgramTest, AnEmptyTableDoesNothingAndFailsNothing)
{
    Program program;
    StartProgram(program);
    CanvasMade(program, CanvasBounds{100, 100});
    for (int command : {IDM_ABOUT, IDM_CLEAR, IDM_OPTIONS, IDM_SAVE_BMP, IDM_HELP_CONTENTS, IDM_EXIT})
        OnCommand(program, command);
    OnPointerMove(program, Point{5, 5});
    OnKeyUp(program, 100, 100);
    OnActivation(program, true);
    OnMonitorsChanged(program, {Box{0, 0, 10, 10}, Box{10, 0, 20, 10}}, Box{0, 0, 10, 10});
    OnCurtainInput(program, CurtainInput::Button);
    EXPECT_FALSE(SavePictureTo(program, "/p/cat.bmp"));
    StopProgram(program);
}

TEST(DefaultExtension, OnlyANameWithoutADotGetsIt)
{
    struct Case {
        const char* path;
        const char* extension;
        const char* separators;
        const char* expected;
    };
    const Case cases[] = {
        {"/home/a/cat", "bmp", "/", "/home/a/cat.bmp"},
        {"/home/a/cat.bmp", "bmp", "/", "/home/a/cat.bmp"},
        {"/home/a/cat.png", "bmp", "/", "/home/a/cat.png"},
        {"/home/a.b/cat", "bmp", "/", "/home/a.b/cat.bmp"},
        {"C:\\a.b\\cat", "bmp", "\\/:", "C:\\a.b\\cat.bmp"},
        {"/home/a/cat", "", "/", "/home/a/cat"},
        {"", "bmp", "/", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithDefaultExtension(c.path, c.extension, c.separators), c.expected) << c.path;
}

TEST(KeyStamps, SystemKeysAndAltNeverStamp)
{
    EXPECT_TRUE(KeyStamps(KeyKind::Other, false));
    for (KeyKind kind : {KeyKind::Alt, KeyKind::Logo, KeyKind::F10})
        EXPECT_FALSE(KeyStamps(kind, false));
    EXPECT_FALSE(KeyStamps(KeyKind::Other, true));
    // X's keysyms, as GDK reports them: both Alts and Metas, the logo keys,
    // F10; F9, F11, Control and a letter are other keys.
    const std::pair<uint32_t, KeyKind> keysyms[] = {
        {0xFFE9, KeyKind::Alt},  {0xFFEA, KeyKind::Alt},   {0xFFE7, KeyKind::Alt},   {0xFFE8, KeyKind::Alt},
        {0xFFEB, KeyKind::Logo}, {0xFFEC, KeyKind::Logo},  {0xFFED, KeyKind::Logo},  {0xFFEE, KeyKind::Logo},
        {0xFFC7, KeyKind::F10},  {0xFFC6, KeyKind::Other}, {0xFFC8, KeyKind::Other}, {0xFFE3, KeyKind::Other},
        {'a', KeyKind::Other},
    };
    for (const auto& [keysym, kind] : keysyms)
        EXPECT_EQ(KeyKindOfKeysym(keysym), kind) << std::hex << keysym;
}

}  // namespace
