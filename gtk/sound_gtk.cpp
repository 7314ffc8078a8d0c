// The key sound through libcanberra, tried in the core's order of sources:
// the option's text as a file (a bare name such as the default "key.wav"
// being the program's own data file), and where that cannot be played the
// desktop's default event sound, as Windows plays its default sound for a
// name it cannot find. The desktop has no registered sounds by name. Each
// key release cancels the sound before and starts again.
#include <canberra.h>
#include <dlfcn.h>
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "core/data_files.h"
#include "core/key_sound.h"
#include "gtk/file_ops_posix.h"
#include "gtk/shell_gtk.h"

namespace gtk3 {

// libcanberra and the six libraries it brings are loaded at the first key
// sound, not before the window can show: most of a start's time goes on
// loading libraries.
struct CanberraCalls {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_destroy) destroy = nullptr;
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_open) open = nullptr;
    decltype(&ca_context_cancel) cancel = nullptr;
    decltype(&ca_context_play) play = nullptr;
};

constexpr uint32_t kKeySoundId = 1;

template <typename Function>
bool Find(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// The calls, loaded once for the rest of the run; null without the library.
const CanberraCalls* LoadCanberra()
{
    void* library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return nullptr;
    CanberraCalls c;
    if (Find(library, "ca_context_create", c.create) && Find(library, "ca_context_destroy", c.destroy) &&
        Find(library, "ca_context_change_props", c.changeProps) && Find(library, "ca_context_open", c.open) &&
        Find(library, "ca_context_cancel", c.cancel) && Find(library, "ca_context_play", c.play))
        return new CanberraCalls(c);
    dlclose(library);
    return nullptr;
}

// Without libcanberra or a sound server opening fails; it is not retried on
// every key.
ca_context* Context()
{
    GtkShell& shell = TheShell();
    if (shell.soundUnavailable || shell.soundContext)
        return shell.soundContext;
    shell.canberra = LoadCanberra();
    const CanberraCalls* c = shell.canberra;
    if (!c || c->create(&shell.soundContext) != CA_SUCCESS) {
        shell.soundContext = nullptr;
        shell.soundUnavailable = true;
        return nullptr;
    }
    c->changeProps(shell.soundContext, CA_PROP_APPLICATION_NAME, kPlainTitle, CA_PROP_APPLICATION_ID,
                   "org.scrivlet.Scrivlet", nullptr);
    if (c->open(shell.soundContext) != CA_SUCCESS) {
        c->destroy(shell.soundContext);
        shell.soundContext = nullptr;
        shell.soundUnavailable = true;
    }
    return shell.soundContext;
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
// ALSA device), it is streamed on every key.
int PlayFile(ca_context* context, const std::string& soundFile)
{
    const CanberraCalls* c = TheShell().canberra;
    const std::string name = CachedName(soundFile);
    if (!name.empty()) {
        const int result = c->play(context, kKeySoundId, CA_PROP_EVENT_ID, name.c_str(), CA_PROP_MEDIA_FILENAME,
                                   soundFile.c_str(), CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
        if (result == CA_SUCCESS || result == CA_ERROR_NOTFOUND)
            return result;
    }
    return c->play(context, kKeySoundId, CA_PROP_MEDIA_FILENAME, soundFile.c_str(), nullptr);
}

void PlayKeySound(const std::string& text)
{
    ca_context* context = Context();
    if (!context)
        return;
    GtkShell& shell = TheShell();
    // Where a text's file is, is found once per text, not on every key.
    if (shell.soundFile.empty() || text != shell.soundText) {
        shell.soundText = text;
        shell.soundFile = KeySoundFile(text, ProgramPath(), IsReadableFile);
    }
    shell.canberra->cancel(context, kKeySoundId);
    int result = CA_ERROR_NOTFOUND;
    for (const KeySoundSource& source : KeySoundSources(shell.soundFile)) {
        if (source.kind == KeySoundSourceKind::file)
            result = PlayFile(context, source.name);
        else if (source.kind == KeySoundSourceKind::defaultSound)
            result = shell.canberra->play(context, kKeySoundId, CA_PROP_EVENT_ID, "bell", nullptr);
        if (result != CA_ERROR_NOTFOUND)
            break;
    }
    // No device or no sound server: stay quiet for the rest of the run
    // rather than trying (and costing time) on every key.
    if (result != CA_SUCCESS && result != CA_ERROR_NOTFOUND)
        shell.soundUnavailable = true;
}

}  // namespace gtk3
