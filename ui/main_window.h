// The main window: Qt widgets that mirror the control store and turn user input into
// Events for an event sink. Every control of MainWindowControls() is built in creation
// order; store changes arrive through the store's change notifier, are queued to the GUI
// thread, and only the changed widgets are updated (with their signals blocked, so a
// mirrored change never comes back as user input).
//
// Thread: main (GUI) thread only, except that the store may be changed from any thread.
#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/event.h"
#include "ui/store/control_store.h"

namespace glimmora {

class MainWindow : public QWidget {
 public:
  using EventSink = std::function<void(const Event&)>;

  MainWindow(ControlStore& store, EventSink sink);
  ~MainWindow() override;

  // Shows the window and brings it back from the minimised state.
  void ShowAndRestore();
  void Hide();
  // Top-left corner of the frame on the screen.
  QPoint OuterPosition() const;
  int ClientWidth() const;
  // Fixed client size; the frame's top-left corner stays where it is.
  void SetClientSize(int width, int height);

  // The widget of a control, or nullptr.
  QWidget* Control(int id) const;

  // Mirrors every control whose state changed in the store.
  void ApplyStoreChanges();

 protected:
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Build();
  void Mirror(int id);
  void Send(EventKind kind, int number = 0, int type = 0);

  ControlStore& store_;
  EventSink sink_;
  std::vector<QWidget*> widgets_;  // indexed by control id
};

}  // namespace glimmora
