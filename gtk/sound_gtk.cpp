// The key sound through libcanberra: the option's text is played as a file;
// when that cannot be played, the desktop's default event sound stands in,
// as Windows plays its default sound for a name it cannot find. Each key
// release cancels the sound before and starts again.
#include <canberra.h>

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

}  // namespace

void PlayKeySound(const std::string& soundFile)
{
    ca_context* context = Context();
    if (!context)
        return;
    ca_context_cancel(context, kKeySoundId);
    int result = CA_ERROR_NOTFOUND;
    if (!soundFile.empty())
        result = ca_context_play(context, kKeySoundId, CA_PROP_MEDIA_FILENAME, soundFile.c_str(), nullptr);
    if (result == CA_ERROR_NOTFOUND)
        result = ca_context_play(context, kKeySoundId, CA_PROP_EVENT_ID, "bell", nullptr);
    // No device or no sound server: stay quiet for the rest of the run
    // rather than trying (and costing time) on every key.
    if (result != CA_SUCCESS && result != CA_ERROR_NOTFOUND)
        g_unavailable = true;
}
