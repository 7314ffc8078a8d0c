// Path rules of the native options file.
#include "core/options_file.h"

namespace {

constexpr char kOptionsTail[] = "/scrivlet/options";

bool Usable(const char* value) { return value && value[0] == '/'; }

}  // namespace

std::string OptionsFilePath(const char* xdgConfigHome, const char* home)
{
    // A relative XDG_CONFIG_HOME is invalid and is ignored, as the base
    // directory rules say.
    if (Usable(xdgConfigHome))
        return std::string(xdgConfigHome) + kOptionsTail;
    if (Usable(home))
        return std::string(home) + "/.config" + kOptionsTail;
    return std::string();
}

std::string OptionsFolder(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
