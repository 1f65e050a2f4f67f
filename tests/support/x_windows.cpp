#include "tests/support/x_windows.h"

#include <cstdio>
#include <regex>
#include <sstream>

namespace glimmora::testing {

std::string XDisplay::Run(const std::string& command) const {
  const std::string full = "DISPLAY=" + display_ + " " + command + " 2>/dev/null";
  std::string out;
  if (FILE* pipe = popen(full.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

std::vector<XWindow> XDisplay::Windows() const {
  // Lines look like:   `     0x400006 "name": ("res" "class")  22x30+0+0  +1001+1`
  static const std::regex line(
      R"re(^(\s*)(0x[0-9a-f]+) (?:"(.*)"|\(has no name\)):.*?\s(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+?(-?\d+)\+?(-?\d+)\s*$)re");
  std::vector<XWindow> windows;
  std::vector<int> parents;  // index of the last window at each depth
  std::istringstream in(Run("xwininfo -root -tree"));
  std::string text;
  while (std::getline(in, text)) {
    std::smatch m;
    if (!std::regex_match(text, m, line)) continue;
    XWindow w;
    w.id = m[2];
    w.name = m[3];
    w.width = std::stoi(m[4]);
    w.height = std::stoi(m[5]);
    w.x = std::stoi(m[6]);
    w.y = std::stoi(m[7]);
    // xwininfo indents each level by three more spaces, the root's children by five.
    w.depth = (static_cast<int>(m[1].length()) - 5) / 3 + 1;
    if (w.depth < 1) continue;
    parents.resize(w.depth);
    w.parent = w.depth > 1 ? parents[w.depth - 2] : -1;
    parents[w.depth - 1] = static_cast<int>(windows.size());
    windows.push_back(w);
  }
  return windows;
}

bool XDisplay::IsViewable(const std::string& id) const {
  return Run("xwininfo -id " + id).find("IsViewable") != std::string::npos;
}

std::vector<XWindow> XDisplay::ViewableTopLevel(const std::string& name) const {
  std::vector<XWindow> found;
  for (const XWindow& w : Windows()) {
    if (w.depth == 1 && w.name == name && IsViewable(w.id)) found.push_back(w);
  }
  return found;
}

std::vector<XWindow> XDisplay::TrayIcons(const std::string& name, const std::string& tray) const {
  const std::vector<XWindow> windows = Windows();
  std::vector<XWindow> found;
  for (const XWindow& w : windows) {
    if (w.name != name) continue;
    for (int p = w.parent; p >= 0; p = windows[p].parent) {
      if (windows[p].name == tray) {
        found.push_back(w);
        break;
      }
    }
  }
  return found;
}

void XDisplay::Press(int x, int y, int button) const {
  const std::string b = std::to_string(button);
  Run("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " mousedown " + b + " mouseup " + b);
}

void XDisplay::Key(const std::string& keys) const { Run("xdotool key " + keys); }

}  // namespace glimmora::testing
