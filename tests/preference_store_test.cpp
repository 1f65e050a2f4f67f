#include "settings/preference_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "settings/number_text.h"
#include "settings/preference_document.h"
#include "tests/doubles/failing_file_ops.h"
#include "tests/support/temp_directory.h"

namespace glimmora {
namespace {

struct FileCase {
  const char* name;
  std::optional<std::string> before;  // nothing: the file does not exist
  std::function<void()> actions;      // between OpenPreferences and ClosePreferences
  std::optional<std::string> after;   // nothing: the file must not exist
};

void NoActions() {}

TEST(PreferenceStoreTest, FilesBytesInAndOut) {
  const std::string handWritten = "; settings\r\n\r\n  Level=12  \n;no space\n\tStep =3\n\n";
  const FileCase cases[] = {
      {"unmodified hand-written file stays byte for byte", handWritten, [] { EXPECT_EQ(ReadText("Level", "x"), "12"); },
       handWritten},
      {"one write normalises every line", handWritten, [] { WriteText("Bright", "1"); },
       "; settings\r\nLevel = 12  \r\n; no space\r\nStep = 3\r\nBright = 1\r\n"},
      {"lower-case key found and rewritten in the caller's case", "level=4\r\n",
       [] {
         EXPECT_EQ(ReadInteger("Level", 9), 4);
         WriteText("Level", "5");
       },
       "Level = 5\r\n"},
      {"second duplicate never read but written back", "a=1\r\nA=2\r\n",
       [] {
         EXPECT_EQ(ReadText("a", ""), "1");
         WriteText("a", "3");
       },
       "a = 3\r\nA = 2\r\n"},
      {"empty value reads 0 and empty text, never the default", "Level=\r\nStep\r\n",
       [] {
         EXPECT_EQ(ReadInteger("Level", 7), 0);
         EXPECT_EQ(ReadText("Level", "d"), "");
         EXPECT_EQ(ReadInteger("Step", 7), 0);
         EXPECT_EQ(ReadInteger("Absent", 7), 7);
         EXPECT_EQ(ReadText("Absent", "d"), "d");
       },
       "Level=\r\nStep\r\n"},
      {"group with inner spaces is another group; lower-case header matches",
       "[ MainWin ]\r\nac=spaced\r\n[mainwin]\r\nac=lower\r\n",
       [] {
         EXPECT_TRUE(SelectGroup("MainWin"));
         EXPECT_EQ(ReadText("ac", ""), "lower");
         EXPECT_TRUE(SelectGroup(" MainWin "));
         EXPECT_EQ(ReadText("AC", ""), "spaced");
         EXPECT_TRUE(SelectGroup(""));
         EXPECT_EQ(ReadText("ac", "top"), "top");
       },
       "[ MainWin ]\r\nac=spaced\r\n[mainwin]\r\nac=lower\r\n"},
      {"key written to a file that begins with a header becomes the first line", "[g]\r\nk=1\r\n",
       [] { WriteText("Top", "1"); }, "Top = 1\r\n[g]\r\nk = 1\r\n"},
      {"new key goes to the end of its group's section", "a=1\r\n[g]\r\nk=1\r\n[h]\r\n",
       [] {
         SelectGroup("G");
         WriteText("n", "2");
         SelectGroup("");
         WriteText("b", "3");
       },
       "a = 1\r\nb = 3\r\n[g]\r\nk = 1\r\nn = 2\r\n[h]\r\n"},
      {"pending group read finds nothing, first write appends it", "a=1\r\n",
       [] {
         EXPECT_FALSE(SelectGroup("New"));
         EXPECT_EQ(ReadText("a", "none"), "none");
         WriteText("k", "v");
         WriteText("k2", "w");
       },
       "a = 1\r\n[New]\r\nk = v\r\nk2 = w\r\n"},
      {"missing file with no write is not created", std::nullopt, NoActions, std::nullopt},
      {"missing file with one write holds one line", std::nullopt, [] { WriteInteger("X_form", -5); },
       "X_form = -5\r\n"},
      {"header without closing bracket and text after it", "[abc\r\n[g] tail\r\nk=1\r\n",
       [] {
         EXPECT_TRUE(SelectGroup("abc"));
         EXPECT_TRUE(SelectGroup("g"));
         EXPECT_EQ(ReadText("k", ""), "1");
       },
       "[abc\r\n[g] tail\r\nk=1\r\n"},
      {"value trims for reading, keeps trailing blanks in the file", "k =  12 \t\r\n",
       [] {
         EXPECT_EQ(ReadText("k", ""), "12");
         WriteText("other", "");
       },
       "k = 12 \t\r\nother = \r\n"},
      {"UTF-8 file: mark and empty line, Latin-1 mapping both ways", "\xEF\xBB\xBFname=\xC3\xA9\xE2\x82\xAC\n",
       [] {
         EXPECT_EQ(ReadText("name", ""), "\xE9?");
         WriteText("t\xE9", "\xCD\xE5\xF2");
         EXPECT_EQ(ReadText("T\xE9", ""), "\xCD\xE5\xF2");
       },
       "\xEF\xBB\xBF\r\nname = \xC3\xA9\xE2\x82\xAC\r\nt\xC3\xA9 = \xC3\x8D\xC3\xA5\xC3\xB2\r\n"},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempWorkingDirectory dir;
    if (c.before) WriteFileBytes("f.dat", *c.before);
    EXPECT_EQ(OpenPreferences("f.dat"), c.before.has_value());
    c.actions();
    ClosePreferences();
    EXPECT_EQ(ReadFileBytes("f.dat"), c.after);
    // Nothing but the file itself is left in the directory (no temporary files).
    int count = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++count;
    EXPECT_EQ(count, c.after ? 1 : 0);
  }
}

TEST(PreferenceStoreTest, UnicodeFileReadsBackTheSameEntriesAfterWriting) {
  TempWorkingDirectory dir;
  WriteFileBytes("l.lng", "\xEF\xBB\xBF[MainWin]\r\nac1=\xC3\xBF x\r\n");
  OpenPreferences("l.lng");
  SelectGroup("mainwin");
  WriteText("ac2", "\xFF");
  ClosePreferences();
  OpenPreferences("l.lng");
  SelectGroup("MainWin");
  EXPECT_EQ(ReadText("ac1", ""), "\xFF x");
  EXPECT_EQ(ReadText("ac2", ""), "\xFF");
  ClosePreferences();
}

TEST(PreferenceStoreTest, OpeningAnotherFileWritesBackTheFirst) {
  TempWorkingDirectory dir;
  OpenPreferences("a.dat");
  WriteText("k", "1");
  EXPECT_FALSE(OpenPreferences("b.dat"));
  ClosePreferences();
  EXPECT_EQ(ReadFileBytes("a.dat"), "k = 1\r\n");
  EXPECT_FALSE(std::filesystem::exists("b.dat"));
  // With no file open, reads give the defaults and writes go nowhere.
  WriteText("k", "2");
  EXPECT_EQ(ReadInteger("k", 3), 3);
}

// Another opener holds the file for writing: the store reads it, and its own writes are
// dropped at close instead of clobbering the other's work.
TEST(PreferenceStoreTest, FileHeldByAnotherOpenerIsReadAndNeverWritten) {
  TempWorkingDirectory dir;
  WriteFileBytes("setting.dat", "Level=7\r\n");
  const int holder = ::open("setting.dat", O_RDWR);
  ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
  EXPECT_TRUE(OpenPreferences("setting.dat"));
  EXPECT_EQ(ReadInteger("Level", 0), 7);
  WriteText("Level", "8");
  ClosePreferences();
  ::close(holder);
  EXPECT_EQ(ReadFileBytes("setting.dat"), "Level=7\r\n");

  // The same between two threads of this process: the second opener only reads.
  OpenPreferences("setting.dat");
  WriteText("Level", "9");
  std::thread other([] {
    EXPECT_TRUE(OpenPreferences("setting.dat"));
    EXPECT_EQ(ReadInteger("Level", 0), 7);
    WriteText("Step", "1");
    ClosePreferences();
  });
  other.join();
  ClosePreferences();
  EXPECT_EQ(ReadFileBytes("setting.dat"), "Level = 9\r\n");
}

TEST(PreferenceStoreTest, EachThreadHasItsOwnOpenFile) {
  TempWorkingDirectory dir;
  WriteFileBytes("a.dat", "k=a\r\n");
  WriteFileBytes("b.dat", "k=b\r\n");
  OpenPreferences("a.dat");
  std::thread other([] {
    EXPECT_EQ(ReadText("k", "none"), "none");
    OpenPreferences("b.dat");
    EXPECT_EQ(ReadText("k", ""), "b");
    ClosePreferences();
  });
  other.join();
  EXPECT_EQ(ReadText("k", ""), "a");
  ClosePreferences();
}

TEST(PreferenceStoreTest, WriteBackKeepsPermissionsAndSymbolicLinks) {
  TempWorkingDirectory dir;
  std::filesystem::create_directory("store");
  WriteFileBytes("store/real.dat", "a=1\r\n");
  ::chmod("store/real.dat", 0640);
  std::filesystem::create_symlink("store/real.dat", "setting.dat");
  OpenPreferences("setting.dat");
  WriteText("a", "2");
  ClosePreferences();
  EXPECT_TRUE(std::filesystem::is_symlink("setting.dat"));
  EXPECT_EQ(ReadFileBytes("store/real.dat"), "a = 2\r\n");
  struct stat st {};
  ASSERT_EQ(::stat("store/real.dat", &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("store"), std::filesystem::directory_iterator()), 1);
}

// A write-back cut short at any step (full disk, failed flush, crash before the rename)
// leaves the old file byte for byte and no temporary file behind.
TEST(PreferenceStoreTest, InterruptedWriteBackLeavesTheOldFile) {
  const std::string original = "; mine\r\nLevel=12\r\nPID=$5DF\r\n";
  for (auto step : {FailingFileOps::Step::Write, FailingFileOps::Step::Sync, FailingFileOps::Step::Rename}) {
    SCOPED_TRACE(static_cast<int>(step));
    TempWorkingDirectory dir;
    WriteFileBytes("setting.dat", original);
    FailingFileOps ops(step);
    UsePreferenceFileOps(&ops);
    OpenPreferences("setting.dat");
    WriteText("Level", "30");
    ClosePreferences();
    UsePreferenceFileOps(nullptr);
    EXPECT_EQ(ReadFileBytes("setting.dat"), original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);
    // The next write-back works again.
    OpenPreferences("setting.dat");
    WriteText("Level", "31");
    ClosePreferences();
    EXPECT_EQ(ReadFileBytes("setting.dat"), "; mine\r\nLevel = 31\r\nPID = $5DF\r\n");
  }
}

TEST(NumberTextTest, TextToNumber) {
  const struct {
    const char* text;
    std::int64_t number;
  } cases[] = {
      {"12abc", 12},
      {"  \t-7", -7},
      {"+8", 8},
      {"$1F", 31},
      {"-$ff", -255},
      {"%101", 5},
      {"%102", 2},
      {"", 0},
      {"\xCD\xE5\xF2", 0},
      {"0x1F", 0},
      {"$", 0},
      {"- 5", 0},
      {" 12 ", 12},
      {"4294967297", 4294967297},
      {"-2147483649", -2147483649},
      {"9223372036854775807", 9223372036854775807},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToNumber(c.text), c.number) << c.text;
  EXPECT_EQ(LowWord(TextToNumber("4294967297")), 1);
  EXPECT_EQ(LowWord(TextToNumber("$FFFFFFFF")), -1);
}

TEST(NumberTextTest, NumberToText) {
  EXPECT_EQ(NumberToText(0), "0");
  EXPECT_EQ(NumberToText(-42), "-42");
  EXPECT_EQ(NumberToText(16711680), "16711680");
  EXPECT_EQ(NumberToText(INT64_MIN), "-9223372036854775808");
}

TEST(NumberTextTest, ReadIntegerFollowsTheCLibraryRule) {
  TempWorkingDirectory dir;
  WriteFileBytes("n.dat",
                 "a=12abc\r\nb=  -7\r\nc=$1F\r\nd=%101\r\ne=\r\nf=\xCD\xE5\xF2\r\ng=0x1F\r\n"
                 "h=4294967297\r\ni=-4294967297\r\nj=+3\r\n");
  OpenPreferences("n.dat");
  const struct {
    const char* key;
    std::int32_t value;
  } cases[] = {
      {"a", 12}, {"b", -7}, {"c", 0}, {"d", 0}, {"e", 0}, {"f", 0}, {"g", 0}, {"h", 2147483647}, {"i", -2147483647 - 1},
      {"j", 3}};
  for (const auto& c : cases) EXPECT_EQ(ReadInteger(c.key, 99), c.value) << c.key;
  ClosePreferences();
}

// Random files made of the format's significant characters: parsing never fails or hangs,
// and writing the entries and parsing them again gives the same entries.
TEST(PreferenceDocumentTest, SeededRandomFilesSurviveParseWriteParse) {
  const std::string alphabet = " \t\r\n;[]=abAB$%-01\xEF\xBB\xBF\xC3\xA9\xCD";
  std::mt19937 random(20261210);
  for (int round = 0; round < 20000; ++round) {
    std::string bytes(random() % 80, ' ');
    for (char& c : bytes) c = alphabet[random() % alphabet.size()];
    if (round % 7 == 0) bytes.insert(0, "\xEF\xBB\xBF");
    const PreferenceDocument first = PreferenceDocument::Parse(bytes);
    const PreferenceDocument second = PreferenceDocument::Parse(first.Serialize());
    ASSERT_EQ(second.Entries(), first.Entries()) << testing::PrintToString(bytes);
    ASSERT_EQ(second.Utf8(), first.Utf8());
    // Writing and reading through the document is just as stable.
    PreferenceDocument doc = first;
    doc.SelectGroup(round % 3 == 0 ? "a" : "");
    doc.Write("b", "x");
    EXPECT_EQ(doc.Find("B"), std::optional<std::string>("x"));
  }
}

}  // namespace
}  // namespace glimmora
