#include "ui/dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStringList>

#include "settings/codepage.h"

namespace glimmora {

QString QtNameFilters(std::string_view fileTypes) {
  const QStringList parts = QString::fromUtf8(Utf8FromCp1251(fileTypes)).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    patterns = patterns.simplified();
    if (description.isEmpty() && patterns.isEmpty()) continue;
    if (patterns.isEmpty()) patterns = QStringLiteral("*");
    const QString suffix = QLatin1Char('(') + patterns + QLatin1Char(')');
    if (description.endsWith(suffix)) {
      filters << description;
    } else if (description.isEmpty()) {
      filters << suffix;
    } else {
      filters << description + QLatin1Char(' ') + suffix;
    }
  }
  return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> ChooseFile(QWidget* parent, std::string_view title, std::string_view fileTypes) {
  const QString path = QFileDialog::getOpenFileName(parent, QString::fromUtf8(Utf8FromCp1251(title)),
                                                    QDir::currentPath(), QtNameFilters(fileTypes));
  if (path.isEmpty()) return std::nullopt;
  return QFile::encodeName(path).toStdString();
}

int ChooseColourValue(QWidget* parent) {
  const QColor colour = QColorDialog::getColor(Qt::black, parent);
  if (!colour.isValid()) return -1;
  return colour.red() + 256 * colour.green() + 65536 * colour.blue();
}

}  // namespace glimmora
