// The atomic writer: the order of its steps and what each failure leaves
// (through a scripted table of file operations), and the real POSIX writer
// on a full disk, a read-only folder and a missing folder.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "core/atomic_file.h"
#include "gtk/file_ops_posix.h"
#include "core/save_failure.h"

namespace {

// Scripted file operations: each call is logged; `failing` names the step
// that fails with `failure`, and the first `takenNames` creates find the
// name taken.
struct Script {
    std::string failing;
    FileError failure = FileError::None;
    int takenNames = 0;
    std::vector<std::string> log;
};
Script g_script;

FileError Step(const std::string& step, const std::string& detail = "")
{
    g_script.log.push_back(detail.empty() ? step : step + " " + detail);
    return step == g_script.failing ? g_script.failure : FileError::None;
}

FileError FakeCreate(const char* path, FileHandle* file)
{
    if (g_script.takenNames > 0) {
        --g_script.takenNames;
        g_script.log.push_back(std::string("taken ") + path);
        return FileError::Exists;
    }
    *file = 7;
    return Step("create", path);
}
FileError FakeWrite(FileHandle, const void*, size_t size) { return Step("write", std::to_string(size)); }
FileError FakeFlush(FileHandle) { return Step("flush"); }
FileError FakeClose(FileHandle) { return Step("close"); }
FileError FakeReplace(const char* from, const char* to) { return Step("replace", std::string(from) + " " + to); }
void FakeRemove(const char* path) { Step("remove", path); }

bool FakeIsFolder(const char* path) { return std::string(path).find("folder.bmp") != std::string::npos; }

constexpr FileOps kFakeOps{"\\/:", FakeCreate, FakeWrite, FakeFlush, FakeClose, FakeReplace, FakeRemove,
                           FakeIsFolder};

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::set<std::string> Listing(const std::string& folder)
{
    std::set<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir))
            names.insert(entry->d_name);
        closedir(dir);
    }
    return names;
}

// A case's own name, so that ctest lists it the same in every build and a
// failure can be run again by it.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

}  // namespace

TEST(TemporaryFileName, SitsInTheTargetsFolder)
{
    EXPECT_EQ(TemporaryFileName(kFakeOps, "C:\\Pictures\\cat.bmp", 0), "C:\\Pictures\\~scrivlet0.tmp");
    EXPECT_EQ(TemporaryFileName(kFakeOps, "Z:/tmp/a.b/cat", 3), "Z:/tmp/a.b/~scrivlet3.tmp");
    EXPECT_EQ(TemporaryFileName(kFakeOps, "C:cat.bmp", 1), "C:~scrivlet1.tmp");
    EXPECT_EQ(TemporaryFileName(kFakeOps, "cat.bmp", 0), "~scrivlet0.tmp");
    // A backslash is an ordinary character in a POSIX name.
    EXPECT_EQ(TemporaryFileName(PosixFileOps(), "/home/a\\b/cat.bmp", 0), "/home/a\\b/~scrivlet0.tmp");
}

struct StepCase {
    const char* name;
    const char* failing;
    FileError failure;
    FileError result;
    std::vector<std::string> log;
};

class AtomicSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(AtomicSteps, ReplaceOnlyAfterEverythingWorkedAndRemoveTheTemporaryOnFailure)
{
    const StepCase& step = GetParam();
    g_script = Script{step.failing, step.failure, 0, {}};
    EXPECT_EQ(WriteFileAtomically(kFakeOps, "D:\\p\\cat.bmp", "abc", 3), step.result);
    EXPECT_EQ(g_script.log, step.log);
}

const std::string kCreate = "create D:\\p\\~scrivlet0.tmp";
const std::string kReplace = "replace D:\\p\\~scrivlet0.tmp D:\\p\\cat.bmp";
const std::string kRemove = "remove D:\\p\\~scrivlet0.tmp";

INSTANTIATE_TEST_SUITE_P(
    EachStepFailing, AtomicSteps,
    ::testing::Values(StepCase{"NothingFails", "", FileError::None, FileError::None,
                               {kCreate, "write 3", "flush", "close", kReplace}},
                      // Nothing was created, so nothing is removed.
                      StepCase{"Create", "create", FileError::NotWritable, FileError::NotWritable, {kCreate}},
                      StepCase{"Write", "write", FileError::DiskFull, FileError::DiskFull,
                               {kCreate, "write 3", "close", kRemove}},
                      StepCase{"Flush", "flush", FileError::DiskFull, FileError::DiskFull,
                               {kCreate, "write 3", "flush", "close", kRemove}},
                      StepCase{"Close", "close", FileError::Other, FileError::Other,
                               {kCreate, "write 3", "flush", "close", kRemove}},
                      // The folder took the temporary file: a refusal comes
                      // from the file already there.
                      StepCase{"ReplaceRefused", "replace", FileError::NotWritable, FileError::InUse,
                               {kCreate, "write 3", "flush", "close", kReplace, kRemove}},
                      StepCase{"ReplaceInUse", "replace", FileError::InUse, FileError::InUse,
                               {kCreate, "write 3", "flush", "close", kReplace, kRemove}}),
    CaseName<StepCase>);

TEST(AtomicFile, AFolderOfThatNameIsRefusedBeforeAnythingIsWritten)
{
    g_script = Script{"", FileError::None, 0, {}};
    EXPECT_EQ(WriteFileAtomically(kFakeOps, "D:\\p\\folder.bmp", "abc", 3), FileError::IsFolder);
    EXPECT_TRUE(g_script.log.empty());
    EXPECT_STREQ(FileErrorReason(FileError::IsFolder), "there is a folder of that name");
    // A table without the question writes the file.
    FileOps withoutQuestion = kFakeOps;
    withoutQuestion.isFolder = nullptr;
    EXPECT_EQ(WriteFileAtomically(withoutQuestion, "D:\\p\\folder.bmp", "abc", 3), FileError::None);
}

TEST(AtomicFile, TakenTemporaryNamesAreSkippedAndNeverTouched)
{
    g_script = Script{"", FileError::None, 2, {}};
    EXPECT_EQ(WriteFileAtomically(kFakeOps, "cat.bmp", "", 0), FileError::None);
    EXPECT_EQ(g_script.log, (std::vector<std::string>{"taken ~scrivlet0.tmp", "taken ~scrivlet1.tmp",
                                                      "create ~scrivlet2.tmp", "write 0", "flush", "close",
                                                      "replace ~scrivlet2.tmp cat.bmp"}));

    g_script = Script{"", FileError::None, 1000, {}};
    EXPECT_EQ(WriteFileAtomically(kFakeOps, "cat.bmp", "", 0), FileError::Other) << "every name taken";
    EXPECT_EQ(g_script.log.size(), 100u);
}

TEST(SaveFailureText, NamesTheFileAndTheReason)
{
    const std::string text = SaveFailureText("Z:\\tmp\\cat.bmp", FileErrorReason(FileError::DiskFull));
    EXPECT_NE(text.find("\nZ:\\tmp\\cat.bmp\n"), std::string::npos) << text;
    EXPECT_NE(text.find("because the disk is full."), std::string::npos) << text;
    EXPECT_STREQ(FileErrorReason(FileError::NotWritable), "this folder cannot be written to");
}

class PosixAtomicFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char folder[] = "/tmp/scrivlet-atomic.XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        folder_ = folder;
    }
    void TearDown() override
    {
        if (mounted_)
            umount2(folder_.c_str(), MNT_DETACH);
        for (const std::string& name : Listing(folder_))
            std::remove((folder_ + "/" + name).c_str());
        rmdir(folder_.c_str());
    }

    std::string folder_;
    bool mounted_ = false;
};

TEST_F(PosixAtomicFile, WritesANewFileAndReplacesAnOldOneLeavingNothingElse)
{
    const std::string path = folder_ + "/cat.bmp";
    ASSERT_EQ(WriteFileAtomically(PosixFileOps(), path, "first", 5), FileError::None);
    EXPECT_EQ(ReadAll(path), "first");
    ASSERT_EQ(WriteFileAtomically(PosixFileOps(), path, "second, longer", 14), FileError::None);
    EXPECT_EQ(ReadAll(path), "second, longer");
    ASSERT_EQ(WriteFileAtomically(PosixFileOps(), path, "", 0), FileError::None);
    EXPECT_EQ(ReadAll(path), "");
    EXPECT_EQ(Listing(folder_), (std::set<std::string>{".", "..", "cat.bmp"}));
}

// Each failure to create is named; one that no row knows (a loop of links)
// is still a failure, never reported as done.
TEST_F(PosixAtomicFile, CreateNewNamesWhyItFailed)
{
    ASSERT_EQ(symlink("loop", (folder_ + "/loop").c_str()), 0);
    ASSERT_EQ(WriteFileAtomically(PosixFileOps(), folder_ + "/taken", "x", 1), FileError::None);
    const struct {
        std::string path;
        FileError expected;
    } cases[] = {
        {folder_ + "/taken", FileError::Exists},
        {folder_ + "/none/cat.bmp", FileError::NoFolder},
        {folder_ + "/" + std::string(300, 'a'), FileError::NameTooLong},
        {folder_ + "/loop/cat.bmp", FileError::Other},
    };
    for (const auto& failure : cases) {
        FileHandle file = -1;
        EXPECT_EQ(PosixFileOps().createNew(failure.path.c_str(), &file), failure.expected) << failure.path;
        EXPECT_EQ(file, -1) << failure.path;
    }
}

// Where the save goes: a folder that is not there, a 64 KiB disk already
// holding the 20 KB earlier picture, or a read-only folder. Root ignores
// permissions, so the last two are mounts, and need root.
enum class Place { MissingFolder, FullDisk, ReadOnlyFolder };

struct FailureCase {
    const char* name;
    Place place;
    FileError expected;
};

class PosixFailures : public PosixAtomicFile, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(PosixFailures, LeaveTheEarlierFileByteForByteAndNoTemporaryFile)
{
    const FailureCase& failure = GetParam();
    if (failure.place != Place::MissingFolder && geteuid() != 0)
        GTEST_SKIP() << "needs root to mount a small tmpfs or a read-only folder (tests run as root in CI)";
    if (failure.place == Place::FullDisk) {
        ASSERT_EQ(mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k"), 0) << std::strerror(errno);
        mounted_ = true;
    }
    const std::string earlier(20000, 'e');
    WriteAll(folder_ + "/cat.bmp", earlier);
    if (failure.place == Place::ReadOnlyFolder) {
        ASSERT_EQ(mount(folder_.c_str(), folder_.c_str(), nullptr, MS_BIND, nullptr), 0) << std::strerror(errno);
        mounted_ = true;
        ASSERT_EQ(mount(nullptr, folder_.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr), 0)
            << std::strerror(errno);
    }
    const std::string target =
        failure.place == Place::MissingFolder ? folder_ + "/nowhere/cat.bmp" : folder_ + "/cat.bmp";
    const std::vector<uint8_t> picture(200000, 'n');

    EXPECT_EQ(WriteFileAtomically(PosixFileOps(), target, picture.data(), picture.size()), failure.expected);
    EXPECT_EQ(ReadAll(folder_ + "/cat.bmp"), earlier);
    EXPECT_EQ(Listing(folder_), (std::set<std::string>{".", "..", "cat.bmp"}));
}

TEST_F(PosixAtomicFile, AFolderOfTheNameStaysWithWhatIsInIt)
{
    const std::string target = folder_ + "/cat.bmp";
    ASSERT_EQ(mkdir(target.c_str(), 0755), 0);
    WriteAll(target + "/inside", "kept");
    EXPECT_EQ(WriteFileAtomically(PosixFileOps(), target, "picture", 7), FileError::IsFolder);
    EXPECT_EQ(ReadAll(target + "/inside"), "kept");
    EXPECT_EQ(Listing(folder_), (std::set<std::string>{".", "..", "cat.bmp"}));
    std::remove((target + "/inside").c_str());
}

INSTANTIATE_TEST_SUITE_P(Places, PosixFailures,
                         ::testing::Values(FailureCase{"MissingFolder", Place::MissingFolder, FileError::NoFolder},
                                           FailureCase{"FullDisk", Place::FullDisk, FileError::DiskFull},
                                           FailureCase{"ReadOnlyFolder", Place::ReadOnlyFolder,
                                                       FileError::NotWritable}),
                         CaseName<FailureCase>);
