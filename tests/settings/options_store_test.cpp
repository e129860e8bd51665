#include "settings/options_store.h"

#include "error_text.h"
#include "file_size_limit.h"
#include "platform/lirra_error.h"
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
    static std::string readError()
    {
        OptionsRecord record;
        return errorText([&] { readOptions(record); });
    }
};

} // namespace

TEST_F(OptionsStore, FirstRunGivesTheDefaults)
{
    OptionsRecord record;
    readOptions(record);
    EXPECT_EQ(record.FontSize, 13);
    EXPECT_EQ(record.FontColor, 0x00C0C0C0u);
    EXPECT_EQ(record.BGColor, 0x005C5C5Cu);
    EXPECT_EQ(record.ScrollTextSpeed, 1);
    EXPECT_EQ(record.ConfirmSetBMExit, 1);
    EXPECT_EQ(record.WordWrap, 0);
    EXPECT_TRUE(record.FontName.isEmpty());
}

TEST_F(OptionsStore, KeyWithoutFontSizeReadsNothing)
{
    writeOptions([](Registry& r) { r.writeInteger("WordWrap", 1); });
    OptionsRecord record;
    readOptions(record);
    EXPECT_EQ(record.FontSize, 0);
    EXPECT_EQ(record.FontColor, 0u);
    EXPECT_EQ(record.ConfirmSetBMExit, 0);
    EXPECT_EQ(record.WordWrap, 0);
}

TEST_F(OptionsStore, SaveThenReadKeepsEveryBitAndTheFlagsOnlyWhenPresent)
{
    OptionsRecord saved;
    saved.FontSize = -3;
    saved.FontColor = 0x80000008;
    saved.BGColor = 0x80000005;
    saved.ScrollTextSpeed = 7;
    saved.FontName = QStringLiteral("Times New Roman Cyr");
    saved.ConfirmSetBMExit = 0;
    saved.WordWrap = 1;
    saveOptions(saved);

    OptionsRecord record;
    readOptions(record);
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
    OptionsRecord partial;
    readOptions(partial);
    EXPECT_EQ(partial.FontSize, 12);
    EXPECT_EQ(partial.ConfirmSetBMExit, 0);
    EXPECT_EQ(partial.WordWrap, 0);
}

TEST_F(OptionsStore, MissingOrMistypedValuesRaiseTheRegistryTexts)
{
    writeOptions([](Registry& r) { r.writeInteger("FontSize", 12); });
    EXPECT_EQ(readError(), "Failed to get data for 'FontColor'");

    writeOptions([](Registry& r) { r.writeString("FontColor", "red"); });
    EXPECT_EQ(readError(), "Invalid data type for 'FontColor'");

    writeOptions([](Registry& r) {
        r.writeInteger("FontColor", 1);
        r.writeInteger("BGColor", 2);
        r.writeInteger("ScrollTextSpeed", 3);
        r.writeInteger("FontName", 4);
    });
    EXPECT_EQ(readError(), "Invalid data type for 'FontName'");
}

TEST_F(OptionsStore, ValuesReadBeforeAnErrorStayInTheRecord)
{
    writeOptions([](Registry& r) {
        r.writeInteger("FontSize", 21);
        r.writeInteger("FontColor", 5);
    });
    OptionsRecord record;
    EXPECT_THROW(readOptions(record), Error);
    EXPECT_EQ(record.FontSize, 21);
    EXPECT_EQ(record.FontColor, 5u);
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

    OptionsRecord second;
    second.FontSize = 20;
    second.FontColor = 0x00FF0000;
    second.BGColor = 0x0000FF00;
    second.ScrollTextSpeed = 9;
    second.FontName = QStringLiteral("Times New Roman Cyr");
    second.ConfirmSetBMExit = 1;
    second.WordWrap = 1;
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
    OptionsRecord record;
    readOptions(record);
    EXPECT_EQ(record.FontName, second.FontName);
    EXPECT_EQ(record.WordWrap, 1);
}

TEST_F(OptionsStore, DefaultsOptionsRemovesTheWholeProgramTree)
{
    saveOptions(OptionsRecord{});
    writeOptions([](Registry& r) { r.createKey("Software\\Lirra Reader\\History"); });
    deleteAllOptions();
    Registry registry;
    EXPECT_FALSE(registry.keyExists(kProgramKey));
    deleteAllOptions(); // nothing left to delete: still no error
}
