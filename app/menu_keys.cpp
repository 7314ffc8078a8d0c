// Matching a typed letter to a menu-bar popup title.
#include "app/menu_keys.h"

#include <cctype>

int PopupForLetter(int typed, const std::vector<std::string>& titles)
{
    if (typed <= 0 || typed > 255)
        return -1;
    const int wanted = std::tolower(typed);
    for (size_t i = 0; i < titles.size(); ++i) {
        const std::string& title = titles[i];
        if (!title.empty() && std::tolower(static_cast<unsigned char>(title[0])) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}
