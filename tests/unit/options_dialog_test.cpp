// Loading a stored value over the defaults, and the options dialog's
// decisions: the boxes a record or a preset ticks, the preset a record
// matches, and what OK makes of the boxes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/options_dialog.h"
#include "core/stored_options.h"

namespace {

std::vector<unsigned char> Bytes(const OptionsRecord& record)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    return std::vector<unsigned char>(bytes, bytes + sizeof record);
}

OptionsRecord WithFlags(const OptionFlags& flags)
{
    OptionsRecord record = DefaultOptions();
    for (int i = 0; i < kFlagCount; ++i)
        SetFlag(record, i, flags[i]);
    return record;
}

}  // namespace

TEST(StoredOptions, AValueOfAnyLengthOverTheDefaults)
{
    // A stored value: every flag 0x11 and a sound file of 'w', then bytes
    // past the record's end.
    std::vector<unsigned char> value(1000, 'w');
    std::memset(value.data(), 0x11, kFlagBlockSize);
    const std::vector<unsigned char> defaults = Bytes(DefaultOptions());
    for (size_t length : {0, 1, 24, 283, 284, 285, 1000}) {
        SCOPED_TRACE(length);
        OptionsRecord record = DefaultOptions();
        const bool used = ApplyStoredOptions(record, value.data(), length);
        const std::vector<unsigned char> bytes = Bytes(record);
        if (length > sizeof record) {
            EXPECT_FALSE(used);
            EXPECT_EQ(bytes, defaults) << "a value too long for the record leaves the defaults whole";
            continue;
        }
        EXPECT_TRUE(used);
        for (size_t i = 0; i < bytes.size(); ++i)
            ASSERT_EQ(bytes[i], i < length ? value[i] : defaults[i]) << "byte " << i;
    }
    OptionsRecord record = DefaultOptions();
    EXPECT_FALSE(ApplyStoredOptions(record, nullptr, 24));
    EXPECT_EQ(Bytes(record), defaults);
}

TEST(StoredOptions, ASoundFileWithoutNulEndsAtTheFieldsEndAndIsSavedBackWhole)
{
    std::vector<unsigned char> value = Bytes(DefaultOptions());
    std::memset(value.data() + kFlagBlockSize, 'c', kSoundFileSize);
    OptionsRecord record = DefaultOptions();
    ASSERT_TRUE(ApplyStoredOptions(record, value.data(), value.size()));
    const std::string text = SoundFileText(record);
    EXPECT_EQ(text, std::string(kSoundFileSize, 'c'));

    // OK with the field showing that text keeps every byte as it came.
    ApplyDialogToRecord(record, BoxesForRecord(record), text);
    EXPECT_EQ(Bytes(record), value);
}

TEST(OptionsDialog, BoxesARecordOrAPresetTicks)
{
    struct Case {
        const char* what;
        OptionBoxes boxes;
        OptionBoxes expected;
    };
    const Case cases[] = {
        {"defaults", BoxesForRecord(DefaultOptions()), {true, true, true, false, true, false}},
        {"flags of 2 and -1 are on", BoxesForRecord(WithFlags({2, 0, -1, 0, 0, 7})),
         {true, false, true, false, false, true}},
        {"0-6 months", BoxesForPreset(0), {true, false, true, true, true, true}},
        {"6-12 months", BoxesForPreset(1), {true, true, true, false, true, true}},
        {"12-24 months", BoxesForPreset(2), {true, true, true, false, true, false}},
        {"24 months and up", BoxesForPreset(3), {false, true, false, false, true, false}},
        {"no such preset", BoxesForPreset(4), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.boxes, c.expected) << c.what;

    const int ids[] = {1000, 1001, 1002, 1003, 1004, 1008};
    for (int i = 0; i < kFlagCount; ++i)
        EXPECT_EQ(OptionBoxId(i), ids[i]);
}

TEST(OptionsDialog, PresetMatchingARecord)
{
    struct Case {
        const char* what;
        OptionsRecord record;
        int preset;
    };
    OptionsRecord otherSound = WithFlags(PresetFlags(0));
    SetSoundFile(otherSound, "C:\\Sounds\\boing.wav");
    const Case cases[] = {
        {"defaults", DefaultOptions(), 2},
        {"0-6 months with a sound file", otherSound, 0},
        {"6-12 months", WithFlags(PresetFlags(1)), 1},
        {"24 months and up", WithFlags(PresetFlags(3)), 3},
        {"a flag of 2", WithFlags({2, 1, 1, 0, 1, 0}), -1},
        {"a flag of -1", WithFlags({1, 1, 1, 0, 1, -1}), -1},
        {"flags of no preset", WithFlags({0, 0, 0, 0, 0, 0}), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PresetMatchingRecord(c.record), c.preset) << c.what;
}

TEST(OptionsDialog, OkWritesFlagsAsZeroOrOneAndTheFieldsText)
{
    OptionsRecord record = WithFlags({2, -1, 0, 5, 1, 0});
    ApplyDialogToRecord(record, BoxesForRecord(record), "key.wav");
    EXPECT_EQ(Bytes(record), Bytes(WithFlags({1, 1, 0, 1, 1, 0}))) << "OK without changes normalises the flags";

    ApplyDialogToRecord(record, {false, false, true, false, false, true}, "C:\\Toys\\boing.wav");
    EXPECT_EQ(BoxesForRecord(record), (OptionBoxes{false, false, true, false, false, true}));
    EXPECT_EQ(GetFlag(record, 5), 1);
    EXPECT_EQ(SoundFileText(record), "C:\\Toys\\boing.wav");
    EXPECT_EQ(record.soundFile[kSoundFileSize - 1], '\0');

    ApplyDialogToRecord(record, BoxesForRecord(record), "");
    EXPECT_EQ(SoundFileText(record), "");
}
