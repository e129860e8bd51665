#include "settings/options_store.h"

#include "error_text.h"
#include "file_size_limit.h"
#include "platform/registry_hive.h"
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
    static OptionsRecord full()
    {
        OptionsRecord saved;
        saved.FontSize = -3;
        saved.FontColor = 0x80000008;
        saved.BGColor = 0x80000005;
        saved.ScrollTextSpeed = 7;
        saved.FontName = QStringLiteral("Times New Roman Cyr");
        saved.ConfirmSetBMExit = 0;
        saved.WordWrap = 1;
        return saved;
    }
};

} // namespace

TEST_F(OptionsStore, FirstRunGivesTheDefaultsButAKeyWithoutFontSizeReadsNothing)
{
    OptionsRecord record = read();
    EXPECT_EQ(record.FontSize, 13);
    EXPECT_EQ(record.FontColor, 0x00C0C0C0u);
    EXPECT_EQ(record.BGColor, 0x005C5C5Cu);
    EXPECT_EQ(record.ScrollTextSpeed, 1);
    EXPECT_EQ(record.ConfirmSetBMExit, 1);
    EXPECT_EQ(record.WordWrap, 0);
    EXPECT_TRUE(record.FontName.isEmpty());

    writeOptions([](Registry& r) { r.writeInteger("WordWrap", 1); });
    record = read();
    EXPECT_EQ(record.FontSize, 0);
    EXPECT_EQ(record.FontColor, 0u);
    EXPECT_EQ(record.ConfirmSetBMExit, 0);
    EXPECT_EQ(record.WordWrap, 0);
}

TEST_F(OptionsStore, SaveThenReadKeepsEveryBitAndTheFlagsOnlyWhenPresent)
{
    saveOptions(full());
    OptionsRecord record = read();
    EXPECT_EQ(record.FontSize, -3);
    EXPECT_EQ(record.FontColor, 0x80000008u);
    EXPECT_EQ(record.BGColor, 0x80000005u);
    EXPECT_EQ(record.ScrollTextSpeed, 7);
    EXPECT_EQ(record.FontName, QStringLiteral("Times New Roman Cyr"));
    EXPECT_EQ(record.ConfirmSetBMExit, 0);
    EXPECT_EQ(record.WordWrap, 1);

    // Five main values without the two flags: both stay off, unlike the first-run defaults.
    writeOptions([](Registry& r) { r.deleteKey(kOptionsKey); });
    writeOptions([](Registry& r) {
        r.writeInteger("FontSize", 12);
        r.writeInteger("FontColor", 1);
        r.writeInteger("BGColor", 2);
        r.writeInteger("ScrollTextSpeed", 3);
        r.writeString("FontName", "");
    });
    record = read();
    EXPECT_EQ(record.FontSize, 12);
    EXPECT_EQ(record.ConfirmSetBMExit, 0);
    EXPECT_EQ(record.WordWrap, 0);
}

TEST_F(OptionsStore, MissingOrMistypedValuesRaiseTheRegistryTextsAndKeepWhatWasRead)
{
    writeOptions([](Registry& r) { r.writeInteger("FontSize", 21); });
    OptionsRecord record;
    EXPECT_EQ(errorText([&] { readOptions(record); }), "Failed to get data for 'FontColor'");
    EXPECT_EQ(record.FontSize, 21);

    writeOptions([](Registry& r) { r.writeString("FontColor", "red"); });
    EXPECT_EQ(errorText([] { read(); }), "Invalid data type for 'FontColor'");

    writeOptions([](Registry& r) {
        r.writeInteger("FontColor", 5);
        r.writeInteger("BGColor", 2);
        r.writeInteger("ScrollTextSpeed", 3);
        r.writeInteger("FontName", 4);
    });
    EXPECT_EQ(errorText([&] { readOptions(record); }), "Invalid data type for 'FontName'");
    EXPECT_EQ(record.FontColor, 5u);
    EXPECT_EQ(record.ScrollTextSpeed, 3);
}

// A save cut short (a full disk here) must not leave the options half old, half new.
TEST_F(OptionsStore, ASaveIsStoredWholeOrNotAtAll)
{
    OptionsRecord first;
    first.FontSize = 13;
    first.FontName = QStringLiteral("A");
    saveOptions(first);
    const std::string hive = m_scratch / "registry.reg";
    const std::string before = readFile(hive);

    OptionsRecord second = full();
    second.FontSize = 20;
    second.ConfirmSetBMExit = 1;
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
    EXPECT_EQ(read().FontName, second.FontName);
    EXPECT_EQ(read().WordWrap, 1);
}

TEST_F(OptionsStore, DefaultsOptionsRemovesTheWholeProgramTree)
{
    saveOptions(OptionsRecord{});
    writeOptions([](Registry& r) { r.createKey("Software\\Lirra Reader\\History"); });
    deleteAllOptions();
    EXPECT_FALSE(Registry().keyExists(kProgramKey));
    deleteAllOptions(); // nothing left to delete: still no error
}
