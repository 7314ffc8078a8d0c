// Defaults, presets and small accessors for the options record.
#include "core/options_record.h"

#include <cstring>

#include "res/texts.h"

namespace {

constexpr OptionsRecord kDefaults = {1, 1, 1, 0, 1, 0, "key.wav"};

struct Preset {
    const char* name;
    OptionsRecord record;
};

constexpr Preset kPresets[kPresetCount] = {
    {TEXT_PRESET_0_6_MONTHS, {1, 0, 1, 1, 1, 1, ""}},
    {TEXT_PRESET_6_12_MONTHS, {1, 1, 1, 0, 1, 1, ""}},
    {TEXT_PRESET_12_24_MONTHS, {1, 1, 1, 0, 1, 0, ""}},
    {TEXT_PRESET_24_MONTHS_AND_UP, {0, 1, 0, 0, 1, 0, ""}},
};

constexpr int32_t OptionsRecord::*kFlagFields[kFlagCount] = {
    &OptionsRecord::drawWhenMouseMoves, &OptionsRecord::eraseWithRightButton,
    &OptionsRecord::drawWithBlackMargins, &OptionsRecord::autoDraw,
    &OptionsRecord::keySound, &OptionsRecord::clipMousePointer,
};

bool IsPresetIndex(int index) { return index >= 0 && index < kPresetCount; }

}  // namespace

const OptionsRecord& DefaultOptions() { return kDefaults; }

void ResetOptionsToDefaults(OptionsRecord& record) { std::memcpy(&record, &kDefaults, sizeof record); }

int32_t GetFlag(const OptionsRecord& record, int index) { return record.*kFlagFields[index]; }

void SetFlag(OptionsRecord& record, int index, int32_t value) { record.*kFlagFields[index] = value; }

std::string SoundFileText(const OptionsRecord& record)
{
    // A value written by something else may lack its NUL: stop at the field's end.
    const void* end = std::memchr(record.soundFile, '\0', kSoundFileSize);
    const size_t length = end ? static_cast<const char*>(end) - record.soundFile : kSoundFileSize;
    return std::string(record.soundFile, length);
}

void SetSoundFile(OptionsRecord& record, const std::string& text)
{
    std::memset(record.soundFile, 0, kSoundFileSize);
    std::memcpy(record.soundFile, text.data(), text.size() < kSoundFileSize ? text.size() : kSoundFileSize - 1);
}

bool FlagBlockMatchesPreset(const OptionsRecord& record, int index)
{
    return IsPresetIndex(index) && std::memcmp(&record, &kPresets[index].record, kFlagBlockSize) == 0;
}

OptionFlags PresetFlags(int index)
{
    OptionFlags flags{};
    if (!IsPresetIndex(index))
        return flags;
    for (int i = 0; i < kFlagCount; ++i)
        flags[i] = GetFlag(kPresets[index].record, i);
    return flags;
}

const char* PresetName(int index) { return IsPresetIndex(index) ? kPresets[index].name : ""; }
