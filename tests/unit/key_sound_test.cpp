// The key sound's decisions: reading WAVE files defensively, the platform's
// lookup order, and which way each text is played.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/key_sound.h"
#include "core/wave_file.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutTag(Bytes& bytes, const char* tag) { bytes.insert(bytes.end(), tag, tag + 4); }

void PutChunk(Bytes& bytes, const char* tag, const Bytes& contents, uint32_t declared)
{
    PutTag(bytes, tag);
    Put32(bytes, declared);
    bytes.insert(bytes.end(), contents.begin(), contents.end());
}

// A format chunk: tag, 1 channel, 22050 Hz, block alignment, 16 bits, and
// `extra` bytes after a cbSize of `cbSize` when the chunk is longer than 16.
Bytes Format(uint16_t tag, uint16_t blockAlign, size_t chunkSize = 16, uint16_t cbSize = 0)
{
    Bytes f = {static_cast<uint8_t>(tag), static_cast<uint8_t>(tag >> 8), 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0,
               static_cast<uint8_t>(blockAlign), static_cast<uint8_t>(blockAlign >> 8), 16, 0};
    if (chunkSize >= 18) {
        f.push_back(static_cast<uint8_t>(cbSize));
        f.push_back(static_cast<uint8_t>(cbSize >> 8));
    }
    f.resize(chunkSize, 0x77);
    return f;
}

struct WaveParts {
    Bytes format = Format(1, 2);
    Bytes before;  // chunks between the header and the format
    Bytes between;  // chunks between the format and the data
    Bytes samples = Bytes(10, 0x11);
    uint32_t samplesDeclared = 10;
    int riffSizeChange = 0;
};

Bytes Wave(const WaveParts& parts)
{
    Bytes body;
    PutTag(body, "WAVE");
    body.insert(body.end(), parts.before.begin(), parts.before.end());
    PutChunk(body, "fmt ", parts.format, static_cast<uint32_t>(parts.format.size()));
    if (parts.format.size() % 2)
        body.push_back(0);
    body.insert(body.end(), parts.between.begin(), parts.between.end());
    PutChunk(body, "data", parts.samples, parts.samplesDeclared);
    Bytes file;
    PutTag(file, "RIFF");
    Put32(file, static_cast<uint32_t>(static_cast<int>(body.size()) + parts.riffSizeChange));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::optional<WaveSound> Parse(const Bytes& bytes) { return ParseWave(bytes.data(), bytes.size()); }

}  // namespace

TEST(WaveFile, ReadsFormatAndSamplesWhereverTheChunksLie)
{
    Bytes odd;
    PutChunk(odd, "LIST", Bytes(3, 0), 3);
    odd.push_back(0);  // pad byte of an odd-sized chunk
    struct Case {
        const char* name;
        WaveParts parts;
        size_t dataOffset;
        size_t dataSize;
    };
    WaveParts plain;
    WaveParts listFirst;
    listFirst.before = odd;
    WaveParts listBetween;
    listBetween.between = odd;
    WaveParts cutShort;  // the data chunk claims more than the file holds
    cutShort.samplesDeclared = 1000;
    WaveParts riffTooLong;
    riffTooLong.riffSizeChange = 5000;
    WaveParts riffTooShort;  // samples beyond the RIFF end are not read
    riffTooShort.riffSizeChange = -4;
    const Case cases[] = {
        {"plain", plain, 44, 10},
        {"list chunk first", listFirst, 56, 10},
        {"list chunk between", listBetween, 56, 10},
        {"data cut short", cutShort, 44, 10},
        {"RIFF size too long", riffTooLong, 44, 10},
        {"RIFF size too short", riffTooShort, 44, 6},
    };
    for (const Case& c : cases) {
        const std::optional<WaveSound> sound = Parse(Wave(c.parts));
        ASSERT_TRUE(sound) << c.name;
        EXPECT_EQ(sound->dataOffset, c.dataOffset) << c.name;
        EXPECT_EQ(sound->dataSize, c.dataSize) << c.name;
        EXPECT_EQ(sound->format.size(), kWaveFormatExSize) << c.name;
        EXPECT_EQ(WaveFormatTag(*sound), 1) << c.name;
    }
}

TEST(WaveFile, FormatBlockIsAWaveFormatExOfTheChunksOwnLength)
{
    // Plain PCM: a 16-byte chunk gets a zero cbSize; a stray cbSize is ignored.
    WaveParts pcm16;
    EXPECT_EQ(Parse(Wave(pcm16))->format, [] { Bytes f = Format(1, 2); f.resize(18, 0); return f; }());
    WaveParts pcmStray;
    pcmStray.format = Format(1, 2, 22, 4);
    const Bytes strayFormat = Parse(Wave(pcmStray))->format;
    EXPECT_EQ(strayFormat.size(), kWaveFormatExSize);
    EXPECT_EQ(strayFormat[16] | strayFormat[17], 0);

    // A compressed format keeps its extra bytes for the wave mapper.
    WaveParts adpcm;
    adpcm.format = Format(2, 256, 50, 32);
    const std::optional<WaveSound> sound = Parse(Wave(adpcm));
    ASSERT_TRUE(sound);
    EXPECT_EQ(WaveFormatTag(*sound), 2);
    EXPECT_EQ(sound->format.size(), 50u);
}

TEST(WaveFile, RefusesWhatIsNotAPlayableWave)
{
    WaveParts noBlock;
    noBlock.format = Format(1, 0);
    WaveParts shortFormat;
    shortFormat.format = Bytes(14, 1);
    WaveParts extraOverruns;  // cbSize claims more bytes than the chunk has
    extraOverruns.format = Format(2, 256, 20, 3);
    WaveParts compressedTooShort;
    compressedTooShort.format = Format(2, 256, 16);
    const Bytes good = Wave(WaveParts{});
    Bytes notRiff = good;
    std::memcpy(notRiff.data(), "RIFX", 4);
    Bytes notWave = good;
    std::memcpy(notWave.data() + 8, "AVI ", 4);
    Bytes noData = good;
    std::memcpy(noData.data() + 36, "junk", 4);
    Bytes dataBeforeFormat;
    PutTag(dataBeforeFormat, "RIFF");
    Put32(dataBeforeFormat, 4 + 8 + 2 + 8 + 16);
    PutTag(dataBeforeFormat, "WAVE");
    PutChunk(dataBeforeFormat, "data", Bytes(2, 0), 2);
    PutChunk(dataBeforeFormat, "fmt ", Format(1, 2), 16);
    Bytes hugeChunk = good;  // a chunk size that would wrap an offset
    std::memcpy(hugeChunk.data() + 12, "LIST", 4);
    hugeChunk[16] = hugeChunk[17] = hugeChunk[18] = hugeChunk[19] = 0xFF;

    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"header only", Bytes(good.begin(), good.begin() + 12)},
        {"not RIFF", notRiff},
        {"not WAVE", notWave},
        {"no data chunk", noData},
        {"data before format", dataBeforeFormat},
        {"block alignment 0", Wave(noBlock)},
        {"format under 16 bytes", Wave(shortFormat)},
        {"extra bytes overrun the chunk", Wave(extraOverruns)},
        {"compressed without cbSize", Wave(compressedTooShort)},
        {"chunk size near 4 GiB", hugeChunk},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_FALSE(Parse(bytes)) << name;
    EXPECT_FALSE(ParseWave(nullptr, 100));
}

TEST(KeySound, LooksUpARegisteredSoundThenAFileThenTheDefault)
{
    const std::vector<KeySoundSource> sources = KeySoundSources("key.wav");
    ASSERT_EQ(sources.size(), 3u);
    EXPECT_EQ(sources[0].kind, KeySoundSourceKind::registered);
    EXPECT_EQ(sources[0].name, "key.wav");
    EXPECT_EQ(sources[1].kind, KeySoundSourceKind::file);
    EXPECT_EQ(sources[1].name, "key.wav");
    EXPECT_EQ(sources[2].kind, KeySoundSourceKind::defaultSound);
    EXPECT_EQ(sources[2].name, ".Default");
    EXPECT_EQ(RegisteredSoundKeyPath("SystemAsterisk"), "AppEvents\\Schemes\\Apps\\.Default\\SystemAsterisk\\.Current");

    // An empty text is neither a name nor a file: only the default is left.
    const std::vector<KeySoundSource> empty = KeySoundSources("");
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].kind, KeySoundSourceKind::defaultSound);
}

TEST(KeySound, PlanFollowsTheDeviceWhatWasFoundAndWhatItHolds)
{
    WaveSound samples;
    samples.dataSize = 100;
    WaveSound noSamples;
    struct Case {
        bool device;
        bool found;
        std::optional<WaveSound> sound;
        KeySoundPlan plan;
    };
    const Case cases[] = {
        {false, true, samples, KeySoundPlan::silent},  // nothing could be heard
        {true, false, std::nullopt, KeySoundPlan::silent},  // nothing to play
        {true, true, noSamples, KeySoundPlan::silent},
        {true, true, samples, KeySoundPlan::device},
        {true, true, std::nullopt, KeySoundPlan::platform},  // the platform decides what it makes of it
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecideKeySoundPlan(c.device, c.found, c.sound), c.plan)
            << c.device << c.found << c.sound.has_value();

    const Bytes tooLarge(kMaxKeptWaveBytes + 1, 0);
    EXPECT_FALSE(ParseKeptWave(tooLarge));
    EXPECT_TRUE(ParseKeptWave(Wave(WaveParts{})));
}
