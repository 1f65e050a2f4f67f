// The preference store: open one preference file, read and write its keys, write it back.
// Every thread has its own open file (at most one); the operations act on the calling
// thread's file, so the main thread and the engine thread never share this state. Two
// openers of the same file (threads or processes) are kept apart by an advisory lock: the
// one that holds it may write back, a later one reads and its writes are dropped at close.
//
// Write-back never rewrites the file in place: the new content goes to a temporary file in
// the same directory (beside a symbolic link's target), is flushed, takes the old file's
// permissions and is renamed over the old file, so the file is always either the old or the
// new content. A write that fails leaves the old file as it was and loses only that change.
//
// Thread: any thread; each thread only sees its own open file.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace glimmora {

// True when the file exists and could be opened. Closes (and writes back) the file this
// thread had open first. A missing file is remembered: writes create it at close.
bool OpenPreferences(std::string_view fileName);
// Empty name: the top section. False when the group is missing (it becomes pending).
bool SelectGroup(std::string_view group);
// The key's value in the current section without leading/trailing spaces and tabs, or the
// default when the key is absent (or no file is open).
std::string ReadText(std::string_view key, std::string_view defaultText);
// The value by the C-library rule (DecimalPrefix); the default only when the key is absent.
std::int32_t ReadInteger(std::string_view key, std::int32_t defaultValue);
void WriteText(std::string_view key, std::string_view text);
void WriteInteger(std::string_view key, std::int32_t value);
// Writes the file back if it was modified (and is not read-only), then forgets it.
void ClosePreferences();

// The file operations of the write-back, so that a test can make one of them fail.
class PreferenceFileOps {
 public:
  virtual ~PreferenceFileOps() = default;
  virtual ssize_t Write(int fd, const void* data, std::size_t size);
  virtual int Sync(int fd);
  virtual int Rename(const char* from, const char* to);
};

// Makes the calling thread's write-backs use `ops` (nullptr: the real file system). The
// object must outlive its use.
void UsePreferenceFileOps(PreferenceFileOps* ops);

}  // namespace glimmora
