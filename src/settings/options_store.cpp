#include "settings/options_store.h"

#include "platform/registry_hive.h"

namespace lirra {

namespace {
constexpr std::int32_t kDefaultFontSize = 13;
constexpr std::uint32_t kDefaultFontColor = 0x00C0C0C0;  // silver
constexpr std::uint32_t kDefaultBGColor = 0x005C5C5C;    // grey
constexpr std::int32_t kDefaultScrollSpeed = 1;
} // namespace

void readOptions(OptionsRecord& record)
{
    platform::Registry registry;
    if (!registry.keyExists(kOptionsKey)) {
        record.FontSize = kDefaultFontSize;
        record.FontColor = kDefaultFontColor;
        record.BGColor = kDefaultBGColor;
        record.ScrollTextSpeed = kDefaultScrollSpeed;
        record.ConfirmSetBMExit = 1;
        record.WordWrap = 0;
    } else {
        registry.openKey(kOptionsKey, true);
        // Without FontSize nothing is read: the record keeps its zeros, flags included.
        if (registry.valueExists("FontSize")) {
            record.FontSize = registry.readInteger("FontSize");
            record.FontColor = static_cast<std::uint32_t>(registry.readInteger("FontColor"));
            record.BGColor = static_cast<std::uint32_t>(registry.readInteger("BGColor"));
            record.ScrollTextSpeed = registry.readInteger("ScrollTextSpeed");
            record.FontName = QString::fromStdString(registry.readString("FontName"));
            if (registry.valueExists("ConfirmSetBMExit"))
                record.ConfirmSetBMExit = static_cast<std::uint8_t>(registry.readInteger("ConfirmSetBMExit"));
            if (registry.valueExists("WordWrap"))
                record.WordWrap = static_cast<std::uint8_t>(registry.readInteger("WordWrap"));
        }
    }
    registry.closeKey();
}

void saveOptions(const OptionsRecord& options)
{
    platform::Registry registry;
    registry.writeValues(kOptionsKey, {
        {"FontSize", options.FontSize},
        {"FontColor", static_cast<std::int32_t>(options.FontColor)},
        {"BGColor", static_cast<std::int32_t>(options.BGColor)},
        {"ScrollTextSpeed", options.ScrollTextSpeed},
        {"FontName", options.FontName.toStdString()},
        {"ConfirmSetBMExit", options.ConfirmSetBMExit == 1 ? 1 : 0},
        {"WordWrap", options.WordWrap == 1 ? 1 : 0},
    });
    registry.closeKey();
}

void deleteAllOptions()
{
    platform::Registry registry;
    if (registry.keyExists(kProgramKey))
        registry.deleteKey(kProgramKey);
    registry.closeKey();
}

} // namespace lirra
