// The XDG autostart entry: Exec runs exactly the program file whatever its path holds, the
// entry is replaced whole and removed again, the configuration directory follows
// $XDG_CONFIG_HOME or ~/.config, and failures change nothing.
#include "ui/autostart.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/temp_directory.h"

namespace glimmora {
namespace {

struct ExecCase {
  const char* program;
  const char* exec;  // the line as the file holds it
  const char* path;
};

TEST(AutostartDesktopEntry, ExecIsQuotedAndEscapedForEveryPath) {
  const ExecCase cases[] = {
      {"/opt/glimmora/glimmora", R"(Exec="/opt/glimmora/glimmora")", "Path=/opt/glimmora"},
      {"/home/u/My Lights/glimmora", R"(Exec="/home/u/My Lights/glimmora")", "Path=/home/u/My Lights"},
      {"/x/a\"b$c`d/glimmora", R"(Exec="/x/a\\"b\\$c\\`d/glimmora")", "Path=/x/a\"b$c`d"},
      {"/x/100%/glimmora", R"(Exec="/x/100%%/glimmora")", "Path=/x/100%"},
      {"/x/back\\slash/glimmora", R"(Exec="/x/back\\\\slash/glimmora")", R"(Path=/x/back\\slash)"},
  };
  for (const ExecCase& c : cases) {
    const std::string entry = AutostartDesktopEntry("Glimmora", c.program);
    EXPECT_EQ(entry.rfind("[Desktop Entry]\nType=Application\nName=Glimmora\n", 0), 0u) << entry;
    EXPECT_NE(entry.find(std::string("\n") + c.exec + "\n"), std::string::npos) << c.program << "\n" << entry;
    EXPECT_NE(entry.find(std::string("\n") + c.path + "\n"), std::string::npos) << c.program << "\n" << entry;
  }
}

class AutostartTest : public ::testing::Test {
 protected:
  std::optional<std::string> Entry(const std::string& config) const {
    return ReadFileBytes(config + "/autostart/Glimmora.desktop");
  }
  static int FilesIn(const std::string& directory) {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory)) ++n;
    return n;
  }

  TempWorkingDirectory folder_;
  std::string config_ = folder_.Path() + "config";
};

TEST_F(AutostartTest, AddingTwiceKeepsOneEntryOfTheLastProgramAndRemovingDeletesIt) {
  SetAutostartEntry(config_, 1, "Glimmora", "/old/place/glimmora");
  SetAutostartEntry(config_, 1, "Glimmora", "/new/place/glimmora");
  ASSERT_TRUE(Entry(config_));
  EXPECT_EQ(*Entry(config_), AutostartDesktopEntry("Glimmora", "/new/place/glimmora"));
  EXPECT_EQ(FilesIn(config_ + "/autostart"), 1) << "no temporary file is left behind";
  struct stat info {};
  ASSERT_EQ(stat((config_ + "/autostart/Glimmora.desktop").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);

  SetAutostartEntry(config_, 0, "Glimmora", "/new/place/glimmora");
  EXPECT_FALSE(Entry(config_));
  SetAutostartEntry(config_, 0, "Glimmora", "/new/place/glimmora");  // nothing to remove
  EXPECT_EQ(FilesIn(config_ + "/autostart"), 0);
}

TEST_F(AutostartTest, AnAutostartPathThatIsAFileChangesNothing) {
  std::filesystem::create_directories(config_);
  WriteFileBytes(config_ + "/autostart", "not a directory");
  SetAutostartEntry(config_, 1, "Glimmora", "/opt/glimmora/glimmora");
  EXPECT_EQ(ReadFileBytes(config_ + "/autostart"), "not a directory");
}

TEST_F(AutostartTest, TheRunningProgramGoesIntoTheUsersConfigurationDirectory) {
  const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string home = folder_.Path() + "home";
  const std::string xdg = folder_.Path() + "xdg";
  struct EnvCase {
    const char* xdgConfigHome;  // nullptr: unset
    std::string expectedConfig;
  };
  const EnvCase cases[] = {
      {xdg.c_str(), xdg},
      {nullptr, home + "/.config"},
      {"relative/config", home + "/.config"},  // not absolute: ignored
  };
  const char* savedHome = std::getenv("HOME");
  const std::optional<std::string> previousHome = savedHome ? std::optional<std::string>(savedHome) : std::nullopt;
  setenv("HOME", home.c_str(), 1);
  for (const EnvCase& c : cases) {
    if (c.xdgConfigHome) {
      setenv("XDG_CONFIG_HOME", c.xdgConfigHome, 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
    SetAutostart(1, "Glimmora");
    EXPECT_EQ(Entry(c.expectedConfig), AutostartDesktopEntry("Glimmora", program)) << c.expectedConfig;
    SetAutostart(0, "Glimmora");
    EXPECT_FALSE(Entry(c.expectedConfig)) << c.expectedConfig;
  }
  unsetenv("XDG_CONFIG_HOME");
  if (previousHome) setenv("HOME", previousHome->c_str(), 1);
}

}  // namespace
}  // namespace glimmora
