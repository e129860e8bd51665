#include "settings/options_store.h"

#include "error_text.h"
#include "file_size_limit.h"
#include "platform/registry_hive.h"
#include "qt_printers.h"
#include "registry_fixture.h"

using namespace lirra;
using lirra::platform::Registry;

namespace {

class OptionsStore : public OwnHive {
protected:
    void writeOptions(const std::function<void(Registry&)>& write)
    {
        Registry registry;
        registry.openKey(kOptionsKey, true);
        write(registry);
        registry.closeKey();
    }
    static OptionsRecord read()
    {
        OptionsRecord record;
        readOptions(record);
        return record;
    }
    // The seven stored values, to compare in one go.
    static auto values(const OptionsRecord& r)
    {
        return std::tuple(r.FontSize, r.FontColor, r.BGColor, r.ScrollTextSpeed, r.FontName, int(r.ConfirmSetBMExit),
                          int(r.WordWrap));
    }
    static OptionsRecord full(std::int32_t fontSize = -3, std::uint8_t confirm = 0)
    {
        return {.FontSize = fontSize, .FontColor = 0x80000008, .BGColor = 0x80000005, .ScrollTextSpeed = 7,
                .FontName = QStringLiteral("Times New Roman Cyr"), .ConfirmSetBMExit = confirm, .WordWrap = 1};
    }
};

} // namespace

TEST_F(OptionsStore, DefaultsEveryBitKeptFlagsOnlyWhenPresentBadValuesRaiseTheRegistryTextsAndASaveIsWholeOrNothing)
{
    EXPECT_EQ(values(read()), std::tuple(13, 0x00C0C0C0u, 0x005C5C5Cu, 1, QString(), 1, 0));
    writeOptions([](Registry& r) { r.writeInteger("WordWrap", 1); });
    EXPECT_EQ(values(read()), values(OptionsRecord{}));
    saveOptions(full());
    EXPECT_EQ(values(read()), values(full()));

    // Five main values without the two flags: both stay off, unlike the first-run defaults.
    writeOptions([](Registry& r) { r.deleteKey(kOptionsKey); });
    writeOptions([](Registry& r) {
        for (const auto& [name, value] :
             {std::pair{"FontSize", 12}, {"FontColor", 1}, {"BGColor", 2}, {"ScrollTextSpeed", 3}})
            r.writeInteger(name, value);
        r.writeString("FontName", "");
    });
    EXPECT_EQ(values(read()), std::tuple(12, 1u, 2u, 3, QString(), 0, 0));
    writeOptions([](Registry& r) { r.deleteKey(kOptionsKey); });
    writeOptions([](Registry& r) { r.writeInteger("FontSize", 21); });
    OptionsRecord record;
    EXPECT_EQ(errorText([&] { readOptions(record); }), "Failed to get data for 'FontColor'");
    EXPECT_EQ(record.FontSize, 21);

    writeOptions([](Registry& r) {
        for (const auto& [name, value] :
             {std::pair{"FontColor", 5}, {"BGColor", 2}, {"ScrollTextSpeed", 3}, {"FontName", 4}})
            r.writeInteger(name, value);
    });
    EXPECT_EQ(errorText([&] { readOptions(record); }), "Invalid data type for 'FontName'");
    EXPECT_TRUE(record.FontColor == 5u && record.ScrollTextSpeed == 3);
    // A save cut short (a full disk here) must not leave the options half old, half new.
    saveOptions({.FontSize = 13, .FontName = QStringLiteral("A")});
    const std::string hive = m_scratch / "registry.reg";
    const std::string before = readFile(hive);

    const OptionsRecord second = full(20, 1);
    {
        // Room for the same values changed in place, not for the longer name.
        FileSizeLimit disk(before.size());
        EXPECT_EQ(errorText([&] { saveOptions(second); }), "Failed to set data for 'FontSize'");
    }
    EXPECT_EQ(readFile(hive), before);

    // The first save on a fresh file creates the key with its values at once.
    std::filesystem::remove(hive);
    {
        FileSizeLimit disk(40);
        EXPECT_EQ(errorText([&] { saveOptions(second); }), std::string("Failed to create key ") + kOptionsKey);
    }
    EXPECT_FALSE(std::filesystem::exists(hive));
    saveOptions(second);
    EXPECT_EQ(values(read()), values(second));
}
