// A write-back on a really full file system (a 64 KiB tmpfs in a private mount namespace)
// leaves the old file byte for byte. Needs the right to mount (root); skipped otherwise.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "settings/preference_store.h"
#include "tests/support/temp_directory.h"

namespace glimmora {
namespace {

enum ChildResult { kPassed = 0, kCannotMount = 10, kFileChanged = 11, kStrayFile = 12, kNoLaterWrite = 13 };

int RunOnFullDisk(const std::string& mountPoint) {
  if (::unshare(CLONE_NEWNS) != 0) return kCannotMount;
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return kCannotMount;
  if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) return kCannotMount;
  std::filesystem::current_path(mountPoint);
  const std::string original = "; kept\r\nLevel=12\r\n";
  WriteFileBytes("setting.dat", original);
  {
    // Fill every remaining block.
    std::ofstream filler("filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), block.size()) && filler.flush()) {
    }
  }
  OpenPreferences("setting.dat");
  for (int k = 0; k < 200; ++k) WriteText("key" + std::to_string(k), std::string(40, 'v'));
  ClosePreferences();
  if (ReadFileBytes("setting.dat") != original) return kFileChanged;
  int count = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(".")) ++count;
  if (count != 2) return kStrayFile;
  // With room again, the same write goes through.
  std::filesystem::remove("filler");
  OpenPreferences("setting.dat");
  WriteText("Level", "13");
  ClosePreferences();
  if (ReadFileBytes("setting.dat") != "; kept\r\nLevel = 13\r\n") return kNoLaterWrite;
  return kPassed;
}

TEST(PreferenceFullDiskTest, FullFileSystemLeavesTheOldFile) {
  TempWorkingDirectory dir;
  const std::string mountPoint = dir.Path() + "small";
  std::filesystem::create_directory(mountPoint);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(RunOnFullDisk(mountPoint));
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == kCannotMount) GTEST_SKIP() << "no right to mount a tmpfs";
  EXPECT_EQ(WEXITSTATUS(status), kPassed);
}

}  // namespace
}  // namespace glimmora
