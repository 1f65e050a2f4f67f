#include "ui/list_box_widget.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QMetaObject>
#include <algorithm>
#include <utility>

#include "app/event.h"

namespace glimmora {

ListBoxWidget::ListBoxWidget(std::function<void(int index)> chosen, std::function<void(int type)> report,
                             QWidget* parent)
    : QComboBox(parent), chosen_(std::move(chosen)), report_(std::move(report)) {
  connect(this, qOverload<int>(&QComboBox::activated), this, [this](int index) {
    if (chosen_) chosen_(index);
    Note(ListSelectionChanged);
  });
}

void ListBoxWidget::showPopup() {
  // As many rows as fit under the limit, the closed part included.
  const int row = std::max(1, view()->sizeHintForRow(0));
  setMaxVisibleItems(std::max(1, (kMaxListHeight - height() - 4) / row));
  Note(ListOpened);
  popupOpen_ = true;
  QComboBox::showPopup();
}

void ListBoxWidget::hidePopup() {
  QComboBox::hidePopup();
  popupOpen_ = false;
  Note(ListClosed);
}

// While its list is open the keyboard focus stays with the list for the user, whatever the
// toolkit does with the popup window; focus changes are reported only when they change that.
void ListBoxWidget::focusInEvent(QFocusEvent* event) {
  QComboBox::focusInEvent(event);
  if (focused_) return;
  focused_ = true;
  Note(ListFocusGained);
}

void ListBoxWidget::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (!focused_ || popupOpen_ || event->reason() == Qt::PopupFocusReason) return;
  focused_ = false;
  Note(ListFocusLost);
}

void ListBoxWidget::Note(int type) {
  const bool first = pending_ == 0;
  pending_ = type;
  if (type == ListSelectionChanged) selectionChanged_ = true;
  if (first)
    QMetaObject::invokeMethod(
        this, [this] { Report(); }, Qt::QueuedConnection);
}

void ListBoxWidget::Report() {
  // A choice closes the list and changes the selection; whatever order the toolkit takes
  // for the two, the change is what the input ends with.
  const int type = selectionChanged_ ? static_cast<int>(ListSelectionChanged) : pending_;
  pending_ = 0;
  selectionChanged_ = false;
  if (report_) report_(type);
}

}  // namespace glimmora
