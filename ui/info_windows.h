// The four information windows: AuthorsWindow (1), HelpWindow (2), HistoryWindow (3) with
// InfoPicture beside a read-only RTF text, and LptSchemeWindow (4) with the LPT wiring
// scheme. Each opens centred on the screen with a fixed client size, a title bar without
// close, minimise or maximise buttons, no owner and not modal. At most one window per id
// exists: opening an id again first closes the open one.
//
// The OK buttons and close requests (a window manager may still offer closing) become
// Events for the event loop; Close() is what the OK button's command calls.
//
// Thread: main (GUI) thread only.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/event.h"

class QWidget;

namespace glimmora {

// Client sizes and the text-file suffixes of the windows.
inline constexpr int kInfoWindowWidth = 500;
inline constexpr int kInfoWindowHeight = 347;
inline constexpr int kLptSchemeWindowWidth = 332;
inline constexpr int kLptSchemeWindowHeight = 644;

// Control ids of the windows' controls. The authors picture has an id of its own.
enum InfoControlId : int {
  AuthorsViewer = 70,
  HelpViewer = 72,
  HistoryViewer = 74,
  LptSchemePicture = 84,
  HelpPicture = 87,
  HistoryPicture = 88,
  AuthorsPicture = 89,
};

// The RTF file of window 1..3 for a language list text (Windows-1251): its first seven
// characters (all when shorter) followed by "_avtori.rtf", "_spravka.rtf" or "_histori.rtf".
std::string InfoTextFileName(int windowId, std::string_view languageText);

class InfoWindows {
 public:
  explicit InfoWindows(std::function<void(const Event&)> sink);
  ~InfoWindows();

  // Sets a window title by its language key "ac51".."ac54" (Windows-1251); it applies to
  // windows opened from then on. Unknown keys do nothing.
  void SetTitle(std::string_view key, std::string_view text);
  // Opens window 1..4; languageText is the current text of LanguageCombo (Windows-1251),
  // which names the RTF file, read from the current directory.
  void Open(int windowId, std::string_view languageText);
  // Destroys the window with its controls; nothing when it is not open.
  void Close(int windowId);
  // The open window of that id, or nullptr.
  QWidget* Window(int windowId) const;

 private:
  std::function<void(const Event&)> sink_;
  std::array<QString, 5> titles_;                    // by window id
  std::array<std::unique_ptr<QWidget>, 5> windows_;  // by window id
};

}  // namespace glimmora
