// The options dialog's model: what its controls show, and what each of their
// events does to it and to the live record. A shell's dialog shows this
// state in its controls and hands each control's event here.
#pragma once

#include <array>
#include <string>

#include "core/options_record.h"

// One check box per flag, in record order: ticked or not.
using OptionBoxes = std::array<bool, kFlagCount>;

struct OptionsDialog {
    OptionsRecord* live = nullptr;
    OptionBoxes boxes{};
    // The presets list's selection, -1 for none. Ticking boxes by hand
    // leaves it as it is.
    int preset = -1;
    // The read-only field: only "..." changes it.
    std::string soundFile;
    void (*showHelp)(const char* topic) = nullptr;
};

// The dialog as it opens over `live`: the record's boxes (every nonzero flag
// ticked), the preset whose flags the record has byte for byte, and its
// sound file. Help asks `showHelp` for the options topic.
OptionsDialog OpenOptionsDialog(OptionsRecord& live, void (*showHelp)(const char* topic));

// A box ticked or unticked by hand; nothing else changes until OK.
void TickBox(OptionsDialog& dialog, int index, bool ticked);

// Preset `index` picked in the list (its position there): it ticks that
// preset's boxes and nothing else. An index outside the table is no pick.
void ChoosePreset(OptionsDialog& dialog, int index);

// "..." answered with `path`, empty when the chooser was cancelled: a chosen
// file is stored into the live record at once, whatever closes the dialog
// later. True when a file was chosen: the field then shows it, cut to fit.
bool SoundFileChosen(OptionsDialog& dialog, const std::string& path);

// The close box and Escape act as Cancel.
enum class DialogButton { Ok, Cancel, Help };

// A button pressed; true when the dialog closes. OK writes each flag as 1
// when its box is ticked, else 0, and the field's text, which leaves the
// stored bytes alone when unchanged (a value filling all 260 bytes without a
// NUL is saved back as it came). Help shows the options topic and the
// dialog stays.
bool PressButton(OptionsDialog& dialog, DialogButton button);

// The boxes preset `index` ticks; none for an index outside the table.
OptionBoxes BoxesForPreset(int index);

// The boxes' texts, in record order (the resource script places them for
// Windows).
extern const std::array<const char*, kFlagCount> kOptionBoxTexts;

// The control that shows flag `index` (0..5, record order), and the flag
// that control `id` shows, or -1 for another control.
int OptionBoxId(int index);
int OptionBoxIndex(int id);
