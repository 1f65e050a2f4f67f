// The information windows on Qt's offscreen platform: file names from the language text,
// sizes and controls, one window per id, missing and broken text files.
#include "ui/info_windows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <fstream>

#include "app/operations.h"
#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "info_windows_test";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: tearing the application down in the exit handlers, after Qt's thread
  // storage is gone, crashes.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

TEST(InfoTextFileName, FirstSevenCharactersOfTheLanguage) {
  EXPECT_EQ(InfoTextFileName(AuthorsWindowId, ""), "_avtori.rtf");
  EXPECT_EQ(InfoTextFileName(HelpWindowId, "English"), "English_spravka.rtf");
  EXPECT_EQ(InfoTextFileName(HelpWindowId, "Ukrainian"), "Ukraini_spravka.rtf");
  EXPECT_EQ(InfoTextFileName(HistoryWindowId, "De"), "De_histori.rtf");
  EXPECT_EQ(InfoTextFileName(LptSchemeWindowId, "English"), "");
}

class InfoWindowsTest : public testing::Test {
 protected:
  void SetUp() override {
    App();
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
  }
  void TearDown() override { QDir::setCurrent(previous_); }

  static void Write(const char* name, const std::string& bytes) { std::ofstream(name, std::ios::binary) << bytes; }
  static QString ViewerText(QWidget* window) { return window->findChild<QTextBrowser*>()->toPlainText(); }

  QTemporaryDir dir_;
  QString previous_;
  std::vector<Event> events_;
  InfoWindows windows_{[this](const Event& e) { events_.push_back(e); }};
};

TEST_F(InfoWindowsTest, TextWindowHasItsSizeControlsAndText) {
  Write("English_spravka.rtf", R"({\rtf1 {\b Help} text})");
  windows_.Open(HelpWindowId, "English");
  QWidget* window = windows_.Window(HelpWindowId);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->size(), QSize(500, 347));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Настройки"));
  EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(window->isModal());
  auto* viewer = window->findChild<QTextBrowser*>();
  EXPECT_EQ(viewer->geometry(), QRect(172, 6, 322, 335));
  EXPECT_TRUE(viewer->isReadOnly());
  EXPECT_EQ(viewer->property("controlId").toInt(), HelpViewer);
  EXPECT_EQ(ViewerText(window), "Help text");
  auto* picture = window->findChild<QLabel*>();
  EXPECT_EQ(picture->geometry(), QRect(6, 6, 160, 305));
  auto* ok = window->findChild<QPushButton*>();
  EXPECT_EQ(ok->geometry(), QRect(46, 317, 80, 24));
  ok->click();
  ASSERT_EQ(events_.size(), 1u);
  EXPECT_EQ(events_[0].kind, EventKind::Control);
  EXPECT_EQ(events_[0].number, HelpOkButton);
}

TEST_F(InfoWindowsTest, LongTextOpensAtItsBeginning) {
  std::string rtf = "{\\rtf1 First line";
  for (int i = 0; i < 200; ++i) rtf += "\\par line";
  Write("_spravka.rtf", rtf + "}");
  windows_.Open(HelpWindowId, "");
  auto* viewer = windows_.Window(HelpWindowId)->findChild<QTextBrowser*>();
  ASSERT_GT(viewer->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(viewer->verticalScrollBar()->value(), 0);
  EXPECT_EQ(viewer->textCursor().position(), 0);
}

TEST_F(InfoWindowsTest, LptSchemeWindow) {
  windows_.Open(LptSchemeWindowId, "English");
  QWidget* window = windows_.Window(LptSchemeWindowId);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->size(), QSize(332, 644));
  EXPECT_EQ(window->findChild<QLabel*>()->geometry(), QRect(6, 6, 320, 602));
  EXPECT_EQ(window->findChild<QPushButton*>()->geometry(), QRect(246, 614, 80, 24));
  EXPECT_EQ(window->findChild<QTextBrowser*>(), nullptr);
}

TEST_F(InfoWindowsTest, ReopeningReplacesTheWindowAndCloseRemovesIt) {
  windows_.Open(AuthorsWindowId, "");
  QWidget* first = windows_.Window(AuthorsWindowId);
  windows_.Open(AuthorsWindowId, "");
  QWidget* second = windows_.Window(AuthorsWindowId);
  EXPECT_NE(first, second);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  int visible = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) visible += w->isVisible() && w->objectName() == "AuthorsWindow";
  EXPECT_EQ(visible, 1);
  windows_.Open(HistoryWindowId, "");
  windows_.Close(AuthorsWindowId);
  EXPECT_EQ(windows_.Window(AuthorsWindowId), nullptr);
  EXPECT_NE(windows_.Window(HistoryWindowId), nullptr);
}

TEST_F(InfoWindowsTest, MissingOrBrokenFilesLeaveTheViewerUsable) {
  windows_.Open(AuthorsWindowId, "Nowhere");
  EXPECT_EQ(ViewerText(windows_.Window(AuthorsWindowId)), "");
  Write("_histori.rtf", std::string("{\\rtf1 begin{\\b \\'e0\\u", 20));
  windows_.Open(HistoryWindowId, "");
  EXPECT_EQ(ViewerText(windows_.Window(HistoryWindowId)), QString::fromUtf8("beginа"));
}

TEST_F(InfoWindowsTest, CloseRequestGoesToTheEventLoop) {
  windows_.Open(HelpWindowId, "");
  windows_.Window(HelpWindowId)->close();
  ASSERT_EQ(events_.size(), 1u);
  EXPECT_EQ(events_[0].kind, EventKind::CloseRequested);
  EXPECT_NE(windows_.Window(HelpWindowId), nullptr);
}

TEST_F(InfoWindowsTest, TitleFollowsTheLanguageForNewWindowsOnly) {
  windows_.Open(HistoryWindowId, "");
  windows_.SetTitle("ac53", "History");
  EXPECT_EQ(windows_.Window(HistoryWindowId)->windowTitle(), QString::fromUtf8("История"));
  windows_.Open(HistoryWindowId, "");
  EXPECT_EQ(windows_.Window(HistoryWindowId)->windowTitle(), "History");
}

}  // namespace
}  // namespace glimmora
