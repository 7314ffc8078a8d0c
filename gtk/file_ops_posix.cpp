// POSIX file operations for the atomic writer of the native build: thin
// wrappers that turn errno into the reasons a parent is told.
#include <cerrno>
#include <climits>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "gtk/file_ops_posix.h"

namespace {

constexpr ErrorReason kErrnoReasons[] = {
    {0, FileError::None},
    {EEXIST, FileError::Exists},
    {ENOSPC, FileError::DiskFull},
    {EDQUOT, FileError::DiskFull},
    {EFBIG, FileError::DiskFull},
    {EACCES, FileError::NotWritable},
    {EPERM, FileError::NotWritable},
    {EROFS, FileError::NotWritable},
    {ENOENT, FileError::NoFolder},
    {ENOTDIR, FileError::NoFolder},
    {EBUSY, FileError::InUse},
    {ETXTBSY, FileError::InUse},
    {ENAMETOOLONG, FileError::NameTooLong},
};

FileError FromErrno(int error) { return ReasonFor(static_cast<unsigned long>(error), kErrnoReasons); }

FileError CreateNew(const char* path, FileHandle* file)
{
    const int descriptor = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return FromErrno(errno);
    *file = descriptor;
    return FileError::None;
}

FileError Write(FileHandle file, const void* data, size_t size)
{
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = write(static_cast<int>(file), next, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return FromErrno(errno);
        // A short write means the disk had room for only part of it; the
        // next write says why.
        next += written;
        size -= static_cast<size_t>(written);
    }
    return FileError::None;
}

FileError Flush(FileHandle file) { return fsync(static_cast<int>(file)) == 0 ? FileError::None : FromErrno(errno); }

FileError Close(FileHandle file) { return close(static_cast<int>(file)) == 0 ? FileError::None : FromErrno(errno); }

FileError Replace(const char* from, const char* to)
{
    return std::rename(from, to) == 0 ? FileError::None : FromErrno(errno);
}

void Remove(const char* path) { unlink(path); }

bool IsFolder(const char* path)
{
    struct stat status{};
    return stat(path, &status) == 0 && S_ISDIR(status.st_mode);
}

constexpr FileOps kPosixFileOps{"/", CreateNew, Write, Flush, Close, Replace, Remove, IsFolder};

}  // namespace

const FileOps& PosixFileOps() { return kPosixFileOps; }

const std::string& ProgramPath()
{
    static const std::string path = [] {
        char self[PATH_MAX];
        const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
        return length > 0 ? std::string(self, static_cast<size_t>(length)) : std::string();
    }();
    return path;
}

bool IsReadableFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), R_OK) == 0;
}

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::string> DataFile(const std::string& name)
{
    return FindDataFile(ProgramPath(), name, IsReadableFile);
}
