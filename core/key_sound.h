// What a key sound text stands for, decided once per text rather than on
// every key: the platform's order of lookups, and how the sound is then
// played. The lookups themselves are the Windows adapter's business.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/wave_file.h"

// Where the platform's sound player looks for a text, in its order: a
// registered sound of that name, a file of that name, the default sound.
enum class KeySoundSourceKind { registered, file, defaultSound };

struct KeySoundSource {
    KeySoundSourceKind kind;
    std::string name;  // the registered sound's name, or the file name
};

// The name under which the platform registers its default sound.
constexpr char kDefaultSoundName[] = ".Default";

// The lookups for `text`, in order. An empty text names no registered sound
// and no file, so only the default sound is left.
std::vector<KeySoundSource> KeySoundSources(const std::string& text);

// The key under HKEY_CURRENT_USER whose default value holds the file of the
// registered sound `name`.
std::string RegisteredSoundKeyPath(const std::string& name);

// How every key release of one text is served.
enum class KeySoundPlan {
    silent,    // nothing to hear: no output device, nothing found, no samples
    device,    // restart the prepared samples on the device kept open
    platform,  // hand the text to the platform's own player
};

// The plan for a text, given whether an output device exists, whether any
// source could be opened, and what the opened file parsed to (nothing when it
// is not a WAVE this program can hand to a device, or was too large to keep).
KeySoundPlan DecideKeySoundPlan(bool outputDeviceExists, bool sourceFound, const std::optional<WaveSound>& sound);

// The parsed sound of a file's bytes, or nothing when the file is larger than
// kMaxKeptWaveBytes or is not a WAVE.
std::optional<WaveSound> ParseKeptWave(const std::vector<uint8_t>& bytes);
