#include "tests/support/temp_directory.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace glimmora {

TempWorkingDirectory::TempWorkingDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "glimmora-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern + "/";
  previous_ = std::filesystem::current_path().string();
  std::filesystem::current_path(pattern);
}

TempWorkingDirectory::~TempWorkingDirectory() {
  std::error_code error;
  std::filesystem::current_path(previous_, error);
  std::filesystem::remove_all(path_, error);
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace glimmora
