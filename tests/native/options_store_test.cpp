// The options file on disk: read over the defaults whatever its length,
// written atomically, and a folder that cannot be written loses nothing.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "core/options_file.h"
#include "gtk/shell_gtk.h"

using namespace gtk3;

namespace {

std::string StoredOptionsBytes(const OptionsRecord& record)
{
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

class OptionsStore : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/scrivlet-options-test.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        path = folder + "/scrivlet/options";
    }
    void TearDown() override { std::system(("rm -rf '" + folder + "'").c_str()); }

    void WriteFile(const std::string& bytes)
    {
        mkdir((folder + "/scrivlet").c_str(), 0700);
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string ReadFile()
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    int FilesIn(const std::string& where)
    {
        return std::system(("test $(ls -A '" + where + "' | wc -l) -eq 1").c_str()) == 0 ? 1 : 0;
    }

    std::string folder;
    std::string path;
};

}  // namespace

TEST_F(OptionsStore, ReadsFilesOfEveryLengthOverTheDefaults)
{
    OptionsRecord custom;
    ResetOptionsToDefaults(custom);
    custom.clipMousePointer = 1;
    SetSoundFile(custom, "/sounds/moo.wav");
    struct Case {
        std::string bytes;
        bool read;
        int32_t clipMousePointer;
        const char* soundFile;
    };
    const Case cases[] = {
        {"", true, 0, "key.wav"},
        {StoredOptionsBytes(custom), true, 1, "/sounds/moo.wav"},
        {std::string(1000, '\x01'), false, 0, "key.wav"},
    };
    for (const Case& c : cases) {
        WriteFile(c.bytes);
        OptionsRecord record;
        ResetOptionsToDefaults(record);
        EXPECT_EQ(LoadOptionsFile(path, record), c.read) << c.bytes.size() << " bytes";
        EXPECT_EQ(record.clipMousePointer, c.clipMousePointer) << c.bytes.size() << " bytes";
        EXPECT_EQ(SoundFileText(record), c.soundFile) << c.bytes.size() << " bytes";
    }
    OptionsRecord record;
    ResetOptionsToDefaults(record);
    EXPECT_FALSE(LoadOptionsFile(folder + "/missing", record));
    EXPECT_FALSE(LoadOptionsFile("", record));
    EXPECT_EQ(SoundFileText(record), "key.wav");
}

TEST_F(OptionsStore, SavingMakesTheFolderAndReplacesTheFileWhole)
{
    WriteFile(std::string(1000, 'x'));
    OptionsRecord record;
    ResetOptionsToDefaults(record);
    record.autoDraw = 1;
    ASSERT_TRUE(SaveOptionsFile(path, record));
    EXPECT_EQ(ReadFile(), StoredOptionsBytes(record));
    EXPECT_EQ(FilesIn(folder + "/scrivlet"), 1) << "no temporary file is left";

    // A configuration folder that does not exist yet is made.
    const std::string deeper = folder + "/new/config/scrivlet/options";
    ASSERT_TRUE(SaveOptionsFile(deeper, record));
    OptionsRecord back;
    ResetOptionsToDefaults(back);
    ASSERT_TRUE(LoadOptionsFile(deeper, back));
    EXPECT_EQ(back.autoDraw, 1);
}

TEST_F(OptionsStore, AFolderThatCannotBeWrittenLosesNothing)
{
    OptionsRecord record;
    ResetOptionsToDefaults(record);
    // Even root cannot make files in /proc/self or folders under a file.
    EXPECT_FALSE(SaveOptionsFile("/proc/self/scrivlet-options", record));
    EXPECT_FALSE(SaveOptionsFile("/dev/null/scrivlet/options", record));
    EXPECT_FALSE(SaveOptionsFile("", record));

    // The move into place fails (a folder stands where the file goes): the
    // temporary file is removed and what stood there is untouched.
    ASSERT_EQ(mkdir((folder + "/scrivlet").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    EXPECT_FALSE(SaveOptionsFile(path, record));
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(FilesIn(folder + "/scrivlet"), 1) << "no temporary file is left";
}
