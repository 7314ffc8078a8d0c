// Reading the options file, and replacing it through the core's atomic
// writer once its folder exists.
#include "gtk/options_store_gtk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "gtk/file_ops_posix.h"
#include "core/options_file.h"
#include "core/stored_options.h"

namespace {

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
    return ok && ApplyStoredOptions(record, buffer.data(), got);
}

bool SaveOptionsFile(const std::string& path, const OptionsRecord& record)
{
    if (path.empty() || !MakeFolders(OptionsFolder(path)))
        return false;
    return WriteFileAtomically(PosixFileOps(), path, &record, sizeof record) == FileError::None;
}

bool LoadStoredOptions(OptionsRecord& record) { return LoadOptionsFile(UserOptionsFile(), record); }

bool SaveStoredOptions(const OptionsRecord& record) { return SaveOptionsFile(UserOptionsFile(), record); }
