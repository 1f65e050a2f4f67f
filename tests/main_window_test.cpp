// The main window on Qt's offscreen platform: built from the control table, mirrors the
// store, reports user input as events and resizes for the right-hand panel.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <vector>

#include "settings/codepage.h"
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

struct Fixture : WithApplication {
  ControlStore store;
  std::vector<Event> events;
  MainWindow window{store, [this](const Event& e) { events.push_back(e); }};
};

using MainWindowTest = Fixture;

TEST_F(MainWindowTest, EveryControlOfTheTableIsBuiltWithItsGeometryRangeAndState) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Glimmora"));
  EXPECT_EQ(window.width(), kClientWidthCollapsed);
  EXPECT_EQ(window.height(), kClientHeight);
  for (const ControlSpec& spec : MainWindowControls()) {
    SCOPED_TRACE(spec.name);
    QWidget* widget = window.Control(spec.id);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->objectName(), QString::fromLatin1(spec.name));
    EXPECT_EQ(widget->geometry(), QRect(spec.x, spec.y, spec.w, spec.h));
    if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
      EXPECT_EQ(slider->minimum(), spec.min);
      EXPECT_EQ(slider->maximum(), spec.max);
      EXPECT_EQ(slider->value(), store.State(spec.id));
    }
    if (spec.kind == ControlKind::ToggleButton) {
      EXPECT_EQ(static_cast<QPushButton*>(widget)->isChecked(), spec.initial != 0);
    }
    if (spec.kind == ControlKind::DropDownList) {
      EXPECT_EQ(static_cast<QComboBox*>(widget)->currentIndex(), -1);
    }
  }
}

TEST_F(MainWindowTest, StoreChangesAreMirroredWithoutComingBackAsEvents) {
  store.AddItem(ModeCombo, Cp1251FromUtf8("Ручной"));
  store.AddItem(ModeCombo, Cp1251FromUtf8("Авто"));
  store.SetState(ModeCombo, 1);
  store.SetState(InvertToggle, 1);
  QApplication::processEvents();
  auto* mode = static_cast<QComboBox*>(window.Control(ModeCombo));
  ASSERT_EQ(mode->count(), 2);
  EXPECT_EQ(mode->currentText(), QStringLiteral("Авто"));
  EXPECT_TRUE(static_cast<QPushButton*>(window.Control(InvertToggle))->isChecked());
  EXPECT_TRUE(events.empty());
}

TEST_F(MainWindowTest, UserInputWritesTheStoreThenSendsTheEvent) {
  static_cast<QPushButton*>(window.Control(InvertToggle))->click();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, EventKind::Control);
  EXPECT_EQ(events[0].number, static_cast<int>(InvertToggle));
  EXPECT_EQ(events[0].type, 0);
  EXPECT_EQ(store.State(InvertToggle), 1);
}

TEST_F(MainWindowTest, ClientSizeFollowsThePanelAndCloseIsLeftToTheEventLoop) {
  window.SetClientSize(kClientWidthExpanded, kClientHeight);
  EXPECT_EQ(window.ClientWidth(), kClientWidthExpanded);
  window.SetClientSize(kClientWidthCollapsed, kClientHeight);
  EXPECT_EQ(window.ClientWidth(), kClientWidthCollapsed);
  window.ShowAndRestore();
  window.close();
  EXPECT_TRUE(window.isVisible());
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().kind, EventKind::CloseRequested);
}

}  // namespace
}  // namespace glimmora
