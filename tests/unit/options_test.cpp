// The options record: its stored layout, defaults and age presets.
#include <gtest/gtest.h>

#include <cstring>

#include "core/options_record.h"

TEST(OptionsRecord, DefaultsAreTheCompiledInRecord)
{
    OptionsRecord record;
    std::memset(&record, 0xAB, sizeof record);
    ResetOptionsToDefaults(record);
    EXPECT_EQ(record.drawWhenMouseMoves, 1);
    EXPECT_EQ(record.eraseWithRightButton, 1);
    EXPECT_EQ(record.drawWithBlackMargins, 1);
    EXPECT_EQ(record.autoDraw, 0);
    EXPECT_EQ(record.keySound, 1);
    EXPECT_EQ(record.clipMousePointer, 0);
    EXPECT_STREQ(record.soundFile, "key.wav");
    for (int i = 8; i < kSoundFileSize; ++i)
        ASSERT_EQ(record.soundFile[i], 0) << "byte " << i;
}

TEST(OptionsRecord, StoredBytesAreLittleEndianFlagsThenText)
{
    OptionsRecord record;
    ResetOptionsToDefaults(record);
    record.clipMousePointer = 0x01020304;
    unsigned char bytes[kOptionsRecordSize];
    std::memcpy(bytes, &record, sizeof bytes);
    const unsigned char flags[] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 4, 3, 2, 1};
    EXPECT_EQ(std::memcmp(bytes, flags, sizeof flags), 0);
    EXPECT_EQ(std::memcmp(bytes + 24, "key.wav", 8), 0);
}

TEST(Presets, NamesAndFlagsInTableOrder)
{
    const char* names[] = {"0-6 months", "6-12 months", "12-24 months", "24 months and up"};
    const OptionFlags flags[] = {
        {1, 0, 1, 1, 1, 1}, {1, 1, 1, 0, 1, 1}, {1, 1, 1, 0, 1, 0}, {0, 1, 0, 0, 1, 0}};
    for (int i = 0; i < kPresetCount; ++i) {
        EXPECT_STREQ(PresetName(i), names[i]);
        EXPECT_EQ(PresetFlags(i), flags[i]) << names[i];
    }
    EXPECT_STREQ(PresetName(-1), "");
    EXPECT_STREQ(PresetName(kPresetCount), "");
}

TEST(Presets, DefaultsMatchTwelveToTwentyFourMonthsOnly)
{
    const OptionsRecord& defaults = DefaultOptions();
    for (int i = 0; i < kPresetCount; ++i)
        EXPECT_EQ(FlagBlockMatchesPreset(defaults, i), i == 2) << PresetName(i);
    EXPECT_FALSE(FlagBlockMatchesPreset(defaults, -1));
    EXPECT_FALSE(FlagBlockMatchesPreset(defaults, kPresetCount));
}

TEST(Presets, SoundFileTakesNoPartInMatching)
{
    OptionsRecord record = DefaultOptions();
    SetSoundFile(record, "C:\\Sounds\\boing.wav");
    EXPECT_TRUE(FlagBlockMatchesPreset(record, 2));
}

TEST(Presets, AFlagOfTwoMatchesNoPresetButCountsAsOn)
{
    OptionsRecord record = DefaultOptions();
    record.drawWhenMouseMoves = 2;
    for (int i = 0; i < kPresetCount; ++i)
        EXPECT_FALSE(FlagBlockMatchesPreset(record, i));
    EXPECT_TRUE(FlagOn(record.drawWhenMouseMoves));
    EXPECT_TRUE(FlagOn(-1));
    EXPECT_FALSE(FlagOn(0));
}

TEST(Presets, EveryPresetMatchesItselfAndNoOther)
{
    for (int i = 0; i < kPresetCount; ++i) {
        OptionsRecord record = DefaultOptions();
        const OptionFlags flags = PresetFlags(i);
        for (int f = 0; f < kFlagCount; ++f)
            SetFlag(record, f, flags[f]);
        for (int j = 0; j < kPresetCount; ++j)
            EXPECT_EQ(FlagBlockMatchesPreset(record, j), i == j) << i << " vs " << j;
    }
}

TEST(SoundFile, TextIsCutToFitAndReadWithoutItsNul)
{
    OptionsRecord record = DefaultOptions();
    SetSoundFile(record, std::string(400, 'a'));
    EXPECT_EQ(SoundFileText(record), std::string(kSoundFileSize - 1, 'a'));
    EXPECT_EQ(record.soundFile[kSoundFileSize - 1], '\0');

    // A stored value written by something else may fill the field without a NUL.
    std::memset(record.soundFile, 'b', kSoundFileSize);
    EXPECT_EQ(SoundFileText(record), std::string(kSoundFileSize, 'b'));

    SetSoundFile(record, "");
    EXPECT_EQ(SoundFileText(record), "");
}
