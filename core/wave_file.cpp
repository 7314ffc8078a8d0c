// RIFF WAVE reading for the key sound: chunk walking with every size checked
// against the bytes at hand.
#include "core/wave_file.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kChunkHeaderSize = 8;
constexpr size_t kPcmFormatSize = 16;

uint32_t ReadLe32(const uint8_t* at)
{
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
           static_cast<uint32_t>(at[3]) << 24;
}

uint16_t ReadLe16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

bool IsTag(const uint8_t* at, const char (&tag)[5]) { return std::memcmp(at, tag, 4) == 0; }

struct Chunk {
    size_t offset = 0;  // of its contents
    size_t size = 0;    // as declared, possibly beyond the end of the bytes
};

// The first chunk called `tag` at or after `from` and before `end`. Chunks
// are padded to an even length.
std::optional<Chunk> FindChunk(const uint8_t* bytes, size_t from, size_t end, const char (&tag)[5])
{
    size_t at = from;
    while (end - at >= kChunkHeaderSize) {
        const size_t declared = ReadLe32(bytes + at + 4);
        const size_t contents = at + kChunkHeaderSize;
        if (IsTag(bytes + at, tag))
            return Chunk{contents, declared};
        const size_t step = declared + (declared & 1);
        if (step > end - contents)
            return std::nullopt;
        at = contents + step;
    }
    return std::nullopt;
}

}  // namespace

std::optional<WaveSound> ParseWave(const uint8_t* bytes, size_t size)
{
    if (!bytes || size < 12 || !IsTag(bytes, "RIFF") || !IsTag(bytes + 8, "WAVE"))
        return std::nullopt;
    // A RIFF size that claims more than is there is cut to what is there.
    const size_t riffEnd = std::min<size_t>(size, static_cast<size_t>(ReadLe32(bytes + 4)) + 8);
    if (riffEnd < 12)
        return std::nullopt;

    const std::optional<Chunk> fmt = FindChunk(bytes, 12, riffEnd, "fmt ");
    if (!fmt || fmt->size < kPcmFormatSize || fmt->size > riffEnd - fmt->offset)
        return std::nullopt;
    WaveSound sound;
    sound.format.assign(bytes + fmt->offset, bytes + fmt->offset + fmt->size);
    if (sound.format.size() < kWaveFormatExSize)
        sound.format.resize(kWaveFormatExSize, 0);
    const uint16_t tag = WaveFormatTag(sound);
    const uint16_t blockAlign = ReadLe16(sound.format.data() + 12);
    if (blockAlign == 0)
        return std::nullopt;
    // Plain PCM has no extra bytes whatever cbSize says; any other format's
    // extra bytes must lie inside the chunk.
    if (tag != 1) {
        const size_t extra = ReadLe16(sound.format.data() + 16);
        if (fmt->size < kWaveFormatExSize || extra > fmt->size - kWaveFormatExSize)
            return std::nullopt;
        sound.format.resize(kWaveFormatExSize + extra);
    } else {
        sound.format.resize(kWaveFormatExSize);
        sound.format[16] = sound.format[17] = 0;
    }

    const size_t afterFmt = fmt->offset + fmt->size + (fmt->size & 1);
    if (afterFmt > riffEnd)
        return std::nullopt;
    const std::optional<Chunk> data = FindChunk(bytes, afterFmt, riffEnd, "data");
    if (!data)
        return std::nullopt;
    sound.dataOffset = data->offset;
    sound.dataSize = std::min(data->size, riffEnd - data->offset);
    return sound;
}

uint16_t WaveFormatTag(const WaveSound& sound)
{
    return sound.format.size() >= 2 ? ReadLe16(sound.format.data()) : 0;
}
