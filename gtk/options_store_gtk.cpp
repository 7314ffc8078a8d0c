// Reading and atomically replacing the options file with POSIX calls.
#include "gtk/options_store_gtk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "options/options_file.h"

namespace {

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

// mkdir -p, for the folder and its parents.
bool MakeFolders(const std::string& folder)
{
    if (folder.empty())
        return true;
    struct stat info {};
    if (stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    if (!MakeFolders(OptionsFolder(folder)))
        return false;
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace

std::string UserOptionsFile() { return OptionsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")); }

bool LoadOptionsFile(const std::string& path, OptionsRecord& record)
{
    if (path.empty())
        return false;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // One byte more than the record tells a longer file from a whole one.
    std::vector<char> buffer(sizeof record + 1);
    size_t got = 0;
    bool ok = true;
    while (got < buffer.size()) {
        const ssize_t n = read(fd, buffer.data() + got, buffer.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    close(fd);
    return ok && ApplyStoredOptions(record, std::string(buffer.data(), got));
}

bool SaveOptionsFile(const std::string& path, const OptionsRecord& record)
{
    if (path.empty() || !MakeFolders(OptionsFolder(path)))
        return false;
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, StoredOptionsBytes(record)) && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (!written || !closed || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool LoadStoredOptions(OptionsRecord& record) { return LoadOptionsFile(UserOptionsFile(), record); }

bool SaveStoredOptions(const OptionsRecord& record) { return SaveOptionsFile(UserOptionsFile(), record); }
