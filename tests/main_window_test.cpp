// The main window on Qt's offscreen platform: built from the control table, mirrors the
// store, reports user input as events (lists with one notification per input) and resizes
// for the right-hand panel.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <set>
#include <thread>
#include <vector>

#include "settings/codepage.h"
#include "settings/language.h"
#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "main_window_test";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: tearing the application down in the exit handlers crashes.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// The application exists before any widget of the fixture is built.
struct WithApplication : ::testing::Test {
  WithApplication() { App(); }
};

struct MainWindowTest : WithApplication {
  MainWindowTest() {
    for (const char* text : kModeItemTexts) store.AddItem(ModeCombo, Cp1251FromUtf8(text));
    QApplication::processEvents();
    events.clear();
  }

  // The control events that reached the sink after the queued reports ran.
  std::vector<Event> Settle() {
    QApplication::processEvents();
    std::vector<Event> controls;
    for (const Event& e : events) {
      if (e.kind == EventKind::Control) controls.push_back(e);
    }
    events.clear();
    return controls;
  }

  template <typename T>
  T* Widget(int id) {
    return static_cast<T*>(window.Control(id));
  }

  ControlStore store;
  std::vector<Event> events;
  MainWindow window{store, [this](const Event& e) { events.push_back(e); }};
};

TEST_F(MainWindowTest, EveryControlOfTheTableIsBuiltWithItsGeometryRangeAndState) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Glimmora"));
  EXPECT_EQ(window.width(), kClientWidthCollapsed);
  EXPECT_EQ(window.height(), kClientHeight);
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable by dragging";

  QWidget* previous = nullptr;
  for (const ControlRow& row : MainWindowControls()) {
    SCOPED_TRACE(row.name);
    QWidget* widget = window.Control(row.id);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->objectName(), QString::fromLatin1(row.name));
    EXPECT_EQ(widget->geometry(), QRect(row.x, row.y, row.w, row.h));
    EXPECT_EQ(widget->toolTip(), QString::fromStdString(Utf8FromCp1251(store.Tooltip(row.id))));
    // Creation order is the order of the children, and with it the tab order.
    if (previous != nullptr) {
      const QObjectList& children = window.children();
      EXPECT_LT(children.indexOf(previous), children.indexOf(widget));
    }
    previous = widget;
    switch (row.kind) {
      case ControlKind::VerticalScrollBar:
      case ControlKind::HorizontalScrollBar:
      case ControlKind::TrackBar: {
        auto* slider = static_cast<QAbstractSlider*>(widget);
        EXPECT_EQ(slider->orientation(), row.kind == ControlKind::VerticalScrollBar ? Qt::Vertical : Qt::Horizontal);
        EXPECT_EQ(slider->minimum(), row.min);
        EXPECT_EQ(slider->maximum(), row.max);
        EXPECT_EQ(slider->pageStep(), row.page);
        EXPECT_EQ(slider->value(), row.initial);
        break;
      }
      case ControlKind::DropDownList:
        EXPECT_FALSE(static_cast<QComboBox*>(widget)->isEditable());
        EXPECT_EQ(static_cast<QComboBox*>(widget)->currentIndex(), row.id == ModeCombo ? -1 : row.initial);
        EXPECT_EQ(widget->height(), row.h) << "the closed part is exactly h pixels tall";
        break;
      case ControlKind::ToggleButton:
        EXPECT_TRUE(static_cast<QPushButton*>(widget)->isCheckable());
        EXPECT_EQ(static_cast<QPushButton*>(widget)->isChecked(), row.initial != 0);
        EXPECT_EQ(static_cast<QPushButton*>(widget)->text(), QString::fromUtf8(row.text));
        break;
      case ControlKind::PushButton:
        EXPECT_FALSE(static_cast<QPushButton*>(widget)->isCheckable());
        EXPECT_EQ(static_cast<QPushButton*>(widget)->text(), QString::fromUtf8(row.text));
        break;
      case ControlKind::TextLabel: {
        auto* label = static_cast<QLabel*>(widget);
        EXPECT_EQ(label->text(), QString::fromUtf8(row.text));
        EXPECT_EQ(label->frameShadow() == QFrame::Sunken, row.sunken);
        EXPECT_EQ(static_cast<bool>(label->alignment() & Qt::AlignHCenter), row.alignment == Alignment::Centre);
        if (row.colour != 0) {
          const QColor colour = label->palette().color(QPalette::WindowText);
          EXPECT_EQ(colour, QColor(row.colour & 0xff, row.colour >> 8 & 0xff, row.colour >> 16 & 0xff));
        }
        break;
      }
      case ControlKind::ImageButton:
        EXPECT_FALSE(static_cast<QAbstractButton*>(widget)->icon().isNull());
        break;
      case ControlKind::ImageControl:
        EXPECT_EQ(widget->size(), QSize(8, 80)) << "blank 8 x 80 picture until the indicators draw";
        break;
    }
  }
}

// Rules the table must follow, checked as rules rather than as a second copy of it.
TEST_F(MainWindowTest, TheTableKeepsTheLayoutRules) {
  std::set<int> ids;
  for (const ControlRow& row : MainWindowControls()) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(ids.insert(row.id).second) << "identifiers are unique";
    // The right-hand panel is cut off by the collapsed width, the left part never is.
    if (row.rightPanel) {
      EXPECT_GE(row.x, kClientWidthCollapsed);
    } else {
      EXPECT_LE(row.x + row.w, kClientWidthCollapsed);
    }
    EXPECT_LE(row.x + row.w, kClientWidthExpanded + 1);  // MakerLabel reaches one pixel past the edge
    EXPECT_LE(row.y + row.h, kClientHeight);
  }
  EXPECT_EQ(ids.size(), 92u);
  for (int k = 1; k <= kChannelCount; ++k) {
    SCOPED_TRACE(k);
    const QRect bar = window.Control(ThresholdBarId(k))->geometry();
    const QRect image = window.Control(BandImageId(k))->geometry();
    EXPECT_EQ(bar.x(), 10 + 9 * (k - 1));
    EXPECT_EQ(image.x(), bar.x()) << "each band image stands over its threshold bar";
    EXPECT_LT(image.bottom(), bar.top());
  }
  // Each pin list stands right of its label, 4 pixels higher.
  for (int id = PinLabelFirst; id <= PinLabelLast; ++id) {
    const QLabel* label = Widget<QLabel>(id);
    int matches = 0;
    for (int pin = 1; pin <= kChannelCount; ++pin) {
      const QRect list = window.Control(PinComboId(pin))->geometry();
      if (list.x() == label->x() + 24 && list.y() == label->y() - 4) ++matches;
    }
    EXPECT_EQ(matches, 1) << label->text().toStdString();
  }
}

TEST_F(MainWindowTest, StoreChangesAreMirroredWithoutComingBackAsEvents) {
  store.SetState(ModeCombo, 1);
  store.SetState(InvertToggle, 1);
  store.SetState(LevelBar, 99);
  store.SetTextColour(UsbStatusLabel, 65295);
  store.SetText(UsbStatusLabel, "USBON");
  store.SetTooltip(ThresholdBar1, "13 Hz");
  // A change from another thread reaches the widgets through a queued call.
  std::thread([this] { store.SetState(ThresholdBarId(18), 3); }).join();
  EXPECT_TRUE(Settle().empty());
  EXPECT_EQ(Widget<QComboBox>(ModeCombo)->currentText(), QStringLiteral("Ручной"));
  EXPECT_TRUE(Widget<QPushButton>(InvertToggle)->isChecked());
  EXPECT_EQ(Widget<QScrollBar>(LevelBar)->value(), 60);
  EXPECT_EQ(Widget<QScrollBar>(ThresholdBarId(18))->value(), 3);
  EXPECT_EQ(Widget<QLabel>(UsbStatusLabel)->text(), QStringLiteral("USBON"));
  EXPECT_EQ(Widget<QLabel>(UsbStatusLabel)->palette().color(QPalette::WindowText), QColor(15, 255, 0));
  EXPECT_EQ(window.Control(ThresholdBar1)->toolTip(), QStringLiteral("13 Hz"));
}

TEST_F(MainWindowTest, ButtonsAndScrollBarsWriteTheStoreThenSendTheEvent) {
  std::vector<int> seen;
  MainWindow checking(store, [&](const Event& e) {
    if (e.kind == EventKind::Control) seen.push_back(store.State(e.number));
  });
  static_cast<QPushButton*>(checking.Control(InvertToggle))->click();
  auto* bar = static_cast<QScrollBar*>(checking.Control(BrightBar));
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(seen, (std::vector<int>{1, 14}));
  // At the end of its range an arrow still reports the user's action; the position stays.
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(seen, (std::vector<int>{1, 14, 15, 15}));
  EXPECT_EQ(store.State(BrightBar), 15);
}

TEST_F(MainWindowTest, ListsReportOnlyTheLastNotificationOfEachInput) {
  window.ShowAndRestore();
  QApplication::setActiveWindow(&window);
  auto* mode = Widget<QComboBox>(ModeCombo);
  auto* preset = Widget<QComboBox>(PresetCombo);

  struct Step {
    const char* input;
    std::function<void()> act;
    int type;
    int state;
  };
  const Step steps[] = {
      {"focus gained", [&] { mode->setFocus(Qt::TabFocusReason); }, ListFocusGained, -1},
      {"arrow key on the closed list", [&] { QTest::keyClick(mode, Qt::Key_Down); }, ListSelectionChanged, 0},
      {"second arrow key", [&] { QTest::keyClick(mode, Qt::Key_Down); }, ListSelectionChanged, 1},
      {"list opened", [&] { mode->showPopup(); }, ListOpened, 1},
      {"item chosen with the mouse",
       [&] {
         QAbstractItemView* view = mode->view();
         const QRect item = view->visualRect(view->model()->index(4, 0));
         QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
       },
       ListSelectionChanged, 4},
      {"opened and closed without a choice",
       [&] {
         mode->showPopup();
         QApplication::processEvents();
         events.clear();
         mode->hidePopup();
       },
       ListClosed, 4},
      {"focus lost", [&] { preset->setFocus(Qt::TabFocusReason); }, ListFocusLost, 4},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.input);
    step.act();
    std::vector<Event> reported = Settle();
    if (std::string(step.input) == "focus lost") {
      // The list that got the focus reports its gain as well.
      ASSERT_EQ(reported.size(), 2u);
      EXPECT_EQ(reported[1].number, static_cast<int>(PresetCombo));
      reported.resize(1);
    }
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].number, static_cast<int>(ModeCombo));
    EXPECT_EQ(reported[0].type, step.type);
    EXPECT_EQ(store.State(ModeCombo), step.state);
  }
  window.Hide();
}

TEST_F(MainWindowTest, BandImagesReportClicksAndTheRightButtonRelease) {
  QWidget* image = window.Control(BandImageId(5));
  QTest::mouseClick(image, Qt::RightButton);
  QTest::mouseClick(image, Qt::LeftButton);
  const std::vector<Event> reported = Settle();
  ASSERT_EQ(reported.size(), 2u);
  EXPECT_EQ(reported[0].number, BandImageId(5));
  EXPECT_EQ(reported[0].type, 1);
  EXPECT_EQ(reported[1].type, 0);
}

TEST_F(MainWindowTest, ClientSizeFollowsThePanelWithTheTopLeftFixedAndCloseIsLeftToTheEventLoop) {
  window.move(40, 30);
  window.ShowAndRestore();
  const QPoint corner = window.OuterPosition();
  window.SetClientSize(kClientWidthExpanded, kClientHeight);
  EXPECT_EQ(window.ClientWidth(), kClientWidthExpanded);
  EXPECT_EQ(window.height(), kClientHeight);
  EXPECT_EQ(window.OuterPosition(), corner);
  window.SetClientSize(kClientWidthCollapsed, kClientHeight);
  EXPECT_EQ(window.ClientWidth(), kClientWidthCollapsed);
  EXPECT_EQ(window.OuterPosition(), corner);
  events.clear();
  window.close();
  EXPECT_TRUE(window.isVisible());
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().kind, EventKind::CloseRequested);
  window.Hide();
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace glimmora
