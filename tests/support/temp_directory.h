// A fresh temporary directory that becomes the working directory for the test's lifetime;
// the previous working directory is restored and the directory removed afterwards.
#pragma once

#include <optional>
#include <string>

namespace glimmora {

class TempWorkingDirectory {
 public:
  TempWorkingDirectory();
  ~TempWorkingDirectory();
  TempWorkingDirectory(const TempWorkingDirectory&) = delete;
  TempWorkingDirectory& operator=(const TempWorkingDirectory&) = delete;

  // Absolute path, with a trailing '/'.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

// Whole file content, or nothing when the file cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace glimmora
