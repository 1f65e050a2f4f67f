#include "ui/info_windows.h"

#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QWidget>
#include <fstream>
#include <iterator>

#include "app/commands.h"
#include "app/operations.h"
#include "settings/codepage.h"
#include "ui/rtf_reader.h"
#include "ui/store/control_ids.h"
#include "ui/tray_icon.h"

namespace glimmora {

namespace {

constexpr const char* kInfoPictureResource = ":/info_picture.jpg";
constexpr const char* kLptSchemeResource = ":/lpt_scheme.jpg";
constexpr int kInfoPictureWidth = 160;
constexpr int kInfoPictureHeight = 305;
constexpr int kLptSchemeWidth = 320;
constexpr int kLptSchemeHeight = 602;
constexpr size_t kLanguagePrefixLength = 7;

struct InfoWindowRow {
  const char* name;
  const char* titleKey;
  const char* title;  // built-in, UTF-8
  const char* suffix;
  int pictureId, viewerId, okId;
};

// Indexed by window id 1..4.
constexpr InfoWindowRow kWindows[] = {
    {},
    {"AuthorsWindow", "ac51", "Авторы", "_avtori.rtf", AuthorsPicture, AuthorsViewer, AuthorsOkButton},
    {"HelpWindow", "ac52", "Настройки", "_spravka.rtf", HelpPicture, HelpViewer, HelpOkButton},
    {"HistoryWindow", "ac53", "История", "_histori.rtf", HistoryPicture, HistoryViewer, HistoryOkButton},
    {"LptSchemeWindow", "ac54", "Схема LPT-светомузыки", nullptr, LptSchemePicture, 0, LptSchemeOkButton},
};

bool ValidId(int windowId) { return windowId >= AuthorsWindowId && windowId <= LptSchemeWindowId; }

// A top-level window whose close requests go to the event loop instead of closing it.
class InfoWindow : public QWidget {
 public:
  InfoWindow(int id, std::function<void(const Event&)> sink)
      : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), id_(id), sink_(std::move(sink)) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    sink_(Event{EventKind::CloseRequested, id_, 0, 0});
  }

 private:
  int id_;
  std::function<void(const Event&)> sink_;
};

// The built-in picture, or a plain stand-in of the same size when it is missing.
QPixmap Picture(const char* resource, int width, int height) {
  QPixmap pixmap;
  if (QFile::exists(resource) && pixmap.load(resource)) return pixmap;
  pixmap = QPixmap(width, height);
  pixmap.fill(QColor(40, 40, 60));
  QPainter painter(&pixmap);
  painter.setPen(QColor(220, 220, 220));
  painter.drawText(pixmap.rect(), Qt::AlignCenter, "Glimmora");
  return pixmap;
}

// The file's bytes; empty when it cannot be opened. A failed read ends the text there.
std::string ReadFileBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return {};
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Centre(QWidget& window, int width, int height) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  window.move(area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2);
}

}  // namespace

std::string InfoTextFileName(int windowId, std::string_view languageText) {
  if (!ValidId(windowId) || !kWindows[windowId].suffix) return {};
  return std::string(languageText.substr(0, kLanguagePrefixLength)) + kWindows[windowId].suffix;
}

InfoWindows::InfoWindows(std::function<void(const Event&)> sink) : sink_(std::move(sink)) {
  for (int id = AuthorsWindowId; id <= LptSchemeWindowId; ++id) titles_[id] = QString::fromUtf8(kWindows[id].title);
}

InfoWindows::~InfoWindows() = default;

void InfoWindows::SetTitle(std::string_view key, std::string_view text) {
  for (int id = AuthorsWindowId; id <= LptSchemeWindowId; ++id) {
    if (key == kWindows[id].titleKey) titles_[id] = QString::fromUtf8(Utf8FromCp1251(text));
  }
}

void InfoWindows::Open(int windowId, std::string_view languageText) {
  if (!ValidId(windowId)) return;
  Close(windowId);
  const InfoWindowRow& row = kWindows[windowId];
  const bool scheme = windowId == LptSchemeWindowId;
  const int width = scheme ? kLptSchemeWindowWidth : kInfoWindowWidth;
  const int height = scheme ? kLptSchemeWindowHeight : kInfoWindowHeight;

  auto window = std::make_unique<InfoWindow>(windowId, sink_);
  window->setObjectName(row.name);
  window->setWindowTitle(titles_[windowId]);
  window->setWindowIcon(ProgramIcon());
  window->setFixedSize(width, height);

  auto* picture = new QLabel(window.get());
  picture->setObjectName(scheme ? "LptSchemePicture" : "InfoPicture");
  picture->setProperty("controlId", row.pictureId);
  picture->setPixmap(scheme ? Picture(kLptSchemeResource, kLptSchemeWidth, kLptSchemeHeight)
                            : Picture(kInfoPictureResource, kInfoPictureWidth, kInfoPictureHeight));
  picture->setGeometry(6, 6, picture->pixmap().width(), picture->pixmap().height());

  if (!scheme) {
    auto* viewer = new QTextBrowser(window.get());
    viewer->setObjectName("Viewer");
    viewer->setProperty("controlId", row.viewerId);
    viewer->setGeometry(172, 6, 322, 335);
    viewer->setReadOnly(true);
    viewer->setOpenLinks(false);
    viewer->setLineWrapMode(QTextEdit::WidgetWidth);
    const std::string name = InfoTextFileName(windowId, languageText);
    // Language names are Windows-1251; file names on disk are usually UTF-8.
    std::string bytes = ReadFileBytes(Utf8FromCp1251(name));
    if (bytes.empty()) bytes = ReadFileBytes(name);
    FillTextDocument(ReadRtf(bytes), *viewer->document());
    // The viewer's own cursor moved along with the inserted text; the window opens at the
    // beginning of the text, not scrolled to its end.
    viewer->moveCursor(QTextCursor::Start);
  }

  auto* ok = new QPushButton("OK", window.get());
  ok->setObjectName("OkButton");
  ok->setProperty("controlId", row.okId);
  ok->setGeometry(scheme ? 246 : 46, scheme ? 614 : 317, 80, 24);
  QObject::connect(ok, &QPushButton::clicked, [sink = sink_, id = row.okId] {
    sink(Event{EventKind::Control, 0, id, 0});
  });

  Centre(*window, width, height);
  window->show();
  window->raise();
  window->activateWindow();
  windows_[windowId] = std::move(window);
}

void InfoWindows::Close(int windowId) {
  if (!ValidId(windowId) || !windows_[windowId]) return;
  // The close may come from the window's own button: delete it once that signal is done.
  windows_[windowId]->hide();
  windows_[windowId].release()->deleteLater();
}

QWidget* InfoWindows::Window(int windowId) const { return ValidId(windowId) ? windows_[windowId].get() : nullptr; }

}  // namespace glimmora
