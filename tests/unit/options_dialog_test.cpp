// Loading a stored value over the defaults, and the options dialog's model
// walked through the journeys a parent takes: boxes ticked by hand, presets,
// "..." answered or cancelled, OK, Cancel and Help.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
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

OptionsRecord WithFlags(const OptionFlags& flags, const std::string& soundFile = "key.wav")
{
    OptionsRecord record = DefaultOptions();
    for (int i = 0; i < kFlagCount; ++i)
        SetFlag(record, i, flags[i]);
    SetSoundFile(record, soundFile);
    return record;
}

std::vector<std::string> g_helpAsked;
void RecordHelp(const char* topic) { g_helpAsked.emplace_back(topic); }

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

TEST(OptionsDialog, JourneysThroughTheDialog)
{
    enum class Do { Tick, Untick, Preset, Browse, Ok, Cancel, Help };
    struct Step {
        Do what;
        int index = 0;
        std::string path = {};
    };
    struct Journey {
        const char* what;
        OptionsRecord start;
        std::vector<Step> steps;
        OptionBoxes boxes;  // shown at the end
        int preset;
        std::string field;
        OptionsRecord live;  // the live record at the end
        bool closed;
        int helps;
    };
    OptionsRecord noNul = DefaultOptions();
    std::memset(noNul.soundFile, 'n', kSoundFileSize);
    const std::string longPath(300, 'p');
    const OptionsRecord odd = WithFlags({2, -1, 0, 5, 1, 0});
    const Journey journeys[] = {
        {"opening shows the record and its preset, and changes nothing", DefaultOptions(), {},
         {true, true, true, false, true, false}, 2, "key.wav", DefaultOptions(), false, 0},
        {"OK without changes writes the flags as 0 or 1", odd, {{Do::Ok}},
         {true, true, false, true, true, false}, -1, "key.wav", WithFlags({1, 1, 0, 1, 1, 0}), true, 0},
        {"a ticked and an unticked box are written on OK", DefaultOptions(), {{Do::Tick, 5}, {Do::Untick, 0}, {Do::Ok}},
         {false, true, true, false, true, true}, 2, "key.wav", WithFlags({0, 1, 1, 0, 1, 1}), true, 0},
        {"a preset ticks only the boxes, and Cancel keeps the record", WithFlags({1, 1, 1, 0, 1, 0}, "C:\\boing.wav"),
         {{Do::Preset, 0}, {Do::Cancel}}, {true, false, true, true, true, true}, 0, "C:\\boing.wav",
         WithFlags({1, 1, 1, 0, 1, 0}, "C:\\boing.wav"), true, 0},
        {"a box unticked after a preset keeps the list's selection", odd, {{Do::Preset, 3}, {Do::Untick, 4}, {Do::Ok}},
         {false, true, false, false, false, false}, 3, "key.wav", WithFlags({0, 1, 0, 0, 0, 0}), true, 0},
        {"a pick outside the list changes nothing", odd, {{Do::Preset, -1}, {Do::Preset, kPresetCount}},
         {true, true, false, true, true, false}, -1, "key.wav", odd, false, 0},
        {"a chosen file is stored at once and kept on Cancel, the flags are not", odd,
         {{Do::Untick, 0}, {Do::Browse, 0, "C:\\Toys\\boing.wav"}, {Do::Cancel}},
         {false, true, false, true, true, false}, -1, "C:\\Toys\\boing.wav",
         WithFlags({2, -1, 0, 5, 1, 0}, "C:\\Toys\\boing.wav"), true, 0},
        {"a cancelled chooser changes nothing", DefaultOptions(), {{Do::Browse, 0, ""}, {Do::Ok}},
         {true, true, true, false, true, false}, 2, "key.wav", DefaultOptions(), true, 0},
        {"a chosen path too long for the record is cut to fit", DefaultOptions(), {{Do::Browse, 0, longPath}},
         {true, true, true, false, true, false}, 2, std::string(kSoundFileSize - 1, 'p'),
         WithFlags(PresetFlags(2), longPath), false, 0},
        {"Help shows the options topic and the dialog stays", odd, {{Do::Help}, {Do::Help}},
         {true, true, false, true, true, false}, -1, "key.wav", odd, false, 2},
        {"a sound file without NUL is saved back whole", noNul, {{Do::Ok}},
         {true, true, true, false, true, false}, 2, std::string(kSoundFileSize, 'n'), noNul, true, 0},
    };
    for (const Journey& journey : journeys) {
        SCOPED_TRACE(journey.what);
        g_helpAsked.clear();
        OptionsRecord live = journey.start;
        OptionsDialog dialog = OpenOptionsDialog(live, RecordHelp);
        bool closed = false;
        for (const Step& step : journey.steps) {
            switch (step.what) {
            case Do::Tick:
            case Do::Untick:
                TickBox(dialog, step.index, step.what == Do::Tick);
                break;
            case Do::Preset:
                ChoosePreset(dialog, step.index);
                break;
            case Do::Browse:
                EXPECT_EQ(SoundFileChosen(dialog, step.path), !step.path.empty());
                break;
            case Do::Ok:
                closed = PressButton(dialog, DialogButton::Ok);
                break;
            case Do::Cancel:
                closed = PressButton(dialog, DialogButton::Cancel);
                break;
            case Do::Help:
                closed = PressButton(dialog, DialogButton::Help);
                break;
            }
        }
        EXPECT_EQ(dialog.boxes, journey.boxes);
        EXPECT_EQ(dialog.preset, journey.preset);
        EXPECT_EQ(dialog.soundFile, journey.field);
        EXPECT_EQ(Bytes(live), Bytes(journey.live));
        EXPECT_EQ(closed, journey.closed);
        EXPECT_EQ(g_helpAsked, std::vector<std::string>(journey.helps, "scrivlet.htm#Options"));
    }
}

TEST(OptionsDialog, EachFlagHasItsControl)
{
    const int ids[kFlagCount] = {1000, 1001, 1002, 1003, 1004, 1008};
    for (int i = 0; i < kFlagCount; ++i) {
        EXPECT_EQ(OptionBoxId(i), ids[i]);
        EXPECT_EQ(OptionBoxIndex(ids[i]), i);
    }
    for (int id : {1005, 1007, 999, 1009, 0})
        EXPECT_EQ(OptionBoxIndex(id), -1) << id;
}
