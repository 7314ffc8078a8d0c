// The key sound's lookups against the real registry and file system: a
// registered sound before a file, the default sound last, a text that is
// resolved once until it changes, and the audio stack left unloaded until a
// key asks for it. The test prefix has no output device, so every plan is
// silent: nothing could be heard, and nothing is started.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "win32/shell_win.h"

namespace {

constexpr char kAppEvents[] = "AppEvents\\Schemes\\Apps\\.Default";

const unsigned char kShortWave[] = {'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                    16,  0,   0,   0,   1,  0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0,
                                    2,   0,   16,  0,   'd', 'a', 't', 'a', 4, 0, 0, 0, 1, 2, 3, 4};

std::string TempDirectory()
{
    char path[MAX_PATH] = "";
    GetTempPathA(sizeof path, path);
    return path;
}

void WriteFile(const std::string& path, const void* bytes, size_t size)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(bytes, 1, size, file);
    std::fclose(file);
}

void Register(const std::string& name, const std::string& file)
{
    const std::string key = std::string(kAppEvents) + "\\" + name + "\\.Current";
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), nullptr, REG_SZ, file.c_str(),
                              static_cast<DWORD>(file.size() + 1)),
              ERROR_SUCCESS);
}

void Unregister(const std::string& name)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(kAppEvents) + "\\" + name).c_str());
}

class KeySoundLookup : public ::testing::Test {
protected:
    void SetUp() override
    {
        w32::CloseKeySound();
        dir = TempDirectory();
        wave = dir + "scrivlet-chime.wav";
        other = dir + "scrivlet-other.wav";
        junk = dir + "scrivlet-junk.wav";
        WriteFile(wave, kShortWave, sizeof kShortWave);
        WriteFile(other, kShortWave, sizeof kShortWave);
        WriteFile(junk, "not a wave", 10);
    }
    void TearDown() override
    {
        w32::CloseKeySound();
        Unregister("ScrivletChime");
        Unregister(".Default");
        DeleteFileA(wave.c_str());
        DeleteFileA(other.c_str());
        DeleteFileA(junk.c_str());
    }

    std::string dir, wave, other, junk;
};

}  // namespace

TEST_F(KeySoundLookup, RegisteredNameThenFileThenDefaultSound)
{
    ASSERT_EQ(waveOutGetNumDevs(), 0u) << "the test prefix has no sound device";
    struct Case {
        const char* name;
        std::string text;
        std::string path;
        bool playable;
    };
    Register("ScrivletChime", other);
    const Case before[] = {
        {"a registered name", "ScrivletChime", other, true},
        {"a file by its full path", wave, wave, true},
        {"a file that is not a wave", junk, junk, false},
        {"nothing of that name, no default sound", "NoSuchSound", "", false},
        {"an empty text", "", "", false},
    };
    for (const Case& c : before) {
        const w32::ResolvedKeySound& resolved = w32::PrepareKeySound(c.text.c_str());
        EXPECT_EQ(resolved.path, c.path) << c.name;
        EXPECT_EQ(resolved.playable, c.playable) << c.name;
        EXPECT_EQ(resolved.plan, KeySoundPlan::silent) << c.name;
    }

    // A registered name wins over a file of the same name, and the default
    // sound answers for names that are neither.
    Register(wave, other);
    Register(".Default", wave);
    EXPECT_EQ(w32::PrepareKeySound(wave.c_str()).path, other);
    EXPECT_EQ(w32::PrepareKeySound("NoSuchSound").path, wave);
    EXPECT_EQ(w32::PrepareKeySound("").path, wave);
    Unregister(wave.substr(0, 2));  // the drive's key holds the whole path
}

TEST_F(KeySoundLookup, ATextIsResolvedOnceUntilItChanges)
{
    EXPECT_EQ(w32::PrepareKeySound(wave.c_str()).path, wave);
    Register(wave, other);  // registered after the text was resolved
    EXPECT_EQ(w32::PrepareKeySound(wave.c_str()).path, wave);
    EXPECT_EQ(w32::PrepareKeySound(other.c_str()).path, other);
    EXPECT_EQ(w32::PrepareKeySound(wave.c_str()).path, other) << "a changed text is resolved again";
    Unregister(wave.substr(0, 2));

    // Playing without a device starts nothing and keeps the resolution.
    w32::PlayKeySound(wave.c_str());
    EXPECT_EQ(w32::PrepareKeySound(wave.c_str()).plan, KeySoundPlan::silent);
}

// A suite of its own, so that it runs in a fresh process: asking for the
// output devices loads the audio stack, mmdevapi with it, for good.
class KeySoundStartUp : public KeySoundLookup {};

TEST_F(KeySoundStartUp, LooksUpTheFileButLeavesTheAudioStackForTheFirstKey)
{
    if (GetModuleHandleA("mmdevapi.dll"))
        GTEST_SKIP() << "an earlier test of this process asked for the devices";
    w32::LookUpKeySound(wave.c_str());
    EXPECT_EQ(GetModuleHandleA("mmdevapi.dll"), nullptr);
    const w32::ResolvedKeySound& resolved = w32::PrepareKeySound(wave.c_str());
    EXPECT_EQ(resolved.path, wave) << "the text looked up at start-up is kept";
    EXPECT_TRUE(resolved.playable);
    EXPECT_NE(GetModuleHandleA("mmdevapi.dll"), nullptr) << "the first key asks for the devices";
}
