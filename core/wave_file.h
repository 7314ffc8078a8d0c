// Reads a RIFF WAVE file held in memory the way the platform's sound player
// does: the format chunk first, then the first data chunk after it. Nothing
// here trusts a size field further than the bytes that are really there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The format block handed to the output device is at least a WAVEFORMATEX.
constexpr size_t kWaveFormatExSize = 18;
// Larger sound files are left to the platform, which streams them.
constexpr size_t kMaxKeptWaveBytes = 16u * 1024 * 1024;

struct WaveSound {
    // The whole format chunk, padded with zeros to kWaveFormatExSize bytes.
    std::vector<uint8_t> format;
    size_t dataOffset = 0;  // where the samples start in the file's bytes
    size_t dataSize = 0;    // how many sample bytes are really there
};

// The format and samples of `size` bytes at `bytes`, or nothing when they do
// not hold a playable WAVE: no "RIFF"/"WAVE" header, no format chunk of at
// least 16 bytes, a format block whose extra bytes overrun its chunk, a zero
// block alignment, or no data chunk after the format.
std::optional<WaveSound> ParseWave(const uint8_t* bytes, size_t size);

// The format tag of a parsed sound (1 for plain PCM).
uint16_t WaveFormatTag(const WaveSound& sound);
