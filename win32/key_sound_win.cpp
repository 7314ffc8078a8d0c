// Resolves the key sound as the platform's player would and keeps it ready
// on an output device opened through the wave mapper, which also converts
// compressed formats. What cannot be prepared that way goes to PlaySoundA.
#include "win32/shell_win.h"

namespace w32 {

namespace {

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
    path = RegistryText(HKEY_CURRENT_USER, RegisteredSoundKeyPath(source.name).c_str(), true);
    return path.empty() ? ReadResult::missing : ReadSoundFile(path, bytes);
}

// Every restart hands the playing buffer back before queueing it again; a
// message to the window for each of those would cost a trip through the
// system per key for nothing. Only a buffer handed back while none of our
// resets is under way may have played to its end, and only that one is
// passed on. A system that reports later, from a thread of its own, passes a
// few more, which OnKeySoundDone sees are queued again.
void CALLBACK OnWaveOutMessage(HWAVEOUT, UINT message, DWORD_PTR, DWORD_PTR, DWORD_PTR)
{
    if (message == WOM_DONE && !TheShell().sound.resetting && TheShell().window)
        PostMessageA(TheShell().window, MM_WOM_DONE, 0, 0);
}

// A reset hands back a buffer still playing and rewinds.
void Reset(KeySound& sound)
{
    sound.resetting = true;
    waveOutReset(sound.kept.device);
    sound.resetting = false;
}

void ReleaseDevice(KeySound& sound)
{
    KeptSound& kept = sound.kept;
    if (!kept.device)
        return;
    Reset(sound);
    waveOutUnprepareHeader(kept.device, &kept.header, sizeof kept.header);
    waveOutClose(kept.device);
    kept.device = nullptr;
}

bool OpenDevice(KeptSound& kept)
{
    auto* format = reinterpret_cast<const WAVEFORMATEX*>(kept.wave->format.data());
    const DWORD_PTR callback = reinterpret_cast<DWORD_PTR>(&OnWaveOutMessage);
    if (waveOutOpen(&kept.device, WAVE_MAPPER, format, callback, 0, CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
        kept.device = nullptr;
        return false;
    }
    kept.header = WAVEHDR{};
    kept.header.lpData = reinterpret_cast<LPSTR>(kept.bytes.data() + kept.wave->dataOffset);
    kept.header.dwBufferLength = static_cast<DWORD>(kept.wave->dataSize);
    if (waveOutPrepareHeader(kept.device, &kept.header, sizeof kept.header) != MMSYSERR_NOERROR) {
        waveOutClose(kept.device);
        kept.device = nullptr;
        return false;
    }
    return true;
}

// The lookups for a text, as the platform's player makes them; the samples
// are kept when they can go to a device.
void Resolve(KeySound& sound, const std::string& soundFile)
{
    const KeySoundPlan previous = sound.isDecided ? sound.resolved.plan : KeySoundPlan::silent;
    ReleaseDevice(sound);
    if (previous == KeySoundPlan::platform)
        PlaySoundA(nullptr, nullptr, 0);  // a switch of text must not leave the old sound playing
    KeptSound& kept = sound.kept = KeptSound{};
    ResolvedKeySound& resolved = sound.resolved = ResolvedKeySound{soundFile, KeySoundPlan::silent, {}};
    sound.isResolved = true;
    sound.isDecided = false;

    ReadResult result = ReadResult::missing;
    for (const KeySoundSource& source : KeySoundSources(soundFile)) {
        result = ReadSource(source, kept.bytes, resolved.path);
        if (result != ReadResult::missing)
            break;
    }
    kept.found = result != ReadResult::missing;
    if (!kept.found)
        resolved.path.clear();
    if (result == ReadResult::read)
        kept.wave = ParseKeptWave(kept.bytes);
    resolved.playable = kept.wave && kept.wave->dataSize > 0;
    if (!resolved.playable)
        kept.bytes.clear();
}

// Decides how the resolved text is played, now that the devices are asked.
void Decide(KeySound& sound)
{
    sound.isDecided = true;
    sound.resolved.plan = DecideKeySoundPlan(waveOutGetNumDevs() > 0, sound.kept.found, sound.kept.wave);
    if (sound.resolved.plan != KeySoundPlan::device) {
        sound.kept.bytes.clear();
        return;
    }
    // Open now, so that a format the device refuses goes to the platform
    // from this first key on.
    if (!OpenDevice(sound.kept))
        sound.resolved.plan = KeySoundPlan::platform;
}

// Starts the kept samples from their beginning, opening the device first
// when the last sound was let go of.
bool RestartOnDevice(KeySound& sound)
{
    KeptSound& kept = sound.kept;
    if (!kept.device && !OpenDevice(kept))
        return false;
    // The reset rewinds, so the write starts the sound from its beginning,
    // as each key release must.
    Reset(sound);
    return waveOutWrite(kept.device, &kept.header, sizeof kept.header) == MMSYSERR_NOERROR;
}

}  // namespace

void LookUpKeySound(const std::string& soundFile)
{
    KeySound& sound = TheShell().sound;
    if (!sound.isResolved || sound.resolved.text != soundFile)
        Resolve(sound, soundFile);
}

const ResolvedKeySound& PrepareKeySound(const std::string& soundFile)
{
    LookUpKeySound(soundFile);
    KeySound& sound = TheShell().sound;
    if (!sound.isDecided)
        Decide(sound);
    return sound.resolved;
}

void PlayKeySound(const std::string& soundFile)
{
    switch (PrepareKeySound(soundFile).plan) {
    case KeySoundPlan::silent:
        return;
    case KeySoundPlan::device:
        if (RestartOnDevice(TheShell().sound))
            return;
        // The device cannot be had or went away: the platform plays this
        // text from now on.
        ReleaseDevice(TheShell().sound);
        TheShell().sound.resolved.plan = KeySoundPlan::platform;
        break;
    case KeySoundPlan::platform:
        break;
    }
    PlaySoundA(soundFile.c_str(), nullptr, SND_ASYNC);
}

void OnKeySoundDone()
{
    const KeptSound& kept = TheShell().sound.kept;
    if (kept.device && !(kept.header.dwFlags & WHDR_INQUEUE))
        ReleaseDevice(TheShell().sound);
}

void CloseKeySound()
{
    KeySound& sound = TheShell().sound;
    ReleaseDevice(sound);
    if (sound.isDecided && sound.resolved.plan == KeySoundPlan::platform)
        PlaySoundA(nullptr, nullptr, 0);
    sound.kept = KeptSound{};
    sound.isResolved = false;
    sound.isDecided = false;
}

}  // namespace w32
