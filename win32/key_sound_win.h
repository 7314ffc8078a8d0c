// The key sound on Windows: each text is resolved once, its samples kept on
// an output device opened once, and every key release restarts them there.
// Under Wine a PlaySoundA call starts a thread every time, about 6 ms of
// CPU a key; a restart on a device kept open costs a tenth of that.
#pragma once

#include <string>

#include <windows.h>

#include "core/key_sound.h"

struct ResolvedKeySound {
    std::string text;   // the sound file option this was resolved for
    KeySoundPlan plan = KeySoundPlan::silent;
    std::string path;   // the file that was found, empty when none
    bool playable = false;  // it holds samples this program can keep
};

// Plays the key sound for `soundFile`, from its start; what the window
// procedure calls on every key release when the key sound is on.
void PlayKeySound(const char* soundFile);

// Looks up what `soundFile` names and keeps its samples, unless it is the
// text looked up last, without asking for the output devices: start-up calls
// it, and the audio stack is loaded only when the first key wants a sound.
void LookUpKeySound(const char* soundFile);

// Resolves `soundFile` unless it is the text resolved last, and says how it
// is played; the first call after a lookup asks for the output devices and
// opens one. Tests call it to see the decision.
const ResolvedKeySound& PrepareKeySound(const char* soundFile);

// The window that hears when a sound has played to its end (MM_WOM_DONE).
void SetKeySoundWindow(HWND window);

// A buffer came back from the device. When the sound played to its end, the
// device is closed, and the next key opens it again: under Wine an output
// stream that has once been started keeps its audio threads waking a
// hundred times a second, a few percent of a core, until it is closed. A
// buffer handed back by a restart is already queued again and is left alone.
void OnKeySoundDone();

// Stops the sound and gives back the device; the next key opens it again.
void CloseKeySound();
