// Preference write-back file operations that fail at a chosen step, as a crash or a full
// disk would, after the steps before it really happened.
#pragma once

#include <cerrno>

#include "settings/preference_store.h"

namespace glimmora {

class FailingFileOps : public PreferenceFileOps {
 public:
  enum class Step { Write, Sync, Rename };
  explicit FailingFileOps(Step step) : step_(step) {}

  ssize_t Write(int fd, const void* data, std::size_t size) override {
    if (step_ != Step::Write) return PreferenceFileOps::Write(fd, data, size);
    // A full disk: half of the content lands, then no space is left.
    if (size > 1 && !wrotePart_) {
      wrotePart_ = true;
      return PreferenceFileOps::Write(fd, data, size / 2);
    }
    errno = ENOSPC;
    return -1;
  }
  int Sync(int fd) override {
    if (step_ != Step::Sync) return PreferenceFileOps::Sync(fd);
    errno = EIO;
    return -1;
  }
  int Rename(const char* from, const char* to) override {
    if (step_ != Step::Rename) return PreferenceFileOps::Rename(from, to);
    errno = EIO;
    return -1;
  }

 private:
  Step step_;
  bool wrotePart_ = false;
};

}  // namespace glimmora
