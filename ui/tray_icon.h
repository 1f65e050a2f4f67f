// The tray icon (tooltip "Glimmora") and TrayMenu. Presses on the icon and chosen menu
// items become Events for the event loop: tray events of type 0 (left press), 1 (right
// press) and 2 (left double click), menu events with the item id.
//
// The icon reacts to the press of a button. On an XEmbed tray (trayer, most X11 panels)
// Qt's QSystemTrayIcon::activated is emitted from the icon widget's mousePressEvent, so
// Trigger and Context already arrive on the press; the second press of a left double
// click arrives as DoubleClick instead of a second Trigger. On a StatusNotifierItem host
// (D-Bus) the host decides when it reports a click. The menu is not attached to the icon
// (QSystemTrayIcon::setContextMenu would pop it up by itself); the event loop's command
// opens it through ShowMenu.
//
// Thread: main (GUI) thread only.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/event.h"

class QAction;
class QIcon;
class QMenu;
class QSystemTrayIcon;

namespace glimmora {

class TrayMenu {
 public:
  // Builds the menu with the built-in texts; choosing an item calls `chosen` with its id.
  explicit TrayMenu(std::function<void(int itemId)> chosen);
  ~TrayMenu();

  // Replaces the text of the item (or sub-menu) of a language key "ac".."ac7";
  // the text is Windows-1251. Unknown keys do nothing.
  void SetText(std::string_view key, std::string_view text);
  // Opens the menu with its top-left corner one pixel left of and above the mouse.
  void Popup();
  QMenu& Menu() { return *menu_; }

 private:
  std::unique_ptr<QMenu> menu_;
  QMenu* help_ = nullptr;  // the sub-menu, owned by menu_
};

class TrayIcon : public QObject {
 public:
  explicit TrayIcon(std::function<void(const Event&)> sink, QObject* parent = nullptr);
  ~TrayIcon() override;

  // Puts the icon into the tray.
  void Show();
  void ShowMenu() { menu_.Popup(); }
  TrayMenu& Menu() { return menu_; }
  QSystemTrayIcon& Icon() { return *icon_; }

 private:
  std::function<void(const Event&)> sink_;
  TrayMenu menu_;
  std::unique_ptr<QSystemTrayIcon> icon_;
};

// The program's 32 x 32 icon (also the windows' icon).
QIcon ProgramIcon();

}  // namespace glimmora
