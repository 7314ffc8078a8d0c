// Reading the stored options value over the live record. The value comes from
// outside the program, so its length decides how much of it is trusted.
#pragma once

#include <cstddef>

#include "core/options_record.h"

// Copies a stored value of `size` bytes over the start of `record`: a shorter
// value replaces only the fields it covers, the rest keeps what it was. A
// value longer than the record is refused and the record stays whole. True
// when the value was used.
bool ApplyStoredOptions(OptionsRecord& record, const void* value, size_t size);
