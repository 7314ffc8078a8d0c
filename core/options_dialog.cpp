// The options dialog's decisions: boxes for a record or a preset, the preset
// a record matches, and the record that OK writes.
#include "core/options_dialog.h"

#include "res/resource.h"

namespace {

constexpr int kBoxIds[kFlagCount] = {
    IDC_DRAW_WHEN_MOUSE_MOVES, IDC_ERASE_WITH_RIGHT_BUTTON, IDC_DRAW_WITH_BLACK_MARGINS,
    IDC_AUTO_DRAW,             IDC_KEY_SOUND,               IDC_CLIP_MOUSE_POINTER,
};

}  // namespace

int OptionBoxId(int index) { return index >= 0 && index < kFlagCount ? kBoxIds[index] : 0; }

OptionBoxes BoxesForRecord(const OptionsRecord& record)
{
    OptionBoxes boxes{};
    for (int i = 0; i < kFlagCount; ++i)
        boxes[i] = FlagOn(GetFlag(record, i));
    return boxes;
}

OptionBoxes BoxesForPreset(int index)
{
    const OptionFlags flags = PresetFlags(index);
    OptionBoxes boxes{};
    for (int i = 0; i < kFlagCount; ++i)
        boxes[i] = FlagOn(flags[i]);
    return boxes;
}

int PresetMatchingRecord(const OptionsRecord& record)
{
    for (int i = 0; i < kPresetCount; ++i) {
        if (FlagBlockMatchesPreset(record, i))
            return i;
    }
    return -1;
}

void ApplyDialogToRecord(OptionsRecord& record, const OptionBoxes& boxes, const std::string& soundFieldText)
{
    for (int i = 0; i < kFlagCount; ++i)
        SetFlag(record, i, boxes[i] ? 1 : 0);
    if (soundFieldText != SoundFileText(record))
        SetSoundFile(record, soundFieldText);
}
