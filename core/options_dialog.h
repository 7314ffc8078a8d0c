// What the options dialog shows and what it makes of its check boxes. The
// dialog's window procedure only moves these values in and out of controls.
#pragma once

#include <array>
#include <string>

#include "core/options_record.h"

// One check box per flag, in record order: ticked or not.
using OptionBoxes = std::array<bool, kFlagCount>;

// The control that shows flag `index` (0..5, record order).
int OptionBoxId(int index);

// The boxes a record ticks: every nonzero flag.
OptionBoxes BoxesForRecord(const OptionsRecord& record);

// The boxes preset `index` ticks; none for an index outside the table.
OptionBoxes BoxesForPreset(int index);

// The preset whose flags the record has byte for byte, or -1 for none.
int PresetMatchingRecord(const OptionsRecord& record);

// What OK makes of the dialog: each flag 1 when its box is ticked, else 0,
// and the sound file from the field's text. The field is read-only and shows
// the record's own text, so unchanged text leaves the stored bytes alone (a
// value filling all 260 bytes without a NUL is saved back as it came).
void ApplyDialogToRecord(OptionsRecord& record, const OptionBoxes& boxes, const std::string& soundFieldText);
