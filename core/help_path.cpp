// Builds the help viewer's path of a topic from the start-up directory.
#include "core/help_path.h"

#include "core/texts.h"

std::optional<std::string> HelpTopicPath(const std::string& startupDirectory, const std::string& topic)
{
    if (startupDirectory.empty())
        return std::nullopt;
    // A drive's root directory already ends in a backslash, so the path then
    // carries two before the file name; the viewer accepts that.
    std::string path = startupDirectory + kHelpFileName + "::/" + topic;
    if (path.size() + 1 > static_cast<size_t>(kHelpPathSize))
        return std::nullopt;
    return path;
}

std::string LocalHelpTopic(const char* topic)
{
    const std::string& language = ActiveLanguage();
    return language.empty() ? std::string(topic) : language + "/" + topic;
}
