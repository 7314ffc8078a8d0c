// The accessibility-hotkey arithmetic and the display decision.
#include "core/kidproof.h"

namespace {

// Indexed by AccessibilityFeature; the three share one layout of these bits.
constexpr AccessibilityBits kBits[kAccessibilityFeatureCount] = {
    {0x1u, 0x4u},  // SKF_STICKYKEYSON, SKF_HOTKEYACTIVE
    {0x1u, 0x4u},  // FKF_FILTERKEYSON, FKF_HOTKEYACTIVE
    {0x1u, 0x4u},  // TKF_TOGGLEKEYSON, TKF_HOTKEYACTIVE
};

}  // namespace

AccessibilityBits BitsOf(AccessibilityFeature feature) { return kBits[static_cast<int>(feature)]; }

uint32_t FlagsWithoutHotkey(AccessibilityFeature feature, uint32_t flags)
{
    const AccessibilityBits bits = BitsOf(feature);
    if (flags & bits.featureOn)
        return flags;
    return flags & ~bits.hotkeyActive;
}

bool DisplayMustStayAwake(const OptionsRecord& options) { return FlagOn(options.autoDraw); }
