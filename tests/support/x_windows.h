// Looking at and clicking into an X server the way a user would, through the command-line
// tools xwininfo and xdotool (for end-to-end tests under Xvfb).
#pragma once

#include <string>
#include <vector>

namespace glimmora::testing {

// One window of `xwininfo -root -tree`: id, name ("" when it has none), absolute position
// of its top-left corner, size, depth in the tree (1 = child of the root) and the index of
// its parent in the list (-1 for children of the root).
struct XWindow {
  std::string id;
  std::string name;
  int x = 0, y = 0, width = 0, height = 0;
  int depth = 0;
  int parent = -1;
};

class XDisplay {
 public:
  explicit XDisplay(std::string display) : display_(std::move(display)) {}

  // Runs a shell command with DISPLAY set; its standard output.
  std::string Run(const std::string& command) const;
  std::vector<XWindow> Windows() const;
  bool IsViewable(const std::string& id) const;
  // Viewable windows that are children of the root and carry this exact name.
  std::vector<XWindow> ViewableTopLevel(const std::string& name) const;
  // Windows of this exact name embedded (at any depth) in a tray window named `tray`.
  std::vector<XWindow> TrayIcons(const std::string& name, const std::string& tray = "panel") const;
  // Moves the pointer there and presses (then releases) a button: 1 left, 3 right.
  void Press(int x, int y, int button) const;
  void Key(const std::string& keys) const;
  // Asks the window to close the way a window manager's close box does: a WM_DELETE_WINDOW
  // message of the WM_PROTOCOLS kind, sent to the window itself.
  void RequestClose(const std::string& id) const;

 private:
  std::string display_;
};

}  // namespace glimmora::testing
