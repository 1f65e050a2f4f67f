#include "app/missing_library_message.h"

#include <QMessageBox>
#include <QString>

#include "settings/codepage.h"

namespace glimmora {

void ShowMissingLibraryMessage(const LanguageTexts& texts, const char* libraryFileName) {
  const MissingLibraryText message = MissingLibraryMessage(texts, libraryFileName);
  QMessageBox box(QMessageBox::Warning, QString::fromStdString(Utf8FromCp1251(message.caption)),
                  QString::fromStdString(Utf8FromCp1251(message.text)), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace glimmora
