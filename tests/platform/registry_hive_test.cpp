#include "platform/registry_hive.h"

#include "error_text.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <csignal>
#include <thread>
#include <tuple>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using lirra::platform::Registry;

namespace {

const std::string kOptions = "Software\\Lirra Reader\\Options";
const std::string kBookMarks = "Software\\Lirra Reader\\BookMarks";

unsigned modeOf(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Registry::setDamageReporter([this](const std::string& message) { reports.push_back(message); });
    }
    void TearDown() override { Registry::setDamageReporter([](const std::string&) {}); }

    Registry registry() const { return Registry(hive); }
    Registry opened(const std::string& key, bool canCreate = true) const
    {
        Registry r(hive);
        EXPECT_TRUE(r.openKey(key, canCreate)) << key;
        return r;
    }
    bool hiveHas(const std::string& text) const { return readFile(hive).find(text) != std::string::npos; }
    // The one report there must be holds `text`.
    void expectReport(const std::string& text) const
    {
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_NE(reports[0].find(text), std::string::npos) << reports[0];
    }

    ScratchFolder folder;
    std::string hive = folder / "registry.reg";
    std::vector<std::string> reports;
};

TEST_F(RegistryTest, TextsAndDwordsSurviveARoundTripInTheExportSpelling)
{
    const std::vector<std::string> texts = {
        "", "Courier New Cyr", "C:\\Books\\\"Война и мир\".txt", "a\\nb is not a line break, \\\\ nor \\\" an escape",
        "line one\nline two\r\nthree\rfour\n", "\ttabs\tand trailing blanks   ", "Кириллица, Ёё, ∑ and 😀",
        "ends with a backslash\\", "bytes that are no UTF-8: \xFF\xFE\x80 [\xC0]", std::string(10000, 'x') + "Ж",
    };
    const std::int32_t numbers[] = {0, 13, -1, INT32_MIN, INT32_MAX, static_cast<std::int32_t>(0x80000008)};
    auto writer = opened(kOptions);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        writer.writeString("Text" + std::to_string(i), texts[i]);
        writer.writeInteger("N" + std::to_string(i), numbers[i % std::size(numbers)]);
    }
    auto reader = opened(kOptions, false);
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(std::pair(reader.readString("Text" + std::to_string(i)), reader.readInteger("N" + std::to_string(i))),
                  std::pair(texts[i], numbers[i % std::size(numbers)]));
    EXPECT_EQ(readFile(hive).rfind("REGEDIT4\n", 0), 0u);
    for (const char* line : {"[HKEY_CURRENT_USER\\Software\\Lirra Reader\\Options]\n", "\"N1\"=dword:0000000d\n",
                             "\"N2\"=dword:ffffffff\n", "\"N5\"=dword:80000008\n", "\"Text1\"=\"Courier New Cyr\"\n"})
        EXPECT_TRUE(hiveHas(line)) << line;
}

TEST_F(RegistryTest, NamesIgnoreLetterCaseKeepTheirFirstSpellingGoWithTheWholeTreeAndChangesOfOthersAreKept)
{
    auto r = opened("Software\\Lirra Reader\\Книги");
    r.writeInteger("FontSize", 1);
    r.writeInteger("FONTSIZE", 2);
    EXPECT_TRUE(r.keyExists("SOFTWARE\\lirra reader\\КНИГИ"));
    ASSERT_TRUE(r.openKey("software\\LIRRA READER\\книги", false));
    EXPECT_EQ(r.readInteger("fontsize"), 2);
    EXPECT_TRUE(hiveHas("[HKEY_CURRENT_USER\\Software\\Lirra Reader\\Книги]\n\"FontSize\"=dword:00000002\n"));
    EXPECT_FALSE(hiveHas("FONTSIZE"));

    // Several values in one change that creates the key and leaves it open; a text ends at its NUL.
    r.writeValues(kOptions, {{"FontSize", -1}, {"FontName", std::string("Arial\0Cyr", 9)}, {"fontsize", 13}});
    EXPECT_EQ(std::pair(r.readInteger("FontSize"), r.readString("FontName")), std::pair(13, std::string("Arial")));
    EXPECT_TRUE(hiveHas("\"FontSize\"=dword:0000000d\n"));

    // Deleting a key takes everything below it and nothing else.
    r.createKey("Software\\Lirra Reader\\History\\Deep\\Deeper");
    r.createKey("Software\\Other");
    EXPECT_TRUE(r.deleteKey("software\\lirra reader"));
    EXPECT_FALSE(registry().keyExists("Software\\Lirra Reader\\History\\Deep\\Deeper"));
    EXPECT_TRUE(registry().keyExists("Software\\Other"));
    EXPECT_FALSE(r.deleteKey("Software\\Lirra Reader") || r.deleteKey(""));
    EXPECT_FALSE(hiveHas("Lirra Reader"));

    // Changes of another reader are seen and kept: `first` still has its old view, yet its
    // write does not drop the other's values.
    auto first = opened(kOptions), second = opened(kOptions, false);
    first.writeInteger("FontSize", 10);
    second.writeInteger("BGColor", 42);
    ASSERT_TRUE(second.openKey("Software\\Lirra Reader\\History", true));
    EXPECT_FALSE(first.valueExists("BGColor"));
    first.writeInteger("FontColor", 7);
    ASSERT_TRUE(first.openKey(kOptions, false));
    EXPECT_EQ(std::pair(first.readInteger("BGColor"), first.readInteger("FontColor")), std::pair(42, 7));
    EXPECT_TRUE(first.keyExists("Software\\Lirra Reader\\History"));
}

TEST_F(RegistryTest, FailedReadsAndWritesCarryTheSystemTextsNamingTheValueOrKey)
{
    auto r = opened(kOptions);
    r.writeString("FontName", "Arial Cyr");
    r.writeInteger("FontSize", 13);

    EXPECT_EQ(errorText([&] { r.readInteger("FontColor"); }), "Failed to get data for 'FontColor'");
    EXPECT_EQ(errorText([&] { r.readInteger("FontName"); }), "Invalid data type for 'FontName'");
    EXPECT_EQ(errorText([&] { r.readString("FontSize"); }), "Invalid data type for 'FontSize'");
    EXPECT_EQ(r.readString("Missing"), "");
    EXPECT_FALSE(r.valueExists("FontColor"));

    // A failed open leaves the open key as it was; closing it leaves nothing to read.
    EXPECT_FALSE(r.openKey("Software\\Missing", false));
    EXPECT_EQ(r.readInteger("FontSize"), 13);
    r.closeKey();
    EXPECT_FALSE(r.valueExists("FontSize"));
    EXPECT_EQ(errorText([&] { r.readInteger("FontSize"); }), "Failed to get data for 'FontSize'");
    EXPECT_EQ(errorText([&] { r.writeInteger("NoKeyOpen", 1); }), "Failed to set data for 'NoKeyOpen'");

    // Failed creates name the key, failed writes the value.
    writeFile(folder / "not-a-folder", "x");
    Registry broken(folder / "not-a-folder/registry.reg");
    EXPECT_EQ(errorText([&] { broken.createKey(kOptions); }), "Failed to create key " + kOptions);
    EXPECT_EQ(errorText([&] { broken.writeValues(kOptions, {{"FontSize", 1}}); }), "Failed to create key " + kOptions);
    EXPECT_FALSE(broken.openKey(kOptions, true));
    EXPECT_EQ(errorText([&] { broken.writeInteger("FontSize", 1); }), "Failed to set data for 'FontSize'");
    EXPECT_EQ(errorText([&] { r.createKey("Software\\bad\nname"); }), "Failed to create key Software\\bad\nname");
    EXPECT_EQ(errorText([&] { r.createKey("Software\\\\Empty"); }), "Failed to create key Software\\\\Empty");
    EXPECT_EQ(errorText([&] { r.writeValues("Software\\\\Empty", {{"FontSize", 1}}); }),
              "Failed to create key Software\\\\Empty");

    // A key deleted by another reader after it was opened takes no more values.
    ASSERT_TRUE(r.openKey(kOptions, true));
    ASSERT_TRUE(registry().deleteKey("Software\\Lirra Reader"));
    EXPECT_EQ(errorText([&] { r.writeString("FontName", "x"); }), "Failed to set data for 'FontName'");
    EXPECT_FALSE(registry().keyExists(kOptions));
}

TEST_F(RegistryTest, AListIsCountAndNumberedValuesAndAReplacedKeyHoldsOnlyTheList)
{
    auto r = opened(kBookMarks);
    r.writeString("5", "older entry beyond the count");
    r.writeStringList({"c:\\books\\first.txt", "second", "third"});
    auto reader = opened(kBookMarks, false);
    EXPECT_EQ(std::tuple(reader.readInteger("Count"), reader.readString("0"), reader.readString("2"),
                         reader.readString("5")),
              std::tuple(2, "c:\\books\\first.txt", "third", "older entry beyond the count"));
    r.writeStringList({});
    ASSERT_TRUE(reader.openKey(kBookMarks, false));
    EXPECT_EQ(reader.readInteger("Count"), -1);

    // Replaced, the key loses the stray value and the key below it, and stays open on the new list.
    r.writeStringList({"a", "b", "c"});
    r.createKey(kBookMarks + "\\Below");
    r.replaceKeyWithStringList(kBookMarks, {"a", "c"});
    EXPECT_EQ(r.readString("1"), "c");
    ASSERT_TRUE(reader.openKey(kBookMarks, false));
    auto names = reader.valueNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"0", "1", "Count"}));
    EXPECT_EQ(std::pair(reader.readInteger("Count"), reader.readString("0")), std::pair(1, std::string("a")));
    EXPECT_FALSE(reader.keyExists(kBookMarks + "\\Below"));
    r.replaceKeyWithStringList(kBookMarks, {});
    ASSERT_TRUE(reader.openKey(kBookMarks, false));
    EXPECT_EQ(reader.valueNames(), std::vector<std::string>{"Count"});
    EXPECT_EQ(reader.readInteger("Count"), -1);

    // A missing key is created; a path that names no key is refused; a deleted open key takes no list.
    ASSERT_TRUE(r.deleteKey("Software\\Lirra Reader"));
    r.replaceKeyWithStringList(kBookMarks, {"only"});
    ASSERT_TRUE(reader.openKey(kBookMarks, false));
    EXPECT_EQ(reader.readString("0"), "only");
    EXPECT_EQ(errorText([&] { r.replaceKeyWithStringList("Software\\\\Lirra", {"x"}); }),
              "Failed to create key Software\\\\Lirra");
    ASSERT_TRUE(r.deleteKey("Software\\Lirra Reader"));
    EXPECT_EQ(errorText([&] { r.writeStringList({"x"}); }), "Failed to set data for 'Count'");
}

TEST_F(RegistryTest, TypesThisProgramDoesNotWriteAreReadAndKeptAsStored)
{
    const std::string folderValue = "\"Folder\"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,5c,00,1a,04,3d,04,";
    writeFile(hive, "REGEDIT4\r\n\r\n; written by hand\r\n[HKEY_CURRENT_USER\\Software\\Lirra Reader\\Options]\r\n"
                        + folderValue + "\\\r\n  38,04,33,04,38,04,00,00\r\n\"Blob\"=hex:01,02,ff\r\n"
                        "\"Big\"=hex(b):01,00,00,00,00,00,00,00\r\n@=\"default\"\r\n"
                        "\"Quoted\"=\"say \\\"hi\\\" C:\\\\dos\"\r\n");
    auto r = opened(kOptions, false);
    EXPECT_EQ(std::tuple(r.readString("Folder"), r.readString(""), r.readString("Quoted")),
              std::tuple("%HOME%\\Книги", "default", "say \"hi\" C:\\dos"));
    EXPECT_EQ(errorText([&] { r.readString("Blob"); }), "Invalid data type for 'Blob'");
    EXPECT_EQ(errorText([&] { r.readInteger("Big"); }), "Invalid data type for 'Big'");

    r.writeInteger("FontSize", 13);
    for (const std::string& line : {folderValue + "38,04,33,\\\n  04,38,04,00,00\n", std::string("\"Blob\"=hex:01,02,ff\n"),
                                    std::string("\"Big\"=hex(b):01,00,00,00,00,00,00,00\n"), std::string("@=\"default\"\n")})
        EXPECT_TRUE(hiveHas(line)) << line;
    ASSERT_TRUE(r.openKey(kOptions, false));
    EXPECT_EQ(r.readString("Folder"), "%HOME%\\Книги");
}

TEST_F(RegistryTest, ADamagedFileIsKeptAsideReportedOnceAndNeverOverwritten)
{
    const std::string damaged = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Lirra Reader\\Options]\n\"FontSize\"=dword:zz\n";
    writeFile(hive, damaged);
    auto r = registry();
    EXPECT_FALSE(r.keyExists(kOptions) || r.openKey(kOptions, false));
    ASSERT_TRUE(r.openKey(kOptions, true));
    r.writeInteger("FontSize", 20);
    expectReport(hive + " is damaged");
    expectReport(hive + ".damaged");
    EXPECT_EQ(readFile(hive + ".damaged"), damaged);
    EXPECT_TRUE(registry().openKey(kOptions, false));

    // A second damaged file does not replace the first one kept aside.
    writeFile(hive, "garbage");
    EXPECT_FALSE(registry().keyExists(kOptions));
    EXPECT_EQ(std::pair(readFile(hive + ".damaged"), readFile(hive + ".damaged.1")),
              std::pair(damaged, std::string("garbage")));
    EXPECT_EQ(reports.size(), 1u);

    // Every kind of broken text counts as damage.
    const std::string key = "REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n";
    for (const std::string& broken : {
             std::string(), std::string("REGEDIT5\n"), std::string("REGEDIT4\n\"FontSize\"=dword:00000001\n"),
             std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n"),
             std::string("REGEDIT4\n[HKEY_CURRENT_USER\\Software\n"),
             key + "\"Name\"=\"unterminated\n", key + "\"Name\"=\"x\" tail\n", key + "\"Name\"=dword:123456789\n",
             key + "\"Name\"=hex:01,,02\n", key + "\"Name\"=hex:01,\\\n", key + "Name=1\n"}) {
        ScratchFolder own;
        writeFile(own / "registry.reg", broken);
        EXPECT_FALSE(Registry(own / "registry.reg").keyExists("Software")) << broken;
        EXPECT_EQ(readFile(own / "registry.reg.damaged"), broken);
    }
}

TEST_F(RegistryTest, KeysNestedDeeperThanWindowsAllowsAreDamage)
{
    std::string deep = "Software";
    for (int i = 0; i < 400000; ++i)
        deep += "\\k";
    const std::string damaged = "REGEDIT4\n[HKEY_CURRENT_USER\\" + deep + "]\n";
    writeFile(hive, damaged);
    EXPECT_FALSE(registry().keyExists("Software"));
    EXPECT_EQ(readFile(hive + ".damaged"), damaged);
    expectReport("an invalid key name");

    // 512 levels below the root are allowed, one more is not.
    const std::string path = deep.substr(0, std::string("Software").size() + 2 * 511);
    auto r = registry();
    r.createKey(path);
    EXPECT_TRUE(registry().keyExists(path));
    EXPECT_EQ(errorText([&] { r.createKey(path + "\\k"); }), "Failed to create key " + path + "\\k");
}

TEST(HiveTree, SiblingsStayFoundByNameAfterOneOfThemIsRemoved)
{
    namespace hive = lirra::platform::hive;
    hive::Key root;
    for (const char* name : {"A", "B", "C", "D", "E"})
        hive::createKey(root, {"Software", name}).first->setValue(hive::dwordValue("Name", name[0]));
    EXPECT_FALSE(hive::createKey(root, {"software", "c"}).second);
    ASSERT_TRUE(hive::removeKey(root, {"Software", "b"}));
    EXPECT_FALSE(hive::removeKey(root, {"Software", "B"}));
    for (const char* name : {"a", "c", "d", "e"}) {
        const auto* key = hive::findKey(root, {"SOFTWARE", name});
        ASSERT_TRUE(key) << name;
        EXPECT_EQ(hive::dwordOf(*key->findValue("name")), static_cast<std::uint32_t>(std::toupper(name[0]))) << name;
    }
    EXPECT_FALSE(hive::findKey(root, {"Software", "B"}));
    hive::createKey(root, {"Software", "B"});
    std::string order;
    for (const auto& key : hive::findKey(root, {"Software"})->subkeys)
        order += key.name;
    EXPECT_EQ(order, "ACDEB");
}

TEST_F(RegistryTest, FilesAndFoldersArePrivateAndFollowTheEnvironment)
{
    const std::string saved = std::getenv("LIRRA_REGISTRY") ? std::getenv("LIRRA_REGISTRY") : "";
    ::unsetenv("LIRRA_REGISTRY");
    ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    const std::string expected = folder / "config/lirra-reader/registry.reg";
    EXPECT_EQ(Registry::defaultHivePath(), expected);
    EXPECT_TRUE(Registry().openKey(kOptions, true));
    ::setenv("LIRRA_REGISTRY", hive.c_str(), 1);
    EXPECT_EQ(Registry::defaultHivePath(), hive);
    saved.empty() ? ::unsetenv("LIRRA_REGISTRY") : ::setenv("LIRRA_REGISTRY", saved.c_str(), 1);
    EXPECT_EQ(std::tuple(modeOf(folder / "config/lirra-reader"), modeOf(expected), modeOf(expected + ".lock")),
              std::tuple(0700u, 0600u, 0600u));
}

// --- the file is the user's ---

TEST_F(RegistryTest, AHiveThatIsALinkIsWrittenThroughToItsTarget)
{
    std::filesystem::create_directory(folder / "dotfiles");
    const std::string target = folder / "dotfiles/lirra.reg";
    writeFile(target, "REGEDIT4\n");
    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
    ASSERT_EQ(::symlink("dotfiles/lirra.reg", hive.c_str()), 0);
    opened(kOptions).writeInteger("FontSize", 13);
    EXPECT_TRUE(std::filesystem::is_symlink(hive));
    EXPECT_NE(readFile(target).find("\"FontSize\"=dword:0000000d"), std::string::npos);
    EXPECT_EQ(modeOf(target), 0644u);

    // Damaged, the target is kept aside; the next change makes a new target.
    writeFile(target, "garbage");
    EXPECT_FALSE(registry().keyExists(kOptions));
    EXPECT_EQ(readFile(target + ".damaged"), "garbage");
    registry().createKey(kOptions);
    EXPECT_TRUE(std::filesystem::is_symlink(hive) && registry().keyExists(kOptions));
}

// Anything but a regular file may never end or never open (a pipe waits for a writer);
// a file over the limit is not a settings file of this program.
TEST_F(RegistryTest, AHiveThatIsNoRegularFileOrTooLargeIsRefusedAndLeftAsItIs)
{
    namespace fs = std::filesystem;
    const std::string pipe = folder / "pipe", zero = folder / "zero", dir = folder / "dir", large = folder / "large";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", zero);
    fs::create_directory(dir);
    writeFile(large, "REGEDIT4\n");
    fs::resize_file(large, lirra::platform::hive::kMaxHiveBytes + 1);
    // Should opening the pipe wait for a writer, writers come after 3 s: the test fails, not hangs.
    std::atomic<bool> waited = false;
    std::jthread writer([&waited, pipe](std::stop_token stop) {
        for (int i = 0; !stop.stop_requested(); ++i) {
            ::usleep(100000);
            if (const int fd = i >= 30 ? ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK) : -1; fd >= 0)
                waited = ::close(fd) == 0;
        }
    });
    for (const auto& [path, why] : {std::pair{pipe, "it is a named pipe, not a regular file"},
                                    {zero, "it is a device, not a regular file"},
                                    {dir, "it is a folder, not a regular file"}, {large, "it is larger than 64 MB"}}) {
        reports.clear();
        SetUp(); // each reporter is told once
        struct stat before, after;
        ASSERT_EQ(::lstat(path.c_str(), &before), 0);
        Registry r(path);
        EXPECT_FALSE(r.keyExists("Software")) << path;
        EXPECT_FALSE(r.openKey(kOptions, true)) << path;
        EXPECT_EQ(errorText([&] { r.writeValues(kOptions, {{"FontSize", 20}}); }), "Failed to create key " + kOptions);
        expectReport(path + " is not read: " + why + ". Lirra Reader starts with its default settings");
        ASSERT_EQ(::lstat(path.c_str(), &after), 0);
        EXPECT_EQ(std::tie(after.st_ino, after.st_mode, after.st_size, after.st_mtim.tv_nsec),
                  std::tie(before.st_ino, before.st_mode, before.st_size, before.st_mtim.tv_nsec)) << path;
        EXPECT_FALSE(fs::exists(path + ".damaged")) << path;
    }
    EXPECT_FALSE(waited) << "opening the pipe waited for a writer";
    // At the limit the file is read (and, all NULs after its first line, found damaged).
    fs::resize_file(large, lirra::platform::hive::kMaxHiveBytes);
    EXPECT_FALSE(Registry(large).keyExists("Software"));
    EXPECT_TRUE(fs::exists(large + ".damaged"));
}

// Also for root, whom permission bits do not stop: a file without any write
// permission was made read-only on purpose.
TEST_F(RegistryTest, AReadOnlyHiveIsNeverReplaced)
{
    auto r = opened(kOptions);
    r.writeInteger("FontSize", 13);
    ASSERT_EQ(::chmod(hive.c_str(), 0444), 0);
    const auto before = readFile(hive);
    struct stat old, now;
    ASSERT_EQ(::stat(hive.c_str(), &old), 0);

    EXPECT_EQ(errorText([&] { r.writeInteger("FontSize", 20); }), "Failed to set data for 'FontSize'");
    EXPECT_EQ(errorText([&] { r.writeValues(kOptions, {{"FontSize", 20}, {"WordWrap", 1}}); }),
              "Failed to set data for 'FontSize'");
    EXPECT_EQ(errorText([&] { r.createKey("Software\\Lirra Reader\\History"); }),
              "Failed to create key Software\\Lirra Reader\\History");
    EXPECT_TRUE(r.openKey(kOptions, true)); // nothing to change: no failure
    EXPECT_EQ(r.readInteger("FontSize"), 13);
    ASSERT_EQ(::stat(hive.c_str(), &now), 0);
    EXPECT_EQ(std::pair(now.st_ino, readFile(hive)), std::pair(old.st_ino, before));

    // Damaged and read-only, it is reported but stays where it is.
    ASSERT_EQ(::chmod(hive.c_str(), 0644), 0);
    writeFile(hive, "garbage");
    ASSERT_EQ(::chmod(hive.c_str(), 0444), 0);
    EXPECT_FALSE(registry().keyExists(kOptions));
    EXPECT_EQ(readFile(hive), "garbage");
    EXPECT_FALSE(std::filesystem::exists(hive + ".damaged"));
    expectReport("it is read-only");
}

// --- several processes on one hive ---

// A child process writing values "0".."count-1", each in its own change.
pid_t forkWriter(const std::string& hive, const std::string& key, int count)
{
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    try {
        Registry r(hive);
        for (int i = 0; i < count; ++i) {
            if (!r.openKey(key, true))
                std::_Exit(2);
            r.writeInteger(std::to_string(i), i);
            r.closeKey();
        }
    } catch (...) {
        std::_Exit(3);
    }
    std::_Exit(0);
}

int valuesPresent(const std::string& hive, const std::string& key, int upTo)
{
    Registry r(hive);
    int n = 0;
    if (r.openKey(key, false))
        while (n < upTo && r.valueExists(std::to_string(n)))
            ++n;
    return n;
}

// Two writers at once lose nothing; one killed mid-way leaves a readable hive.
TEST_F(RegistryTest, WritersAtOnceLoseNothingAndAKilledOneLeavesAReadableHive)
{
    constexpr int kWrites = 200, kEndless = 1000000;
    const std::string lirra = "Software\\Lirra Reader\\", a = lirra + "A", b = lirra + "B", killed = lirra + "K";
    for (pid_t pid : {forkWriter(hive, a, kWrites), forkWriter(hive, b, kWrites)}) {
        int status = 0;
        ASSERT_GT(pid, 0);
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    const pid_t victim = forkWriter(hive, killed, kEndless);
    ASSERT_GT(victim, 0);
    while (valuesPresent(hive, killed, 100) < 100)
        ::usleep(1000);
    ::kill(victim, SIGKILL);
    ::waitpid(victim, nullptr, 0);
    EXPECT_EQ(std::pair(valuesPresent(hive, a, kWrites), valuesPresent(hive, b, kWrites)), std::pair(kWrites, kWrites));
    const int written = valuesPresent(hive, killed, kEndless);
    EXPECT_GE(written, 100);

    // What a writer dead before its rename leaves is never read, and goes with the next change.
    const std::string stray = hive + ".tmp.Ab12Cd";
    writeFile(stray, "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Lirra Reader\\K]\n\"FontSi");
    opened(killed, false).writeInteger("after", 1);
    EXPECT_EQ(valuesPresent(hive, killed, kEndless), written);
    EXPECT_FALSE(std::filesystem::exists(stray));
    EXPECT_TRUE(reports.empty());
    EXPECT_FALSE(std::filesystem::exists(hive + ".damaged"));
}

// While one process replaces a list again and again, another never finds the key
// missing or a list shorter than its "Count".
TEST_F(RegistryTest, AReplacedListIsNeverSeenMissingOrHalfWritten)
{
    registry().replaceKeyWithStringList(kBookMarks, {"a", "b", "c"});
    const pid_t watcher = ::fork();
    if (watcher == 0) {
        Registry r(hive);
        for (int look = 0; look < 400; ++look) {
            if (!r.openKey(kBookMarks, false))
                std::_Exit(2);
            for (int i = 0; i <= r.readInteger("Count"); ++i)
                if (r.readString(std::to_string(i)).empty())
                    std::_Exit(3);
        }
        std::_Exit(0);
    }
    ASSERT_GT(watcher, 0);
    auto r = registry();
    int status = 0;
    for (int round = 0; ::waitpid(watcher, &status, WNOHANG) == 0; ++round)
        r.replaceKeyWithStringList(kBookMarks, round % 2 ? std::vector<std::string>{"a", "b", "c"}
                                                         : std::vector<std::string>{"x"});
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

} // namespace
