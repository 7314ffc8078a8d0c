// The stored options come from the registry value or the options file, both
// written by anything and read through the same code: any bytes of any
// length are applied over the defaults without reading or writing outside
// the record, and a value longer than it changes nothing.
#include <cstdint>
#include <cstring>

#include "core/options_record.h"
#include "core/stored_options.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    OptionsRecord record = DefaultOptions();
    const bool used = ApplyStoredOptions(record, data, size);
    FUZZ_CHECK(used == (size <= sizeof record));
    const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
    const auto* defaults = reinterpret_cast<const uint8_t*>(&DefaultOptions());
    const size_t copied = used ? size : 0;
    FUZZ_CHECK(copied == 0 || std::memcmp(bytes, data, copied) == 0);
    FUZZ_CHECK(std::memcmp(bytes + copied, defaults + copied, sizeof record - copied) == 0);
    // The text is read up to its NUL or the field's end, never beyond.
    FUZZ_CHECK(SoundFileText(record).size() <= static_cast<size_t>(kSoundFileSize));
    for (int i = 0; i < kPresetCount; ++i)
        FlagBlockMatchesPreset(record, i);
    return 0;
}
