#include "ui/tray_icon.h"

#include <QAction>
#include <QCursor>
#include <QFile>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

#include "app/commands.h"
#include "settings/codepage.h"

namespace glimmora {

namespace {

constexpr const char* kIconResource = ":/glimmora_icon.png";
constexpr int kIconSize = 32;

struct MenuItemRow {
  const char* key;
  int id;  // 0: the sub-menu
  const char* text;
};

constexpr MenuItemRow kTopItems[] = {
    {"ac", MenuRestore, "Развернуть"}, {"ac1", MenuHide, "Свернуть"}, {"ac2", 0, "Справка"},
    {"ac6", MenuAbout, "О программе"}, {"ac7", MenuExit, "Выход"},
};
constexpr MenuItemRow kHelpItems[] = {
    {"ac3", MenuHelp, "Настройки"},
    {"ac4", MenuLptScheme, "Схема LPT-светомузыки"},
    {"ac5", MenuHistory, "История"},
};

// A stand-in drawn when the resources hold no icon: a dark disc with three coloured lights.
QPixmap DrawnIcon() {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(30, 30, 48));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(1, 1, 30, 30);
  const QColor lights[] = {QColor(255, 60, 60), QColor(60, 230, 60), QColor(70, 120, 255)};
  for (int i = 0; i < 3; ++i) {
    painter.setBrush(lights[i]);
    painter.drawEllipse(5 + i * 8, 12, 7, 7);
  }
  return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
  if (QFile::exists(kIconResource)) return QIcon(kIconResource);
  return QIcon(DrawnIcon());
}

TrayMenu::TrayMenu(std::function<void(int)> chosen) : menu_(std::make_unique<QMenu>()) {
  const auto add = [&chosen](QMenu& menu, const MenuItemRow& item) {
    QAction* action = menu.addAction(QString::fromUtf8(item.text));
    action->setObjectName(item.key);
    action->setData(item.id);
    QObject::connect(action, &QAction::triggered, [chosen, id = item.id] { chosen(id); });
  };
  for (const MenuItemRow& item : kTopItems) {
    if (item.id == MenuExit) menu_->addSeparator();
    if (item.id == 0) {
      help_ = menu_->addMenu(QString::fromUtf8(item.text));
      help_->menuAction()->setObjectName(item.key);
      for (const MenuItemRow& sub : kHelpItems) add(*help_, sub);
    } else {
      add(*menu_, item);
    }
  }
}

TrayMenu::~TrayMenu() = default;

void TrayMenu::SetText(std::string_view key, std::string_view text) {
  const QString name = QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
  for (QAction* action : menu_->findChildren<QAction*>(name)) action->setText(QString::fromUtf8(Utf8FromCp1251(text)));
  if (help_ && help_->menuAction()->objectName() == name) help_->setTitle(QString::fromUtf8(Utf8FromCp1251(text)));
}

void TrayMenu::Popup() { menu_->popup(QCursor::pos() - QPoint(1, 1)); }

TrayIcon::TrayIcon(std::function<void(const Event&)> sink, QObject* parent)
    : QObject(parent),
      sink_(std::move(sink)),
      menu_([this](int id) {
        sink_(Event{EventKind::MenuItem, 0, id, 0});
      }),
      icon_(std::make_unique<QSystemTrayIcon>(ProgramIcon())) {
  icon_->setToolTip("Glimmora");
  connect(icon_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
      case QSystemTrayIcon::Trigger:
        sink_(Event{EventKind::TrayIcon, 0, 0, TrayLeftPress});
        return;
      case QSystemTrayIcon::Context:
        sink_(Event{EventKind::TrayIcon, 0, 0, TrayRightPress});
        return;
      case QSystemTrayIcon::DoubleClick:
        sink_(Event{EventKind::TrayIcon, 0, 0, TrayLeftDoubleClick});
        return;
      default:
        return;
    }
  });
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::Show() { icon_->show(); }

}  // namespace glimmora
