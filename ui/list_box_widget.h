// A drop-down list of the main window (non-editable QComboBox) that reports its
// notifications the way the event loop expects them: 1 selection changed, 3 gained the
// keyboard focus, 4 lost it, 7 list opened, 8 list closed. Of the notifications one user
// input causes, only the last becomes a report, and it is made once the input has been
// handled (a queued call): opening the list with the mouse reports 7 (not the focus gain
// before it), choosing an item reports 1 (not the closing before it), and every arrow key
// that moves the selection of the closed list reports 1. Confirming (9) or cancelling (10) a
// choice is always followed by the closing or the selection change, so those two never
// become the last notification of an input.
//
// The closed part keeps the height it is given; the opened list is cut to at most
// kMaxListHeight pixels together with the closed part.
//
// Thread: main (GUI) thread only.
#pragma once

#include <QComboBox>
#include <functional>

namespace glimmora {

class ListBoxWidget : public QComboBox {
 public:
  // Closed part and opened list together, in pixels.
  static constexpr int kMaxListHeight = 350;

  // `chosen(index)` runs when the user picks an item (before the report of that input);
  // `report(type)` receives the one notification of each input.
  ListBoxWidget(std::function<void(int index)> chosen, std::function<void(int type)> report, QWidget* parent);

  void showPopup() override;
  void hidePopup() override;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Remembers a notification of the current input; the first one schedules the report.
  void Note(int type);
  void Report();

  std::function<void(int index)> chosen_;
  std::function<void(int type)> report_;
  int pending_ = 0;  // notification to report; 0 = none
  bool selectionChanged_ = false;
  bool focused_ = false;    // has the keyboard focus as the user sees it
  bool popupOpen_ = false;  // the list is open
};

}  // namespace glimmora
