// The native program's data files and the Save chooser's first folder.
#include "core/data_files.h"

namespace {

std::string FolderOf(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// `name` under PREFIX/`installed` when the program is PREFIX/bin/scrivlet,
// else under `beside` in the program's own folder.
std::optional<std::string> FindIn(const std::string& programPath, const std::string& installed,
                                  const std::string& beside, const std::string& name, const FileExists& exists)
{
    if (programPath.empty() || programPath[0] != '/' || name.empty())
        return std::nullopt;
    const std::string folder = FolderOf(programPath);
    const std::string prefix = FolderOf(folder);
    if (folder.size() - prefix.size() == 4 && folder.compare(prefix.size(), 4, "/bin") == 0) {
        const std::string path = prefix + "/" + installed + "/" + name;
        if (exists(path))
            return path;
    }
    const std::string path = folder + beside + "/" + name;
    if (exists(path))
        return path;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> FindDataFile(const std::string& programPath, const std::string& name,
                                        const FileExists& exists)
{
    return FindIn(programPath, kInstalledDataFolder, "", name, exists);
}

std::optional<std::string> FindHelpPage(const std::string& programPath, const std::string& page,
                                        const FileExists& exists)
{
    if (std::optional<std::string> found = FindDataFile(programPath, "help/" + page, exists))
        return found;
    const std::string::size_type slash = page.find('/');
    if (slash == std::string::npos)
        return std::nullopt;
    return FindDataFile(programPath, "help/" + page.substr(slash + 1), exists);
}

std::optional<std::string> FindLocaleFolder(const std::string& programPath, const std::string& language,
                                            const FileExists& exists)
{
    if (language.empty())
        return std::nullopt;
    const std::string name = language + "/LC_MESSAGES/scrivlet.mo";
    const std::optional<std::string> found = FindIn(programPath, "share/locale", "/locale", name, exists);
    if (!found)
        return std::nullopt;
    return found->substr(0, found->size() - name.size() - 1);
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
