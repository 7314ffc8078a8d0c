// The native program's data files and the Save chooser's first folder.
#include "core/data_files.h"

namespace {

std::string FolderOf(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::optional<std::string> FindDataFile(const std::string& programPath, const std::string& name,
                                        const FileExists& exists)
{
    if (programPath.empty() || programPath[0] != '/' || name.empty())
        return std::nullopt;
    const std::string folder = FolderOf(programPath);
    const std::string prefix = FolderOf(folder);
    if (folder.size() - prefix.size() == 4 && folder.compare(prefix.size(), 4, "/bin") == 0) {
        const std::string installed = prefix + "/" + kInstalledDataFolder + "/" + name;
        if (exists(installed))
            return installed;
    }
    const std::string beside = folder + "/" + name;
    if (exists(beside))
        return beside;
    return std::nullopt;
}

std::string KeySoundFile(const std::string& text, const std::string& programPath, const FileExists& exists)
{
    if (text.empty() || text[0] == '/')
        return text;
    return FindDataFile(programPath, text, exists).value_or(text);
}

std::string SaveChooserFolder(const std::string& lastFolder, const std::string& picturesFolder,
                              const std::string& homeFolder, const FileExists& isFolder)
{
    if (!lastFolder.empty())
        return lastFolder;
    if (!picturesFolder.empty() && isFolder(picturesFolder))
        return picturesFolder;
    return homeFolder;
}
