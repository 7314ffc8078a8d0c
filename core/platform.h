// What the core asks of the platform it runs on: one small table of
// operations that each shell fills in, as GLFW's and SDL's backends do. An
// entry left null is something the platform does not do (the headless
// table of the replay tool has no pointer to confine); the core asks before
// it calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/atomic_file.h"
#include "core/options_record.h"
#include "core/stamp.h"
#include "core/stroke.h"
#include "res/texts.h"

// One line of a file chooser's list of kinds; a null pattern takes every
// file (the platform says how: "*.*" on Windows, "*" elsewhere).
struct FileFilter {
    const char* name;
    const char* pattern;
};

// What a file chooser asks. A name chosen without an extension gets
// `defaultExtension` (without its dot; empty for none).
struct FileQuestion {
    const char* title;
    FileFilter filters[2];
    const char* defaultExtension;
    bool forSaving;
};

constexpr FileQuestion kSoundFileQuestion{
    TEXT_CHOOSE_SOUND_TITLE, {{TEXT_FILTER_SOUNDS, "*.wav"}, {TEXT_FILTER_ALL, nullptr}}, "", false};
constexpr FileQuestion kPictureFileQuestion{
    TEXT_CHOOSE_PICTURE_TITLE, {{TEXT_FILTER_PICTURES, "*.bmp"}, {TEXT_FILTER_ALL, nullptr}}, "bmp", true};

// `path` with ".extension" added when its last name (after any of
// `separators`) has no dot; as it is otherwise, and with an empty extension.
std::string WithDefaultExtension(const std::string& path, const char* extension, const char* separators);

// The parents' help: its first page, and the options dialog's topic.
constexpr char kContentsTopic[] = "scrivlet.htm";
constexpr char kOptionsHelpTopic[] = "scrivlet.htm#Options";

enum class MessageKind { Plain, Warning };

struct Platform {
    // A mark, painted on the window and on the canvas.
    void (*paintSegment)(const Segment& segment) = nullptr;
    void (*paintBlossom)(const Blossom& blossom) = nullptr;
    // Blackens the client area as it is now, on the window and the canvas.
    void (*clearCanvas)() = nullptr;

    // Holds the pointer inside the drawing area, or lets it go; and the
    // window's title, which tells an adult how to reach the menu. False
    // where the pointer could not be held (a grab refused, a compositor
    // that offers no confinement): the title then names no menu that only
    // the keyboard reaches.
    bool (*confinePointer)() = nullptr;
    // Whether the hold last made is still in force, where the platform can
    // lose it without telling (Wine drops a cursor clip now and then while
    // it moves the focus).
    bool (*pointerStillHeld)() = nullptr;
    void (*freePointer)() = nullptr;
    void (*setTitle)(const char* title) = nullptr;
    // The curtains: black windows of the toy's above other programs'
    // windows and under the toy's own dialogs. The core keeps the count: one
    // more made at the end of the platform's list (false where it could not
    // be), the last one destroyed, curtain `index` put at a screen rectangle
    // and shown, or hidden.
    bool (*addCurtain)() = nullptr;
    void (*removeCurtain)() = nullptr;
    void (*placeCurtain)(size_t index, const Box& box) = nullptr;
    void (*hideCurtain)(size_t index) = nullptr;
    // Makes the toy the active program again (its window, or its dialog
    // while one is open), after a child's click on a curtain.
    void (*activateToy)() = nullptr;
    // Takes or gives back the keyboard, where the platform keeps the
    // desktop's keys from the child with a grab while the toy is active;
    // true when it holds it now (another program's grab refuses ours).
    bool (*holdKeyboard)(bool hold) = nullptr;
    // Calls OnFocusSettled once, `milliseconds` from now, in place of any
    // such call still to come.
    void (*wakeAfter)(unsigned milliseconds) = nullptr;

    // Plays the key sound for an options text, from its start.
    void (*playKeySound)(const std::string& soundFile) = nullptr;
    // Looks up what a text names, so that the first key is quick; the
    // sound device is left alone until a key wants it.
    void (*prepareKeySound)(const std::string& soundFile) = nullptr;
    void (*closeKeySound)() = nullptr;

    // A modal message box over the window with one OK button; the text's
    // lines end with '\n'. A warning may carry the platform's warning sign.
    void (*showMessage)(MessageKind kind, const char* title, const std::string& text) = nullptr;
    // The modal chooser: the path the parent chose, or empty.
    std::string (*chooseFile)(const FileQuestion& question) = nullptr;
    // The whole canvas, at its start-up size, as the bytes of a BMP file;
    // empty when its pixels cannot be had.
    std::vector<uint8_t> (*canvasAsBmp)() = nullptr;
    // The platform's file operations, for the atomic writer.
    const FileOps* files = nullptr;
    // Shows a topic of the parents' help ("scrivlet.htm#Options").
    void (*showHelp)(const char* topic) = nullptr;
    // The modal options dialog over the live record.
    void (*runOptionsDialog)(OptionsRecord& live) = nullptr;

    // The options kept between runs; false when there are none to be had.
    bool (*loadOptions)(OptionsRecord& record) = nullptr;
    bool (*saveOptions)(const OptionsRecord& record) = nullptr;

    // Keeps the display from dimming or sleeping, or lets it.
    void (*keepDisplayAwake)(bool awake) = nullptr;
    // Sets the period of the timer whose ticks walk the pen.
    void (*setTickPeriod)(unsigned milliseconds) = nullptr;
    // Ends the program, as closing its window does.
    void (*close)() = nullptr;

    // Facts about the platform. A menu that takes the keyboard and the
    // pointer with grabs of its own kind, which ours would refuse, needs
    // ours let go before it opens and taken again when it closes.
    bool menusTakeInput = false;
    // Where the timer serves more than the walk (a look at the focus now and
    // then), it wakes only this often while auto draw is off; 0 keeps it at
    // the walk's period.
    unsigned idleTickPeriod = 0;
    // How long a focus that left the toy's windows must stay away before
    // it counts, while more than one of them is up (see OnFocusMoved).
    unsigned focusSettleTime = 0;
    // The platform tells which of the toy's windows has the focus
    // (OnFocusMoved) rather than whether the program is active.
    bool tellsFocus = false;
};
