// Reading the options file, and replacing it through the core's atomic
// writer once its folder exists.

#include <glib.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gtk/file_ops_posix.h"
#include "gtk/shell_gtk.h"
#include "core/options_file.h"
#include "core/stored_options.h"

namespace gtk3 {

std::string UserOptionsFile() { return OptionsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")); }

bool LoadOptionsFile(const std::string& path, OptionsRecord& record)
{
    if (path.empty())
        return false;
    FILE* file = std::fopen(path.c_str(), "rbe");
    if (!file)
        return false;
    // One byte more than the record tells a longer file from a whole one.
    std::vector<char> buffer(sizeof record + 1);
    const size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok && ApplyStoredOptions(record, buffer.data(), got);
}

bool SaveOptionsFile(const std::string& path, const OptionsRecord& record)
{
    const std::string folder = OptionsFolder(path);
    if (path.empty() || (!folder.empty() && g_mkdir_with_parents(folder.c_str(), 0700) != 0))
        return false;
    return WriteFileAtomically(PosixFileOps(), path, &record, sizeof record) == FileError::None;
}

bool LoadStoredOptions(OptionsRecord& record) { return LoadOptionsFile(UserOptionsFile(), record); }

bool SaveStoredOptions(const OptionsRecord& record) { return SaveOptionsFile(UserOptionsFile(), record); }

}  // namespace gtk3
