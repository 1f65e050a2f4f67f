#include "settings/preference_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <optional>

#include "settings/number_text.h"
#include "settings/preference_document.h"

namespace glimmora {

ssize_t PreferenceFileOps::Write(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }
int PreferenceFileOps::Sync(int fd) { return ::fsync(fd); }
int PreferenceFileOps::Rename(const char* from, const char* to) { return ::rename(from, to); }

namespace {

PreferenceFileOps realOps;

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links so that the write-back replaces the link's target, not the link.
std::string FollowLinks(std::string path) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) break;
    target.resize(static_cast<std::size_t>(n));
    path = target.front() == '/' ? target : DirectoryOf(path) + "/" + target;
  }
  return path;
}

bool ReadAll(int fd, std::string& out) {
  out.clear();
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) return false;
    if (n == 0) return true;
    out.append(buffer, static_cast<std::size_t>(n));
  }
}

// Opens the file for reading and writing with the exclusive lock; when another opener holds
// the lock, or the file can only be read, it is opened for reading only.
struct OpenedFile {
  int fd = -1;
  bool readOnly = false;
};

OpenedFile OpenShared(const std::string& name) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = ::open(name.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) break;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return {fd, true};
    // The lock must be on the file the name refers to now: a writer may have renamed a new
    // file over it between our open and our lock.
    struct stat held {
    }, current{};
    if (::fstat(fd, &held) == 0 && ::stat(name.c_str(), &current) == 0 && held.st_dev == current.st_dev &&
        held.st_ino == current.st_ino) {
      return {fd, false};
    }
    ::close(fd);
  }
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  return {fd, true};
}

class OpenFile {
 public:
  ~OpenFile() { Close(); }

  bool Open(std::string_view fileName) {
    Close();
    active_ = true;
    name_ = fileName;
    OpenedFile file = OpenShared(name_);
    std::string bytes;
    if (file.fd >= 0 && !ReadAll(file.fd, bytes)) {
      ::close(file.fd);
      file.fd = -1;
    }
    if (file.fd < 0) return false;
    existed_ = true;
    readOnly_ = file.readOnly;
    if (readOnly_) {
      ::close(file.fd);
    } else {
      lockedFd_ = file.fd;
    }
    document_ = PreferenceDocument::Parse(bytes);
    return true;
  }

  bool SelectGroup(std::string_view group) { return active_ && document_.SelectGroup(group); }

  std::optional<std::string> Find(std::string_view key) const {
    if (!active_) return std::nullopt;
    return document_.Find(key);
  }

  void Write(std::string_view key, std::string_view value) {
    if (!active_) return;
    document_.Write(key, value);
    modified_ = true;
  }

  void Close() {
    if (!active_) return;
    if (modified_ && !readOnly_) WriteBack();
    if (lockedFd_ >= 0) ::close(lockedFd_);
    *this = OpenFile();
  }

  void SetOps(PreferenceFileOps* ops) { ops_ = ops ? ops : &realOps; }

 private:
  OpenFile& operator=(OpenFile&& other) noexcept {
    active_ = other.active_;
    name_ = std::move(other.name_);
    document_ = std::move(other.document_);
    existed_ = other.existed_;
    readOnly_ = other.readOnly_;
    modified_ = other.modified_;
    lockedFd_ = other.lockedFd_;
    other.lockedFd_ = -1;
    other.active_ = false;
    return *this;
  }

  void WriteBack() {
    static std::atomic<unsigned> counter{0};
    const std::string target = FollowLinks(name_);
    const std::size_t slash = target.rfind('/');
    const std::string temporary = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + "." +
                                  target.substr(slash == std::string::npos ? 0 : slash + 1) + ".tmp" +
                                  std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return;
    bool ok = true;
    struct stat old {};
    if (existed_ && (lockedFd_ >= 0 ? ::fstat(lockedFd_, &old) : ::stat(target.c_str(), &old)) == 0) {
      ok = ::fchmod(fd, old.st_mode & 07777) == 0;
      // Keeping the owner only works for a privileged writer; otherwise the file becomes ours.
      if (ok && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) (void)!::fchown(fd, old.st_uid, old.st_gid);
    }
    const std::string content = document_.Serialize();
    std::size_t done = 0;
    while (ok && done < content.size()) {
      const ssize_t n = ops_->Write(fd, content.data() + done, content.size() - done);
      if (n <= 0) ok = false;
      if (n > 0) done += static_cast<std::size_t>(n);
    }
    ok = ok && ops_->Sync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ops_->Rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temporary.c_str());
  }

  bool active_ = false;
  std::string name_;
  PreferenceDocument document_;
  bool existed_ = false;
  bool readOnly_ = false;
  bool modified_ = false;
  int lockedFd_ = -1;
  PreferenceFileOps* ops_ = &realOps;
};

// One open file per thread; a thread that ends (the main thread at exit included) writes
// its open file back like ClosePreferences.
thread_local OpenFile current;

}  // namespace

bool OpenPreferences(std::string_view fileName) { return current.Open(fileName); }

bool SelectGroup(std::string_view group) { return current.SelectGroup(group); }

std::string ReadText(std::string_view key, std::string_view defaultText) {
  const std::optional<std::string> value = current.Find(key);
  return value ? std::string(TrimBlanks(*value)) : std::string(defaultText);
}

std::int32_t ReadInteger(std::string_view key, std::int32_t defaultValue) {
  const std::optional<std::string> value = current.Find(key);
  return value ? DecimalPrefix(*value) : defaultValue;
}

void WriteText(std::string_view key, std::string_view text) { current.Write(key, text); }

void WriteInteger(std::string_view key, std::int32_t value) { current.Write(key, NumberToText(value)); }

void ClosePreferences() { current.Close(); }

void UsePreferenceFileOps(PreferenceFileOps* ops) { current.SetOps(ops); }

}  // namespace glimmora
