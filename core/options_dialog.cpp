// The options dialog's state and its answers to the parent's clicks.
#include "core/options_dialog.h"

#include "core/help_path.h"
#include "core/platform.h"
#include "res/resource.h"
#include "res/texts.h"

namespace {

constexpr int kBoxIds[kFlagCount] = {
    IDC_DRAW_WHEN_MOUSE_MOVES, IDC_ERASE_WITH_RIGHT_BUTTON, IDC_DRAW_WITH_BLACK_MARGINS,
    IDC_AUTO_DRAW,             IDC_KEY_SOUND,               IDC_CLIP_MOUSE_POINTER,
};

bool IsFlag(int index) { return index >= 0 && index < kFlagCount; }

int PresetMatchingRecord(const OptionsRecord& record)
{
    for (int i = 0; i < kPresetCount; ++i) {
        if (FlagBlockMatchesPreset(record, i))
            return i;
    }
    return -1;
}

void ApplyDialogToRecord(const OptionsDialog& dialog, OptionsRecord& record)
{
    for (int i = 0; i < kFlagCount; ++i)
        SetFlag(record, i, dialog.boxes[i] ? 1 : 0);
    if (dialog.soundFile != SoundFileText(record))
        SetSoundFile(record, dialog.soundFile);
}

}  // namespace

const std::array<const char*, kFlagCount> kOptionBoxTexts = {
    TEXT_OPTIONS_DRAW_WHEN_MOUSE_MOVES, TEXT_OPTIONS_ERASE_WITH_RIGHT_BUTTON, TEXT_OPTIONS_DRAW_WITH_BLACK_MARGINS,
    TEXT_OPTIONS_AUTO_DRAW,             TEXT_OPTIONS_KEY_SOUND_ENABLE,        TEXT_OPTIONS_CLIP_MOUSE_POINTER};

OptionsDialog OpenOptionsDialog(OptionsRecord& live, void (*showHelp)(const char* topic))
{
    OptionsDialog dialog;
    dialog.live = &live;
    for (int i = 0; i < kFlagCount; ++i)
        dialog.boxes[i] = FlagOn(GetFlag(live, i));
    dialog.preset = PresetMatchingRecord(live);
    dialog.soundFile = SoundFileText(live);
    dialog.showHelp = showHelp;
    return dialog;
}

void TickBox(OptionsDialog& dialog, int index, bool ticked)
{
    if (IsFlag(index))
        dialog.boxes[index] = ticked;
}

void ChoosePreset(OptionsDialog& dialog, int index)
{
    if (index < 0 || index >= kPresetCount)
        return;
    dialog.preset = index;
    dialog.boxes = BoxesForPreset(index);
}

bool SoundFileChosen(OptionsDialog& dialog, const std::string& path)
{
    if (path.empty() || !dialog.live)
        return false;
    SetSoundFile(*dialog.live, path);
    dialog.soundFile = SoundFileText(*dialog.live);
    return true;
}

bool PressButton(OptionsDialog& dialog, DialogButton button)
{
    switch (button) {
    case DialogButton::Ok:
        if (dialog.live)
            ApplyDialogToRecord(dialog, *dialog.live);
        return true;
    case DialogButton::Help:
        if (dialog.showHelp)
            dialog.showHelp(LocalHelpTopic(kOptionsHelpTopic).c_str());
        return false;
    case DialogButton::Cancel:
        break;
    }
    return true;
}

OptionBoxes BoxesForPreset(int index)
{
    const OptionFlags flags = PresetFlags(index);
    OptionBoxes boxes{};
    for (int i = 0; i < kFlagCount; ++i)
        boxes[i] = FlagOn(flags[i]);
    return boxes;
}

int OptionBoxId(int index) { return IsFlag(index) ? kBoxIds[index] : 0; }

int OptionBoxIndex(int id)
{
    for (int i = 0; i < kFlagCount; ++i) {
        if (kBoxIds[i] == id)
            return i;
    }
    return -1;
}
