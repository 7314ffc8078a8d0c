// The program's sequences over the platform's table. Every call into the
// platform goes through Call, so an entry the platform left out is simply
// not done.
#include "core/program.h"

#include <algorithm>
#include <new>
#include <vector>

#include "core/help_path.h"
#include "core/kidproof.h"
#include "core/save_failure.h"
#include "core/texts.h"
#include "res/resource.h"
#include "res/texts.h"
#include "version.h"

namespace {

Program g_program;

template <typename Function, typename... Arguments>
void Call(Function function, Arguments&&... arguments)
{
    if (function)
        function(static_cast<Arguments&&>(arguments)...);
}

void Paint(const Program& program, const std::optional<Segment>& segment)
{
    if (segment)
        Call(program.platform.paintSegment, *segment);
}

// Every dialog the toy opens is counted while it is open: its keys are its
// own, and on a platform that tells the toy's windows apart the focus is
// about to go to it, the keyboard with it.
struct OpenDialog {
    explicit OpenDialog(Program& program) : program(program)
    {
        ++program.dialogsOpen;
        if (program.platform.tellsFocus)
            OnFocusMoved(program, ToySurface::Dialog);
    }
    ~OpenDialog()
    {
        --program.dialogsOpen;
        // The focus goes back to whichever window the platform says next.
        if (program.platform.tellsFocus)
            OnFocusMoved(program, ToySurface::Elsewhere);
    }
    OpenDialog(const OpenDialog&) = delete;
    OpenDialog& operator=(const OpenDialog&) = delete;
    Program& program;
};

void TellSaveFailed(Program& program, const std::string& path, const char* reason)
{
    const OpenDialog dialog(program);
    Call(program.platform.showMessage, MessageKind::Warning, Tr(kSaveFailureTitle).c_str(), SaveFailureText(path, reason));
}

void SavePicture(Program& program)
{
    if (!program.platform.chooseFile)
        return;
    std::string path;
    {
        const OpenDialog dialog(program);
        path = program.platform.chooseFile(kPictureFileQuestion);
    }
    if (!path.empty())
        SavePictureTo(program, path);
}

void RunOptionsDialog(Program& program)
{
    {
        const OpenDialog dialog(program);
        Call(program.platform.runOptionsDialog, program.toy.options);
    }
    Call(program.platform.setTickPeriod, TickPeriod(program));
    LiftPen(program.toy.pen);
    ApplyPointerMoment(program, PointerMoment::OptionsClosed);
    Call(program.platform.keepDisplayAwake, DisplayMustStayAwake(program.toy.options));
}

// A hold that failed is made again on each tick. Where the platform can
// lose a hold without telling (it then says whether one is still in force),
// a lost one is made again too, and a new one once more on the next tick:
// a hold made while the focus is still moving can be dropped with no trace
// the program can read (Wine's desktop takes back the X pointer grab and
// keeps the clip that GetClipCursor reports).
void KeepPointerHeld(Program& program)
{
    const Platform& platform = program.platform;
    if (!program.pointerWanted || !platform.confinePointer)
        return;
    const bool canLose = platform.pointerStillHeld != nullptr;
    if (program.pointerHeld && (!canLose || (program.pointerSettled && platform.pointerStillHeld())))
        return;
    const bool held = platform.confinePointer();
    // The title changes only when the hold does.
    if (held != program.pointerHeld)
        Call(platform.setTitle, Tr(held ? kConfinedTitle : kPlainTitle).c_str());
    program.pointerSettled = program.pointerHeld && held;
    program.pointerHeld = held;
}

// Shows, moves or hides the curtains when what the toy's state asks for
// differs from what is shown.
void UpdateCurtains(Program& program)
{
    std::vector<Box> wanted;
    if (program.active || program.dialogActive)
        wanted = CurtainsFor(program.monitors, program.window);
    if (wanted == program.curtains)
        return;
    program.curtains = wanted;
    const Platform& platform = program.platform;
    if (!platform.placeCurtain)
        return;
    // Hidden when none is wanted, kept for the next time; otherwise as many
    // as are wanted, each put at its rectangle.
    if (wanted.empty()) {
        for (size_t i = 0; i < program.curtainWindows; ++i)
            Call(platform.hideCurtain, i);
        return;
    }
    for (; program.curtainWindows > wanted.size() && platform.removeCurtain; --program.curtainWindows)
        platform.removeCurtain();
    for (; program.curtainWindows < wanted.size() && platform.addCurtain && platform.addCurtain();)
        ++program.curtainWindows;
    for (size_t i = 0; i < program.curtainWindows && i < wanted.size(); ++i)
        platform.placeCurtain(i, wanted[i]);
}

void HoldKeyboard(Program& program, bool hold)
{
    const Platform& platform = program.platform;
    if (!platform.holdKeyboard)
        return;
    program.keyboardHeld = platform.holdKeyboard(hold) && hold;
    program.keyboardRetryWait = hold && !program.keyboardHeld ? kKeyboardRetryPeriod : 0;
}

// Another program's grab refuses ours (a menu bar clicked without opening a
// menu leaves GTK's); the keyboard is asked for again now and then while
// the toy is active.
void KeepKeyboardHeld(Program& program)
{
    if (!program.active || program.menuOpen || program.keyboardRetryWait == 0)
        return;
    const unsigned period = TickPeriod(program);
    program.keyboardRetryWait = program.keyboardRetryWait > period ? program.keyboardRetryWait - period : 0;
    if (program.keyboardRetryWait == 0)
        HoldKeyboard(program, true);
}

void SetActive(Program& program, bool active)
{
    // Set first: taking the keyboard can move the platform's focus, which
    // it tells at once.
    program.active = active;
    // Both ways: a move that arrives just before the activation (Wine sends
    // one) must not join a point from before the switch.
    LiftPen(program.toy.pen);
    HoldKeyboard(program, active);
    ApplyPointerMoment(program, active ? PointerMoment::Activated : PointerMoment::Deactivated);
    UpdateCurtains(program);
}

// The toy is active while its window or a curtain has the focus; the
// curtains stay while a dialog of its own has it.
void FollowFocus(Program& program)
{
    const bool active = program.focus == ToySurface::Window || program.focus == ToySurface::Curtain;
    program.dialogActive = program.focus == ToySurface::Dialog && program.dialogsOpen > 0;
    if (active != program.active)
        SetActive(program, active);
    else
        UpdateCurtains(program);
}

}  // namespace

std::string WithDefaultExtension(const std::string& path, const char* extension, const char* separators)
{
    const std::string::size_type slash = path.find_last_of(separators);
    const std::string::size_type nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (path.empty() || !extension || !*extension || path.find('.', nameStart) != std::string::npos)
        return path;
    return path + '.' + extension;
}

Program& TheProgram() { return g_program; }

Toy& TheToy() { return g_program.toy; }

void StartProgram(Program& program)
{
    ResetOptionsToDefaults(program.toy.options);
    Call(program.platform.loadOptions, program.toy.options);
}

void CanvasMade(Program& program, CanvasBounds bounds)
{
    program.toy.canvas = bounds;
    program.canvasReady = true;
    Call(program.platform.setTickPeriod, TickPeriod(program));
    ApplyPointerMoment(program, PointerMoment::StartUp);
    // A keyboard asked for before the window could take it is asked for now.
    if (program.active && program.keyboardRetryWait > 0)
        HoldKeyboard(program, true);
    // The file is looked at now; the sound device waits for the first key.
    if (FlagOn(program.toy.options.keySound))
        Call(program.platform.prepareKeySound, SoundFileText(program.toy.options));
    Call(program.platform.keepDisplayAwake, DisplayMustStayAwake(program.toy.options));
}

void StopProgram(Program& program)
{
    Call(program.platform.closeKeySound);
    Call(program.platform.saveOptions, program.toy.options);
    HoldKeyboard(program, false);
    ApplyPointerMoment(program, PointerMoment::Shutdown);
    program.active = false;
    program.dialogActive = false;
    UpdateCurtains(program);
}

void SessionEnding(Program& program) { Call(program.platform.saveOptions, program.toy.options); }

void OnPointerMove(Program& program, Point at)
{
    if (program.canvasReady)
        Paint(program, OnPointerMove(program.toy, at));
}

void OnMouseButton(Program& program, MouseButton button, bool down)
{
    if (button == MouseButton::Left)
        SetLeftButton(program.toy.pen, down);
    else
        SetRightButton(program.toy.pen, down);
}

void OnTouch(Program& program, TouchPhase phase, uint32_t id, Point at)
{
    if (program.canvasReady)
        Paint(program, OnTouch(program.toy, phase, id, at));
}

void OnMouseFromTouch(Program& program, MouseFromTouch message, Point at)
{
    const Fingers& fingers = program.toy.fingers;
    const bool fingerDown = std::any_of(fingers.begin(), fingers.end(),
                                        [](const Finger& finger) { return finger.id == kMouseMessageFingerId; });
    if (const std::optional<TouchPhase> phase = FingerPhaseOf(message, fingerDown, program.fingersReported))
        OnTouch(program, *phase, kMouseMessageFingerId, at);
}

void OnKeyUp(Program& program, int clientRight, int clientBottom)
{
    if (!program.canvasReady)
        return;
    const KeyStamp stamp = OnKeyReleased(program.toy, clientRight, clientBottom);
    Call(program.platform.paintBlossom, stamp.blossom);
    if (stamp.playSound)
        Call(program.platform.playKeySound, SoundFileText(program.toy.options));
}

void OnWheel(Program& program)
{
    if (program.canvasReady)
        Paint(program, OnWalkStep(program.toy));
}

void OnTick(Program& program)
{
    if (program.canvasReady)
        Paint(program, OnTimerTick(program.toy));
    KeepPointerHeld(program);
    KeepKeyboardHeld(program);
}

bool OnKey(Program& program, const KeyInput& key, int clientRight, int clientBottom)
{
    if (program.menuOpen || program.dialogsOpen > 0)
        return false;
    if (key.onCurtain && !key.release) {
        OnCurtainInput(program, CurtainInput::Key);
        return true;
    }
    if (!KeyStamps(key.kind, key.altHeld))
        return false;
    if (key.release)
        OnKeyUp(program, clientRight, clientBottom);
    return true;
}

void OnActivation(Program& program, bool active) { SetActive(program, active); }

void OnFocusMoved(Program& program, ToySurface surface)
{
    program.focus = surface;
    const Platform& platform = program.platform;
    const bool severalWindows = !program.curtains.empty() || program.dialogsOpen > 0;
    program.focusSettling = surface == ToySurface::Elsewhere && severalWindows && platform.focusSettleTime > 0 &&
                            platform.wakeAfter && (program.active || program.dialogActive);
    if (program.focusSettling)
        platform.wakeAfter(platform.focusSettleTime);
    else
        FollowFocus(program);
}

void OnFocusSettled(Program& program)
{
    if (!program.focusSettling)
        return;
    program.focusSettling = false;
    FollowFocus(program);
}

void OnMonitorsChanged(Program& program, const std::vector<Box>& monitors, const Box& window)
{
    program.monitors = monitors;
    program.window = window;
    UpdateCurtains(program);
}

void OnMonitorsChanged(Program& program, std::vector<Box> monitors, size_t primary, const Box& window)
{
    if (primary < monitors.size())
        std::rotate(monitors.begin(), monitors.begin() + static_cast<std::ptrdiff_t>(primary),
                    monitors.begin() + static_cast<std::ptrdiff_t>(primary) + 1);
    OnMonitorsChanged(program, monitors, window);
}

void OnCurtainInput(Program& program, CurtainInput input)
{
    LiftPen(program.toy.pen);
    if (input != CurtainInput::PointerMove)
        Call(program.platform.activateToy);
}

void OnMenuOpening(Program& program)
{
    program.menuOpen = true;
    if (!program.platform.menusTakeInput)
        return;
    HoldKeyboard(program, false);
    Call(program.platform.freePointer);
    // Nothing is held again until the menu has closed.
    program.pointerWanted = program.pointerHeld = false;
}

void OnMenuClosed(Program& program, bool active)
{
    LiftPen(program.toy.pen);
    program.menuOpen = false;
    if (program.platform.menusTakeInput && active) {
        HoldKeyboard(program, true);
        ApplyPointerMoment(program, PointerMoment::Activated);
    }
}

void OnCommand(Program& program, int command)
{
    switch (command) {
    case IDM_ABOUT: {
        const OpenDialog dialog(program);
        Call(program.platform.showMessage, MessageKind::Plain, Tr(TEXT_ABOUT_TITLE).c_str(),
             FillIn(Tr(TEXT_ABOUT), {{"version", SCRIVLET_VERSION}}));
        LiftPen(program.toy.pen);
        break;
    }
    case IDM_CLEAR:
        Call(program.platform.clearCanvas);
        break;
    case IDM_OPTIONS:
        RunOptionsDialog(program);
        break;
    case IDM_SAVE_BMP:
        SavePicture(program);
        break;
    case IDM_HELP_CONTENTS:
        Call(program.platform.showHelp, LocalHelpTopic(kContentsTopic).c_str());
        LiftPen(program.toy.pen);
        break;
    case IDM_EXIT:
        Call(program.platform.close);
        break;
    default:
        break;
    }
}

void ApplyPointerMoment(Program& program, PointerMoment moment)
{
    const Platform& platform = program.platform;
    switch (PointerActionFor(moment, FlagOn(program.toy.options.clipMousePointer))) {
    case PointerAction::Confine: {
        const bool held = platform.confinePointer && platform.confinePointer();
        Call(platform.setTitle, Tr(held ? kConfinedTitle : kPlainTitle).c_str());
        program.pointerWanted = platform.confinePointer != nullptr;
        program.pointerHeld = held;
        program.pointerSettled = false;
        break;
    }
    case PointerAction::Release:
        Call(platform.freePointer);
        Call(platform.setTitle, Tr(kPlainTitle).c_str());
        program.pointerWanted = program.pointerHeld = false;
        break;
    case PointerAction::FreeClip:
        Call(platform.freePointer);
        program.pointerWanted = program.pointerHeld = false;
        break;
    case PointerAction::Keep:
        break;
    }
}

unsigned TickPeriod(const Program& program)
{
    const bool walking = FlagOn(program.toy.options.autoDraw);
    return walking || program.platform.idleTickPeriod == 0 ? kWalkTickPeriod : program.platform.idleTickPeriod;
}

bool SavePictureTo(Program& program, const std::string& path)
{
    const Platform& platform = program.platform;
    // The picture takes a few megabytes; running short of memory is told
    // like any other failure, and no exception reaches the platform.
    FileError error = FileError::None;
    try {
        const std::vector<uint8_t> file = platform.canvasAsBmp ? platform.canvasAsBmp() : std::vector<uint8_t>{};
        if (file.empty() || !platform.files) {
            TellSaveFailed(program, path, kNoPictureReason);
            return false;
        }
        error = WriteFileAtomically(*platform.files, path, file.data(), file.size());
    } catch (const std::bad_alloc&) {
        TellSaveFailed(program, path, kNoPictureReason);
        return false;
    }
    if (error != FileError::None) {
        TellSaveFailed(program, path, FileErrorReason(error));
        return false;
    }
    return true;
}
