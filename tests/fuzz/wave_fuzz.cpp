// A key sound file can hold anything: whatever the bytes, the parser either
// refuses them or points at samples that lie inside them, with a format
// block a device can be handed whole.
#include <cstdint>

#include "core/key_sound.h"
#include "core/wave_file.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<WaveSound> sound = ParseWave(data, size);
    if (!sound)
        return 0;
    FUZZ_CHECK(sound->dataOffset <= size);
    FUZZ_CHECK(sound->dataSize <= size - sound->dataOffset);
    FUZZ_CHECK(sound->format.size() >= kWaveFormatExSize);
    const size_t extra = sound->format[16] | sound->format[17] << 8;
    FUZZ_CHECK(sound->format.size() == kWaveFormatExSize + extra);
    FUZZ_CHECK((sound->format[12] | sound->format[13] << 8) != 0);
    // Reading the samples must stay inside the bytes.
    unsigned sum = 0;
    for (size_t i = 0; i < sound->dataSize; ++i)
        sum += data[sound->dataOffset + i];
    (void)sum;
    DecideKeySoundPlan(true, true, sound);
    return 0;
}
