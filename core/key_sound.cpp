// The key sound's decisions: the platform's lookup order and the plan.
#include "core/key_sound.h"

std::vector<KeySoundSource> KeySoundSources(const std::string& text)
{
    std::vector<KeySoundSource> sources;
    if (!text.empty()) {
        sources.push_back({KeySoundSourceKind::registered, text});
        sources.push_back({KeySoundSourceKind::file, text});
    }
    sources.push_back({KeySoundSourceKind::defaultSound, kDefaultSoundName});
    return sources;
}

std::string RegisteredSoundKeyPath(const std::string& name)
{
    return "AppEvents\\Schemes\\Apps\\.Default\\" + name + "\\.Current";
}

KeySoundPlan DecideKeySoundPlan(bool outputDeviceExists, bool sourceFound, const std::optional<WaveSound>& sound)
{
    if (!outputDeviceExists || !sourceFound)
        return KeySoundPlan::silent;
    if (!sound)
        return KeySoundPlan::platform;
    return sound->dataSize == 0 ? KeySoundPlan::silent : KeySoundPlan::device;
}

std::optional<WaveSound> ParseKeptWave(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() > kMaxKeptWaveBytes)
        return std::nullopt;
    return ParseWave(bytes.data(), bytes.size());
}
