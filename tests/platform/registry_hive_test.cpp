#include "platform/registry_hive.h"
#include "platform/registry_list.h"

#include "error_text.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <thread>
#include <tuple>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using lirra::platform::Registry;
using namespace std::string_literals;

namespace {

const std::string kOptions = "Software\\Lirra Reader\\Options";
const std::string kBookMarks = "Software\\Lirra Reader\\BookMarks";

// What any change of the file itself would change.
auto identity(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return std::tuple(info.st_ino, info.st_mode, info.st_size, info.st_mtim.tv_nsec);
}

class RegistryTest : public ::testing::Test {
protected:
    // Also between the steps of a test: each new reporter is told once.
    void SetUp() override
    {
        reports.clear();
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

// Texts and numbers a user may have come back as written; values of other types a user
// may have added by hand are read where they can be, and kept as they are.
TEST_F(RegistryTest, ValuesSurviveARoundTripInTheExportSpellingAndOtherTypesAreReadAndKeptAsStored)
{
    const std::string folderValue = "\"Folder\"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,5c,00,1a,04,3d,04,";
    writeFile(hive, "REGEDIT4\r\n\r\n; written by hand\r\n[HKEY_CURRENT_USER\\Software\\Lirra Reader\\Options]\r\n"
                        + folderValue + "\\\r\n  38,04,33,04,38,04,00,00\r\n\"Blob\"=hex:01,02,ff\r\n"
                        "\"Big\"=hex(b):01,00,00,00,00,00,00,00\r\n@=\"default\"\r\n"
                        "\"Quoted\"=\"say \\\"hi\\\" C:\\\\dos\"\r\n");
    auto writer = opened(kOptions, false);
    EXPECT_EQ(std::tuple(writer.readString("Folder"), writer.readString(""), writer.readString("Quoted")),
              std::tuple("%HOME%\\Книги", "default", "say \"hi\" C:\\dos"));
    EXPECT_EQ(errorText([&] { writer.readString("Blob"); }), "Invalid data type for 'Blob'");
    EXPECT_EQ(errorText([&] { writer.readInteger("Big"); }), "Invalid data type for 'Big'");

    const std::vector<std::string> texts = {
        "", "Courier New Cyr", "C:\\Books\\\"Война и мир\".txt", "a\\nb is not a line break, \\\\ nor \\\" an escape",
        "line one\nline two\r\nthree\rfour\n", "\ttabs\tand trailing blanks   ", "Кириллица, Ёё, ∑ and 😀",
        "ends with a backslash\\", "bytes that are no UTF-8: \xFF\xFE\x80 [\xC0]", std::string(10000, 'x') + "Ж",
    };
    const std::int32_t numbers[] = {0, 13, -1, INT32_MIN, INT32_MAX, static_cast<std::int32_t>(0x80000008)};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        writer.writeString("Text" + std::to_string(i), texts[i]);
        writer.writeInteger("N" + std::to_string(i), numbers[i % std::size(numbers)]);
    }
    auto reader = opened(kOptions, false);
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(std::pair(reader.readString("Text" + std::to_string(i)), reader.readInteger("N" + std::to_string(i))),
                  std::pair(texts[i], numbers[i % std::size(numbers)]));
    EXPECT_EQ(reader.readString("Folder"), "%HOME%\\Книги");
    for (const std::string& line : {"[HKEY_CURRENT_USER\\Software\\Lirra Reader\\Options]\n@=\"default\"\n"s,
                                    "\"Big\"=hex(b):01,00,00,00,00,00,00,00\n\"Blob\"=hex:01,02,ff\n"s,
                                    folderValue + "38,04,33,\\\n  04,38,04,00,00\n",
                                    "\"N1\"=dword:0000000d\n\"N2\"=dword:ffffffff\n"s, "\"N5\"=dword:80000008\n"s,
                                    "\"Text1\"=\"Courier New Cyr\"\n"s})
        EXPECT_TRUE(hiveHas(line)) << line;
}

TEST_F(RegistryTest, NamesIgnoreLetterCaseChangesOfOthersAreKeptAndFailuresCarryTheSystemTexts)
{
    auto r = opened("Software\\Lirra Reader\\Книги");
    r.writeInteger("FontSize", 1);
    r.writeInteger("FONTSIZE", 2);
    ASSERT_TRUE(r.openKey("software\\LIRRA READER\\книги", false));
    EXPECT_EQ(r.readInteger("fontsize"), 2);
    EXPECT_TRUE(hiveHas("[HKEY_CURRENT_USER\\Software\\Lirra Reader\\Книги]\n\"FontSize\"=dword:00000002\n"));

    // Several values in one change that creates the key and leaves it open; a text ends at its NUL.
    r.writeValues(kOptions, {{"FontSize", -1}, {"FontName", std::string("Arial\0Cyr", 9)}, {"fontsize", 13}});
    EXPECT_EQ(std::pair(r.readInteger("FontSize"), r.readString("FontName")), std::pair(13, std::string("Arial")));
    EXPECT_TRUE(hiveHas("\"FontSize\"=dword:0000000d\n"));

    // Deleting a key takes everything below it and nothing else: the open key made after it keeps its values.
    r.createKey("Software\\Lirra Reader\\History\\Deep\\Deeper");
    r.writeValues("Software\\Other", {{"Kept", 5}});
    EXPECT_TRUE(r.deleteKey("software\\lirra reader"));
    EXPECT_EQ(r.readInteger("Kept"), 5);
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

    // Failed reads and writes carry the system's texts, naming the value or key.
    ASSERT_TRUE(r.openKey(kOptions, false));
    r.writeString("FontName", "Arial Cyr");
    EXPECT_EQ(errorText([&] { r.readInteger("WordWrap"); }), "Failed to get data for 'WordWrap'");
    EXPECT_EQ(errorText([&] { r.readInteger("FontName"); }), "Invalid data type for 'FontName'");
    EXPECT_EQ(errorText([&] { r.readString("FontSize"); }), "Invalid data type for 'FontSize'");
    EXPECT_EQ(r.readString("Missing"), "");
    EXPECT_FALSE(r.valueExists("WordWrap"));

    // A failed open leaves the open key as it was; closing it leaves nothing to read.
    EXPECT_FALSE(r.openKey("Software\\Missing", false));
    EXPECT_EQ(r.readInteger("FontSize"), 10);
    r.closeKey();
    EXPECT_FALSE(r.valueExists("FontSize"));
    EXPECT_EQ(errorText([&] { r.readInteger("FontSize"); }), "Failed to get data for 'FontSize'");
    EXPECT_EQ(errorText([&] { r.writeInteger("NoKeyOpen", 1); }), "Failed to set data for 'NoKeyOpen'");

    // Failed creates name the key, failed writes the value.
    writeFile(folder / "not-a-folder", "x");
    Registry broken(folder / "not-a-folder/registry.reg");
    EXPECT_EQ(errorText([&] { broken.createKey(kOptions); }), "Failed to create key " + kOptions);
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

TEST_F(RegistryTest, AListIsCountAndNumberedValuesAReplacedKeyHoldsOnlyTheListAndDamageReadsByOneRule)
{
    auto r = opened(kBookMarks);
    r.writeString("5", "older entry beyond the count");
    r.writeStringList({"c:\\books\\first.txt", "second", "third"});
    auto reader = opened(kBookMarks, false);
    EXPECT_EQ(std::tuple(reader.readInteger("Count"), reader.readString("0"), reader.readString("2"),
                         reader.readString("5")),
              std::tuple(2, "c:\\books\\first.txt", "third", "older entry beyond the count"));

    // Replaced, the key loses the stray value and the key below it, and stays open on the new list.
    r.writeStringList({"a", "b", "c"});
    r.createKey(kBookMarks + "\\Below");
    r.replaceKeyWithStringList(kBookMarks, {"a", "c"});
    EXPECT_EQ(r.readString("1"), "c");
    ASSERT_TRUE(reader.openKey(kBookMarks, false));
    EXPECT_EQ(reader.valueNames(), (std::vector<std::string>{"0", "1", "Count"}));
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

    // Every list is read by one rule, so that a damaged list reads the same wherever it is stored.
    const auto all = lirra::platform::kWholeList;
    // The key's section as the hive file spells it (nullptr: no key), how many entries to read, and
    // what is read: whether there is a list, its entries and the first error.
    const std::tuple<const char*, std::size_t, bool, std::vector<std::string>, std::string> cases[] = {
        {nullptr, all, false, {}, ""},
        {"\"0\"=\"a\"\n", all, false, {}, ""},                                     // no "Count"
        {"\"Count\"=dword:ffffffff\n\"0\"=\"a\"\n", all, true, {}, ""},             // negative
        {"\"Count\"=dword:00000001\n\"0\"=\"a\"\n\"1\"=\"b\"\n\"2\"=\"left over\"\n", all, true, {"a", "b"}, ""},
        {"\"Count\"=dword:7fffffff\n\"2\"=\"c\"\n\"0\"=\"a\"\n\"00\"=\"x\"\n\"-1\"=\"x\"\n\"2000000000\"=\"z\"\n", all,
         true, {"a", "c", "z"}, ""},                                                // huge, gaps, odd names
        {"\"Count\"=\"abc\"\n\"1\"=\"b\"\n\"0\"=\"a\"\n", all, true, {"a", "b"}, "Invalid data type for 'Count'"},
        {"\"Count\"=dword:00000002\n\"0\"=\"a\"\n\"1\"=dword:00000005\n\"2\"=\"c\"\n", all, true, {"a", "c"},
         "Invalid data type for '1'"},
        {"\"Count\"=dword:00000002\n\"0\"=\"a\"\n\"1\"=hex:01\n\"2\"=dword:00000005\n", all, true, {"a"},
         "Invalid data type for '1'"},                                             // the first error is named
        {"\"Count\"=dword:00000003\n\"0\"=\"a\"\n\"1\"=\"b\"\n\"2\"=dword:00000005\n", 2, true, {"a", "b"}, ""},
        {"\"Count\"=hex(2):25,00,41,00,00,00\n\"0\"=hex(2):25,00,41,00,00,00\n", all, true, {"%A"},
         "Invalid data type for 'Count'"},
    };
    for (const auto& [values, limit, found, entries, error] : cases) {
        writeFile(hive, "REGEDIT4\n\n" + (values ? "[HKEY_CURRENT_USER\\" + kBookMarks + "]\n" + values : ""s));
        Registry fresh(hive);
        const auto list = lirra::platform::readStringList(fresh, kBookMarks, limit);
        EXPECT_EQ(std::tie(list.found, list.entries, list.error), std::tie(found, entries, error))
            << (values ? values : "(no key)");
    }
}

TEST_F(RegistryTest, ADamagedFileIsKeptAsideReportedOnceAndNeverOverwritten)
{
    const std::string damaged = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Lirra Reader\\Options]\n\"FontSize\"=dword:zz\n";
    writeFile(hive, damaged);
    auto r = registry();
    EXPECT_FALSE(r.keyExists(kOptions) || r.openKey(kOptions, false));
    ASSERT_TRUE(r.openKey(kOptions, true));
    r.writeInteger("FontSize", 20);
    expectReport(hive + " is damaged (line 3: a bad hexadecimal number). It was kept as " + hive + ".damaged and");
    EXPECT_EQ(readFile(hive + ".damaged"), damaged);
    EXPECT_TRUE(registry().openKey(kOptions, false));

    // A second damaged file does not replace the first one kept aside.
    writeFile(hive, "garbage");
    EXPECT_FALSE(registry().keyExists(kOptions));
    EXPECT_EQ(std::pair(readFile(hive + ".damaged"), readFile(hive + ".damaged.1")), std::pair(damaged, "garbage"s));
    EXPECT_EQ(reports.size(), 1u);

    // Every kind of broken text counts as damage, and the report says which. Keys nest at
    // most 512 deep below the root, as on Windows; reading far deeper must not recurse.
    std::string deep = "Software";
    for (int i = 0; i < 400000; ++i)
        deep += "\\k";
    const std::string key = "REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n";
    const std::pair<std::string, const char*> broken[] = {
        {"", "line 1: the file is empty"}, {"REGEDIT5\n", "line 1: the first line is not REGEDIT4"},
        {"REGEDIT4\n\"FontSize\"=dword:00000001\n", "line 2: a value before the first key"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n", "line 2: a key outside HKEY_CURRENT_USER"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\n", "line 2: a key line does not end with ']'"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\" + deep + "]\n", "line 2: an invalid key name"},
        {key + "\"Name\"=\"unterminated\n", "line 3: a string without its closing quote"},
        {key + "\"Name\"=\"x\" tail\n", "line 3: text after a closing quote"},
        {key + "\"Name\"=dword:123456789\n", "line 3: a bad hexadecimal number"},
        {key + "\"Name\"=hex:01,,02\n", "line 3: a bad hexadecimal number"},
        {key + "\"Name\"=hex:01,\\", "line 3: a hex list continued past the end of the file"},
        {key + "Name=1\n", "line 3: a name or string without its opening quote"},
    };
    for (const auto& [text, why] : broken) {
        SetUp();
        ScratchFolder own;
        writeFile(own / "registry.reg", text);
        EXPECT_FALSE(Registry(own / "registry.reg").keyExists("Software")) << text.substr(0, 80);
        EXPECT_EQ(readFile(own / "registry.reg.damaged"), text);
        expectReport(" is damaged ("s + why + ")");
    }

    // 512 levels below the root are allowed, one more is not.
    const std::string path = deep.substr(0, "Software"s.size() + 2 * 511);
    r.createKey(path);
    EXPECT_TRUE(registry().keyExists(path));
    EXPECT_EQ(errorText([&] { r.createKey(path + "\\k"); }), "Failed to create key " + path + "\\k");
}

// --- the file is the user's ---

TEST_F(RegistryTest, TheFileIsPrivateInTheConfigFolderAndALinkIsWrittenThroughToItsTarget)
{
    const auto modeOf = [](const std::string& path) { return std::get<1>(identity(path)) & 0777; };
    const std::string saved = std::getenv("LIRRA_REGISTRY") ? std::getenv("LIRRA_REGISTRY") : "";
    ::unsetenv("LIRRA_REGISTRY");
    ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    const std::string expected = folder / "config/lirra-reader/registry.reg";
    EXPECT_EQ(Registry::defaultHivePath(), expected);
    EXPECT_TRUE(Registry().openKey(kOptions, true));
    saved.empty() ? ::unsetenv("LIRRA_REGISTRY") : ::setenv("LIRRA_REGISTRY", saved.c_str(), 1);
    EXPECT_EQ(std::tuple(modeOf(folder / "config/lirra-reader"), modeOf(expected), modeOf(expected + ".lock")),
              std::tuple(0700u, 0600u, 0600u));

    // A hive that is a link is written through to its target.
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
        SetUp();
        const auto before = identity(path);
        Registry r(path);
        EXPECT_FALSE(r.openKey(kOptions, true)) << path;
        EXPECT_EQ(errorText([&] { r.writeValues(kOptions, {{"FontSize", 20}}); }), "Failed to create key " + kOptions);
        expectReport(path + " is not read: " + why + ". Lirra Reader starts with its default settings");
        EXPECT_EQ(identity(path), before) << path;
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
    const auto before = std::pair(identity(hive), readFile(hive));
    EXPECT_EQ(errorText([&] { r.writeInteger("FontSize", 20); }), "Failed to set data for 'FontSize'");
    EXPECT_TRUE(r.openKey(kOptions, true)); // nothing to change: no failure
    EXPECT_EQ(r.readInteger("FontSize"), 13);
    EXPECT_EQ(std::pair(identity(hive), readFile(hive)), before);

    // Damaged and read-only, it is reported but stays where it is.
    ASSERT_EQ(::chmod(hive.c_str(), 0644), 0);
    writeFile(hive, "garbage");
    ASSERT_EQ(::chmod(hive.c_str(), 0444), 0);
    EXPECT_FALSE(registry().keyExists(kOptions));
    EXPECT_EQ(readFile(hive), "garbage");
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

// Two writers at once lose nothing; one killed mid-way leaves a readable hive; a list
// replaced again and again is never seen missing or shorter than its "Count".
TEST_F(RegistryTest, WritersAtOnceLoseNothingAndReadersNeverSeeHalfAChange)
{
    constexpr int kWrites = 200, kEndless = 1000000;
    const std::string lirra = "Software\\Lirra Reader\\", a = lirra + "A", b = lirra + "B", killed = lirra + "K";
    for (pid_t pid : {forkWriter(hive, a, kWrites), forkWriter(hive, b, kWrites)}) {
        int status = 0;
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
