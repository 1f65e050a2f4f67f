// An event of the GUI as the event loop sees it: kind, source window, number (control,
// menu item or timer id) and type (a sub-kind that depends on the source).
#pragma once

namespace glimmora {

enum class EventKind {
  TrayIcon,   // type 0 left press, 1 right press, 2 left double click, 3 right double click
  MenuItem,   // number: menu item id
  TimerTick,  // number: timer id
  WindowMinimised,
  WindowMoved,
  CloseRequested,
  Control,  // number: control id; type depends on the control
};

// Types of list events: the notification code of the list.
enum ListNotification : int {
  ListSelectionChanged = 1,
  ListFocusGained = 3,
  ListFocusLost = 4,
  ListOpened = 7,
  ListClosed = 8,
  ListSelectionConfirmed = 9,
  ListSelectionCancelled = 10,
};

struct Event {
  EventKind kind;
  int window = 0;
  int number = 0;
  int type = 0;
};

}  // namespace glimmora
