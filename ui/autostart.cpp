#include "ui/autostart.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "settings/codepage.h"

namespace glimmora {
namespace {

constexpr mode_t kEntryMode = 0644;

// A string value of a desktop entry: backslash and the control characters escaped.
std::string EscapeValue(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// One Exec argument in double quotes: '"', '`', '$' and '\' get a backslash, '%' is doubled
// (field codes start with it).
std::string QuoteExecArgument(std::string_view argument) {
  std::string out = "\"";
  for (const char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
    if (c == '%') out += '%';
    out += c;
  }
  return out + "\"";
}

std::string ConfigDirectory() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return config;
  const char* home = std::getenv("HOME");
  if (!home || home[0] != '/') {
    const passwd* user = getpwuid(getuid());
    home = user ? user->pw_dir : nullptr;
  }
  if (!home || home[0] != '/') return {};
  return std::string(home) + "/.config";
}

// Writes the whole text to a temporary file beside `path` and renames it over `path`.
void WriteFileAtomically(const std::string& path, const std::string& text) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return;
  bool written = fchmod(fd, kEntryMode) == 0;
  for (std::size_t done = 0; written && done < text.size();) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n <= 0) written = false;
    if (n > 0) done += static_cast<std::size_t>(n);
  }
  written = fsync(fd) == 0 && written;
  written = close(fd) == 0 && written;
  if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) unlink(temporary.c_str());
}

}  // namespace

std::string AutostartDesktopEntry(const std::string& name, const std::string& programPath) {
  const std::string directory = std::filesystem::path(programPath).parent_path().string();
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=" +
         EscapeValue(Utf8FromCp1251(name)) + "\nExec=" + EscapeValue(QuoteExecArgument(programPath)) +
         "\nPath=" + EscapeValue(directory) + "\nTerminal=false\n";
}

void SetAutostartEntry(const std::string& configDirectory, int enable, const std::string& name,
                       const std::string& programPath) {
  if (configDirectory.empty() || name.empty()) return;
  const std::string directory = configDirectory + "/autostart";
  const std::string path = directory + "/" + name + ".desktop";
  if (enable == 0) {
    unlink(path.c_str());
    return;
  }
  if (programPath.empty()) return;
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) return;
  WriteFileAtomically(path, AutostartDesktopEntry(name, programPath));
}

void SetAutostart(int enable, const std::string& name) {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  SetAutostartEntry(ConfigDirectory(), enable, name, error ? std::string() : program.string());
}

}  // namespace glimmora
