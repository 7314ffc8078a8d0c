// The options record: every user setting in one fixed 284-byte layout that is
// used the same in memory and in the registry, plus the four age presets.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

constexpr int kSoundFileSize = 260;
constexpr int kFlagCount = 6;
constexpr int kFlagBlockSize = kFlagCount * 4;
constexpr int kOptionsRecordSize = kFlagBlockSize + kSoundFileSize;
constexpr int kPresetCount = 4;

struct OptionsRecord {
    int32_t drawWhenMouseMoves;
    int32_t eraseWithRightButton;
    int32_t drawWithBlackMargins;
    int32_t autoDraw;
    int32_t keySound;
    int32_t clipMousePointer;
    char soundFile[kSoundFileSize];
};

// The record is a stored format: its size and every offset are fixed.
static_assert(sizeof(OptionsRecord) == 284, "options record is 284 bytes");
static_assert(offsetof(OptionsRecord, drawWhenMouseMoves) == 0, "layout");
static_assert(offsetof(OptionsRecord, eraseWithRightButton) == 4, "layout");
static_assert(offsetof(OptionsRecord, drawWithBlackMargins) == 8, "layout");
static_assert(offsetof(OptionsRecord, autoDraw) == 12, "layout");
static_assert(offsetof(OptionsRecord, keySound) == 16, "layout");
static_assert(offsetof(OptionsRecord, clipMousePointer) == 20, "layout");
static_assert(offsetof(OptionsRecord, soundFile) == 24, "layout");

using OptionFlags = std::array<int32_t, kFlagCount>;

// Any nonzero flag value counts as on.
inline bool FlagOn(int32_t flag) { return flag != 0; }

// The compiled-in defaults the program starts from.
const OptionsRecord& DefaultOptions();

// Copies the whole default record over `record`.
void ResetOptionsToDefaults(OptionsRecord& record);

// Flag `index` (0..5, record order) of `record`.
int32_t GetFlag(const OptionsRecord& record, int index);
void SetFlag(OptionsRecord& record, int index, int32_t value);

// The sound file text, read up to its NUL or the end of the field.
std::string SoundFileText(const OptionsRecord& record);
// Stores `text`, cut to fit with its NUL, and zeroes the rest of the field.
void SetSoundFile(OptionsRecord& record, const std::string& text);

// True when the 24 flag bytes of `record` equal those of preset `index`;
// false for an index outside the table.
bool FlagBlockMatchesPreset(const OptionsRecord& record, int index);

// The six flags of preset `index` (0..3); presets never carry a sound file.
OptionFlags PresetFlags(int index);

// The preset's display name, or an empty text for an index outside the table.
const char* PresetName(int index);
