// The key sound through libcanberra: the option's text is played as a file;
// when that cannot be played, the desktop's default event sound stands in,
// as Windows plays its default sound for a name it cannot find. Each key
// release cancels the sound before and starts again.
#include <canberra.h>
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "gtk/shell_gtk.h"

namespace {

constexpr uint32_t kKeySoundId = 1;

ca_context* g_context = nullptr;
// Without a sound server opening fails; it is not retried on every key.
bool g_unavailable = false;

ca_context* Context()
{
    if (g_unavailable)
        return nullptr;
    if (g_context)
        return g_context;
    if (ca_context_create(&g_context) != CA_SUCCESS) {
        g_context = nullptr;
        g_unavailable = true;
        return nullptr;
    }
    ca_context_change_props(g_context, CA_PROP_APPLICATION_NAME, kPlainTitle, CA_PROP_APPLICATION_ID,
                            "org.scrivlet.Scrivlet", nullptr);
    if (ca_context_open(g_context) != CA_SUCCESS) {
        ca_context_destroy(g_context);
        g_context = nullptr;
        g_unavailable = true;
    }
    return g_context;
}

// The name the sound server keeps the file's samples under: the file as it
// is now (where, how long, when written), so that another file, or the same
// one written again, is read afresh. Empty when the file cannot be found.
std::string CachedName(const std::string& soundFile)
{
    struct stat info {};
    char path[PATH_MAX];
    if (stat(soundFile.c_str(), &info) != 0 || !realpath(soundFile.c_str(), path))
        return std::string();
    char name[64];
    const std::string identity = std::string(path) + '\n' + std::to_string(info.st_size) + '\n' +
                                 std::to_string(info.st_mtim.tv_sec) + '.' + std::to_string(info.st_mtim.tv_nsec);
    std::snprintf(name, sizeof name, "scrivlet-key-%016zx", std::hash<std::string>{}(identity));
    return name;
}

// A toddler presses keys by the hundred: the file is read and sent to the
// sound server once and played from its cache after that, instead of being
// decoded and streamed on every key. Where the server keeps no cache (an
// ALSA device), it is streamed as before.
int PlayFile(ca_context* context, const std::string& soundFile)
{
    const std::string name = CachedName(soundFile);
    if (!name.empty()) {
        const int result = ca_context_play(context, kKeySoundId, CA_PROP_EVENT_ID, name.c_str(), CA_PROP_MEDIA_FILENAME,
                                           soundFile.c_str(), CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
        if (result == CA_SUCCESS || result == CA_ERROR_NOTFOUND)
            return result;
    }
    return ca_context_play(context, kKeySoundId, CA_PROP_MEDIA_FILENAME, soundFile.c_str(), nullptr);
}

}  // namespace

void PlayKeySound(const std::string& soundFile)
{
    ca_context* context = Context();
    if (!context)
        return;
    ca_context_cancel(context, kKeySoundId);
    int result = CA_ERROR_NOTFOUND;
    if (!soundFile.empty())
        result = PlayFile(context, soundFile);
    if (result == CA_ERROR_NOTFOUND)
        result = ca_context_play(context, kKeySoundId, CA_PROP_EVENT_ID, "bell", nullptr);
    // No device or no sound server: stay quiet for the rest of the run
    // rather than trying (and costing time) on every key.
    if (result != CA_SUCCESS && result != CA_ERROR_NOTFOUND)
        g_unavailable = true;
}
