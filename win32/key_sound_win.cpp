// Resolves the key sound as the platform's player would and keeps it ready
// on an output device opened through the wave mapper, which also converts
// compressed formats. What cannot be prepared that way goes to PlaySoundA.
#include "win32/key_sound_win.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include <windows.h>
#include <mmsystem.h>

namespace {

struct KeptSound {
    std::vector<uint8_t> bytes;
    std::optional<WaveSound> wave;  // what the bytes parsed to
    bool found = false;             // some source could be opened
    HWAVEOUT device = nullptr;
    WAVEHDR header{};
};

HWND g_window = nullptr;
ResolvedKeySound g_resolved;
bool g_isResolved = false;
// Whether the plan has been decided against the output devices. Asking for
// them loads the whole audio stack (about 5 MB under Wine), so that waits
// for the first key.
bool g_isDecided = false;
KeptSound g_kept;

// The file of a registered sound, expanded, or empty when there is none.
std::string RegisteredSoundFile(const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RegisteredSoundKeyPath(name).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    char value[MAX_PATH] = "";
    DWORD size = sizeof value - 1;  // room for a NUL the value may lack
    DWORD type = REG_NONE;
    const LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    value[size] = '\0';
    if (type == REG_SZ)
        return value;
    char expanded[MAX_PATH] = "";
    const DWORD length = ExpandEnvironmentStringsA(value, expanded, sizeof expanded);
    return length > 0 && length <= sizeof expanded ? expanded : std::string();
}

enum class ReadResult { missing, tooLarge, read };

ReadResult ReadSoundFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ReadResult::missing;
    LARGE_INTEGER size{};
    ReadResult result = ReadResult::tooLarge;
    if (GetFileSizeEx(file, &size) && size.QuadPart <= static_cast<LONGLONG>(kMaxKeptWaveBytes)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        const BOOL ok = bytes.empty() || ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        bytes.resize(ok ? got : 0);
        result = ReadResult::read;
    }
    CloseHandle(file);
    return result;
}

// The platform's file lookup: the name as given, then along the search path.
ReadResult ReadNamedFile(const std::string& name, std::vector<uint8_t>& bytes, std::string& path)
{
    path = name;
    ReadResult result = ReadSoundFile(path, bytes);
    if (result != ReadResult::missing)
        return result;
    char found[MAX_PATH] = "";
    const DWORD length = SearchPathA(nullptr, name.c_str(), nullptr, sizeof found, found, nullptr);
    if (length == 0 || length >= sizeof found)
        return ReadResult::missing;
    path = found;
    return ReadSoundFile(path, bytes);
}

ReadResult ReadSource(const KeySoundSource& source, std::vector<uint8_t>& bytes, std::string& path)
{
    if (source.kind == KeySoundSourceKind::file)
        return ReadNamedFile(source.name, bytes, path);
    path = RegisteredSoundFile(source.name);
    return path.empty() ? ReadResult::missing : ReadSoundFile(path, bytes);
}

// Every restart hands the playing buffer back before queueing it again; a
// message to the window for each of those would cost a trip through the
// system per key for nothing. Only a buffer handed back while none of our
// resets is under way may have played to its end, and only that one is
// passed on. A system that reports later, from a thread of its own, passes a
// few more, which OnKeySoundDone sees are queued again.
std::atomic<bool> g_resetting{false};

void CALLBACK OnWaveOutMessage(HWAVEOUT, UINT message, DWORD_PTR, DWORD_PTR, DWORD_PTR)
{
    if (message == WOM_DONE && !g_resetting && g_window)
        PostMessageA(g_window, MM_WOM_DONE, 0, 0);
}

void ReleaseDevice()
{
    if (!g_kept.device)
        return;
    g_resetting = true;
    waveOutReset(g_kept.device);
    g_resetting = false;
    waveOutUnprepareHeader(g_kept.device, &g_kept.header, sizeof g_kept.header);
    waveOutClose(g_kept.device);
    g_kept.device = nullptr;
}

bool OpenDevice()
{
    auto* format = reinterpret_cast<const WAVEFORMATEX*>(g_kept.wave->format.data());
    const DWORD_PTR callback = reinterpret_cast<DWORD_PTR>(&OnWaveOutMessage);
    if (waveOutOpen(&g_kept.device, WAVE_MAPPER, format, callback, 0, CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
        g_kept.device = nullptr;
        return false;
    }
    g_kept.header = WAVEHDR{};
    g_kept.header.lpData = reinterpret_cast<LPSTR>(g_kept.bytes.data() + g_kept.wave->dataOffset);
    g_kept.header.dwBufferLength = static_cast<DWORD>(g_kept.wave->dataSize);
    if (waveOutPrepareHeader(g_kept.device, &g_kept.header, sizeof g_kept.header) != MMSYSERR_NOERROR) {
        waveOutClose(g_kept.device);
        g_kept.device = nullptr;
        return false;
    }
    return true;
}

// The lookups for a text, as the platform's player makes them; the samples
// are kept when they can go to a device.
void Resolve(const char* soundFile)
{
    const KeySoundPlan previous = g_isDecided ? g_resolved.plan : KeySoundPlan::silent;
    ReleaseDevice();
    if (previous == KeySoundPlan::platform)
        PlaySoundA(nullptr, nullptr, 0);  // a switch of text must not leave the old sound playing
    g_kept = KeptSound{};
    g_resolved = ResolvedKeySound{soundFile, KeySoundPlan::silent, {}};
    g_isResolved = true;
    g_isDecided = false;

    ReadResult result = ReadResult::missing;
    for (const KeySoundSource& source : KeySoundSources(soundFile)) {
        result = ReadSource(source, g_kept.bytes, g_resolved.path);
        if (result != ReadResult::missing)
            break;
    }
    g_kept.found = result != ReadResult::missing;
    if (!g_kept.found)
        g_resolved.path.clear();
    if (result == ReadResult::read)
        g_kept.wave = ParseKeptWave(g_kept.bytes);
    g_resolved.playable = g_kept.wave && g_kept.wave->dataSize > 0;
    if (!g_resolved.playable)
        g_kept.bytes.clear();
}

// Decides how the resolved text is played, now that the devices are asked.
void Decide()
{
    g_isDecided = true;
    g_resolved.plan = DecideKeySoundPlan(waveOutGetNumDevs() > 0, g_kept.found, g_kept.wave);
    if (g_resolved.plan != KeySoundPlan::device) {
        g_kept.bytes.clear();
        return;
    }
    // Open now, so that a format the device refuses goes to the platform
    // from this first key on.
    if (!OpenDevice())
        g_resolved.plan = KeySoundPlan::platform;
}

// Starts the kept samples from their beginning, opening the device first
// when the last sound was let go of.
bool RestartOnDevice()
{
    if (!g_kept.device && !OpenDevice())
        return false;
    // A reset hands back a buffer still playing and rewinds, so the write
    // starts the sound from its beginning, as each key release must.
    g_resetting = true;
    waveOutReset(g_kept.device);
    g_resetting = false;
    return waveOutWrite(g_kept.device, &g_kept.header, sizeof g_kept.header) == MMSYSERR_NOERROR;
}

}  // namespace

void LookUpKeySound(const char* soundFile)
{
    if (!g_isResolved || g_resolved.text != soundFile)
        Resolve(soundFile);
}

const ResolvedKeySound& PrepareKeySound(const char* soundFile)
{
    LookUpKeySound(soundFile);
    if (!g_isDecided)
        Decide();
    return g_resolved;
}

void PlayKeySound(const char* soundFile)
{
    switch (PrepareKeySound(soundFile).plan) {
    case KeySoundPlan::silent:
        return;
    case KeySoundPlan::device:
        if (RestartOnDevice())
            return;
        // The device cannot be had or went away: the platform plays this
        // text from now on.
        ReleaseDevice();
        g_resolved.plan = KeySoundPlan::platform;
        break;
    case KeySoundPlan::platform:
        break;
    }
    PlaySoundA(soundFile, nullptr, SND_ASYNC);
}

void SetKeySoundWindow(HWND window) { g_window = window; }

void OnKeySoundDone()
{
    if (g_kept.device && !(g_kept.header.dwFlags & WHDR_INQUEUE))
        ReleaseDevice();
}

void CloseKeySound()
{
    ReleaseDevice();
    if (g_isDecided && g_resolved.plan == KeySoundPlan::platform)
        PlaySoundA(nullptr, nullptr, 0);
    g_kept = KeptSound{};
    g_isResolved = false;
    g_isDecided = false;
}
