// File-type lists of the open-file dialog in the "description|pattern" form as Qt's name
// filters.
#include "ui/dialogs.h"

#include <gtest/gtest.h>

#include "settings/codepage.h"

namespace glimmora {
namespace {

TEST(QtNameFilters, PairsBecomeFiltersWithTheirPatterns) {
  struct Case {
    const char* fileTypes;  // UTF-8 here; the dialog gets Windows-1251
    const char* filters;
  };
  const Case cases[] = {
      {"Файлы эффектов (*.sdu)|*.sdu", "Файлы эффектов (*.sdu)"},
      {"Effect files|*.sdu", "Effect files (*.sdu)"},
      {"Effects|*.sdu;*.txt|All files|*.*", "Effects (*.sdu *.txt);;All files (*.*)"},
      {"Effects (old)|*.sdu||", "Effects (old) (*.sdu)"},
      {"Effects", "Effects (*)"},
      {"|*.sdu", "(*.sdu)"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QtNameFilters(Cp1251FromUtf8(c.fileTypes)).toStdString(), c.filters) << c.fileTypes;
  }
}

}  // namespace
}  // namespace glimmora
