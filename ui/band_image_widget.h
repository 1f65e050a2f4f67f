// One BandImage of the main window: mirrors the picture the indicators hand to the control
// store. Refresh copies the picture (no allocation once the size is known) and asks Qt for a
// repaint of this control's own 8 x 80 rect only; Qt merges the requests of one event-loop
// turn, so a pass of 36 redraws costs one paint of the indicators concerned. The control is
// opaque, so the window beneath it is not repainted.
//
// Mouse: a left click reports type 0, a left double click 2, the release of the right button
// after a right click 1, a right double click 3 (its release reports nothing more).
//
// Thread: main (GUI) thread only. The engine thread never calls it; it only sets the picture
// in the store, and the window calls Refresh for the identifiers ControlStore::TakeChanges lists.
#pragma once

#include <QWidget>
#include <functional>

#include "ui/store/control_store.h"

namespace glimmora {

class BandImageWidget : public QWidget {
 public:
  // `channel` 1..18; `clicked` receives the event type of a mouse action.
  BandImageWidget(ControlStore& store, int channel, std::function<void(int type)> clicked, QWidget* parent);

  // Takes the current picture from the store and schedules a repaint of this control.
  void Refresh();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  ControlStore& store_;
  int id_;
  std::function<void(int type)> clicked_;
  Picture picture_;
  bool rightDoubleClick_ = false;  // the release that ends a right double click reports nothing
};

}  // namespace glimmora
