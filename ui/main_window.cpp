#include "ui/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QMetaObject>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QString>
#include <QToolButton>
#include <utility>

#include "settings/codepage.h"
#include "ui/band_image_widget.h"
#include "ui/list_box_widget.h"
#include "ui/store/control_ids.h"
#include "ui/tray_icon.h"

namespace glimmora {
namespace {

constexpr int kFontPixelSize = 11;
constexpr int kMinimumThumbPixels = 8;

// The desktop style's thumbs are long (about 26 pixels); on an 80-pixel threshold bar with 40
// positions that hides where the thumb stands, so the bars get the short thumb of the
// original controls. One instance for the process: widgets keep a pointer to their style.
class ShortThumbStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_ScrollBarSliderMin) return kMinimumThumbPixels;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

QStyle* ScrollBarStyle() {
  static QStyle* style = new ShortThumbStyle;
  return style;
}

QString FromStore(const std::string& cp1251) { return QString::fromStdString(Utf8FromCp1251(cp1251)); }

QColor ColourOf(std::uint32_t colour) {
  return QColor(static_cast<int>(colour & 0xff), static_cast<int>((colour >> 8) & 0xff),
                static_cast<int>((colour >> 16) & 0xff));
}

const char* IconOf(int id) {
  switch (id) {
    case 80:
      return ":/autostart_add.png";
    case 81:
      return ":/autostart_remove.png";
    case 82:
      return ":/load_effects.png";
    default:
      return nullptr;
  }
}

}  // namespace

MainWindow::MainWindow(ControlStore& store, EventSink sink)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      store_(store),
      sink_(std::move(sink)) {
  setWindowTitle(QStringLiteral("Glimmora"));
  setWindowIcon(ProgramIcon());
  setFixedSize(kClientWidthCollapsed, kClientHeight);
  // The layout is in fixed pixels made for a GUI font 11 pixels high; larger desktop fonts
  // would not fit the 57-pixel buttons and 22-pixel pin labels.
  QFont small = font();
  small.setPixelSize(kFontPixelSize);
  setFont(small);
  Build();
  for (const ControlRow& row : MainWindowControls()) Mirror(row.id);
  store_.TakeChanges();
  store_.SetChangeNotifier([this] {
    QMetaObject::invokeMethod(
        this, [this] { ApplyStoreChanges(); }, Qt::QueuedConnection);
  });
}

MainWindow::~MainWindow() { store_.SetChangeNotifier(nullptr); }

void MainWindow::Build() {
  for (const ControlRow& row : MainWindowControls()) {
    const int id = row.id;
    QWidget* widget = nullptr;
    switch (row.kind) {
      case ControlKind::VerticalScrollBar:
      case ControlKind::HorizontalScrollBar: {
        auto* bar = new QScrollBar(row.kind == ControlKind::VerticalScrollBar ? Qt::Vertical : Qt::Horizontal, this);
        bar->setRange(row.min, row.max);
        bar->setPageStep(row.page > 0 ? row.page : 1);
        bar->setStyle(ScrollBarStyle());
        // Every scroll action of the user (arrow, page, thumb, wheel, key) is an event, also
        // one at the end of the range; the position it reports is already the new one.
        connect(bar, &QScrollBar::actionTriggered, this, [this, id, bar] {
          store_.SetState(id, bar->sliderPosition());
          Send(EventKind::Control, id, 0);
        });
        widget = bar;
        break;
      }
      case ControlKind::TrackBar: {
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setRange(row.min, row.max);
        slider->setPageStep(row.page > 0 ? row.page : 1);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(1);
        // The track bar is read when needed; it sends no events.
        connect(slider, &QSlider::actionTriggered, this,
                [this, id, slider] { store_.SetState(id, slider->sliderPosition()); });
        widget = slider;
        break;
      }
      case ControlKind::DropDownList: {
        widget = new ListBoxWidget([this, id](int index) { store_.SetState(id, index); },
                                   [this, id](int type) { Send(EventKind::Control, id, type); }, this);
        break;
      }
      case ControlKind::ToggleButton:
      case ControlKind::PushButton: {
        auto* button = new QPushButton(this);
        const bool toggle = row.kind == ControlKind::ToggleButton;
        button->setCheckable(toggle);
        connect(button, &QPushButton::clicked, this, [this, id, toggle](bool checked) {
          if (toggle) store_.SetState(id, checked ? 1 : 0);
          Send(EventKind::Control, id, 0);
        });
        widget = button;
        break;
      }
      case ControlKind::ImageButton: {
        auto* button = new QToolButton(this);
        if (const char* icon = IconOf(id)) button->setIcon(QIcon(QString::fromLatin1(icon)));
        button->setIconSize(QSize(row.w - 4, row.h - 4));
        connect(button, &QToolButton::clicked, this, [this, id] { Send(EventKind::Control, id, 0); });
        widget = button;
        break;
      }
      case ControlKind::TextLabel: {
        auto* label = new QLabel(this);
        label->setAlignment(row.alignment == Alignment::Centre ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
        if (row.sunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        widget = label;
        break;
      }
      case ControlKind::ImageControl: {
        const int channel = id - BandImageId(1) + 1;
        widget = new BandImageWidget(
            store_, channel, [this, id](int type) { Send(EventKind::Control, id, type); }, this);
        break;
      }
    }
    widget->setObjectName(QString::fromLatin1(row.name));
    widget->setGeometry(row.x, row.y, row.w, row.h);
    if (row.kind == ControlKind::DropDownList) widget->setFixedHeight(row.h);
    if (static_cast<int>(widgets_.size()) <= id) widgets_.resize(id + 1, nullptr);
    widgets_[id] = widget;
  }
}

void MainWindow::ApplyStoreChanges() {
  for (int id : store_.TakeChanges()) Mirror(id);
}

void MainWindow::Mirror(int id) {
  QWidget* widget = Control(id);
  const ControlRow* row = FindControl(id);
  if (widget == nullptr || row == nullptr) return;
  QSignalBlocker blocker(widget);
  const QString tooltip = FromStore(store_.Tooltip(id));
  if (widget->toolTip() != tooltip) widget->setToolTip(tooltip);
  switch (row->kind) {
    case ControlKind::VerticalScrollBar:
    case ControlKind::HorizontalScrollBar:
    case ControlKind::TrackBar:
      static_cast<QAbstractSlider*>(widget)->setValue(store_.State(id));
      break;
    case ControlKind::DropDownList: {
      auto* list = static_cast<QComboBox*>(widget);
      const std::vector<std::string> items = store_.Items(id);
      bool same = list->count() == static_cast<int>(items.size());
      for (int i = 0; same && i < list->count(); ++i) same = list->itemText(i) == FromStore(items[i]);
      if (!same) {
        list->clear();
        for (const std::string& item : items) list->addItem(FromStore(item));
      }
      list->setCurrentIndex(store_.State(id));
      break;
    }
    case ControlKind::ToggleButton:
      static_cast<QPushButton*>(widget)->setChecked(store_.State(id) != 0);
      static_cast<QPushButton*>(widget)->setText(FromStore(store_.Text(id)));
      break;
    case ControlKind::PushButton:
      static_cast<QPushButton*>(widget)->setText(FromStore(store_.Text(id)));
      break;
    case ControlKind::ImageButton:
      break;
    case ControlKind::TextLabel: {
      auto* label = static_cast<QLabel*>(widget);
      label->setText(FromStore(store_.Text(id)));
      const std::uint32_t colour = store_.TextColour(id);
      QPalette palette = label->palette();
      palette.setColor(QPalette::WindowText,
                       colour == 0 ? this->palette().color(QPalette::WindowText) : ColourOf(colour));
      label->setPalette(palette);
      break;
    }
    case ControlKind::ImageControl:
      static_cast<BandImageWidget*>(widget)->Refresh();
      break;
  }
}

QWidget* MainWindow::Control(int id) const {
  if (id < 0 || id >= static_cast<int>(widgets_.size())) return nullptr;
  return widgets_[id];
}

void MainWindow::Send(EventKind kind, int number, int type) {
  if (sink_) sink_(Event{kind, 0, number, type});
}

void MainWindow::ShowAndRestore() {
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void MainWindow::Hide() { hide(); }

QPoint MainWindow::OuterPosition() const { return frameGeometry().topLeft(); }

int MainWindow::ClientWidth() const { return width(); }

void MainWindow::SetClientSize(int width, int height) {
  const QPoint frame = frameGeometry().topLeft();
  setFixedSize(width, height);
  move(frame);
}

void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized))
    Send(EventKind::WindowMinimised);
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  Send(EventKind::WindowMoved);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Send(EventKind::CloseRequested);
}

}  // namespace glimmora
