// The built-in texts of the interface: what ApplyLanguage puts into the controls and keeps
// for the tray menu and the messages, and the missing-library message as bytes.
#include "settings/language.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/codepage.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"

namespace glimmora {
namespace {

std::string Cp(const char* utf8) { return Cp1251FromUtf8(utf8); }

// The store as start-up leaves it before the language is applied: six empty mode items,
// pin lists with an empty item 0, selections made.
struct LanguageTest : ::testing::Test {
  LanguageTest() {
    for (int i = 0; i < 6; ++i) store.AddItem(ModeCombo, "");
    for (int pin = 1; pin <= kChannelCount; ++pin) {
      store.AddItem(PinComboId(pin), "");
      for (int n = 1; n <= 18; ++n) store.AddItem(PinComboId(pin), std::to_string(n));
    }
    store.SetState(ModeCombo, 3);
    store.SetState(PinComboId(1), 0);
    store.SetState(PinComboId(2), 7);
  }
  ControlStore store;
  LanguageTexts texts;
};

TEST_F(LanguageTest, BuiltInTextsReachTheControlsAndSelectionsStay) {
  ApplyLanguage(store, texts, ".lng");
  struct {
    int id;
    const char* tooltip;
  } const tooltips[] = {
      {ThresholdBarId(1), "13 Гц"},
      {ThresholdBarId(18), "10250 Гц"},
      {EffectSpeedBar, "Скорость БО из файла"},
      {ModeCombo, "Режим"},
      {EffectCombo, "Бегущий огонь"},
      {LevelBar, "Общий регулятор уровня"},
      {PinComboId(18), "Номер фильтра, подключенного к порту"},
      {LanguageCombo, "Язык"},
  };
  for (const auto& row : tooltips) {
    SCOPED_TRACE(row.id);
    EXPECT_EQ(store.Tooltip(row.id), Cp(row.tooltip));
  }
  EXPECT_EQ(store.Text(KeyboardToggle), Cp("Клава"));
  EXPECT_EQ(store.Text(InvertToggle), Cp("Инверсия"));
  EXPECT_EQ(store.Text(LptToggle), "LPT");
  EXPECT_EQ(store.Text(ExpandButton), "<     >");

  const char* modes[] = {"Нету", "Ручной", "Авто", "Случайный", "Уровень 1", "Уровень 2"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(store.ItemText(ModeCombo, i), Cp(modes[i]));
  for (int pin = 1; pin <= kChannelCount; ++pin) {
    EXPECT_EQ(store.ItemText(PinComboId(pin), 0), Cp("Нету"));
    EXPECT_EQ(store.ItemText(PinComboId(pin), 18), "18");
  }
  EXPECT_EQ(store.State(ModeCombo), 3);
  EXPECT_EQ(store.State(PinComboId(1)), 0) << "replacing item 0 keeps its selection";
  EXPECT_EQ(store.Text(PinComboId(1)), Cp("Нету"));
  EXPECT_EQ(store.State(PinComboId(2)), 7);
  EXPECT_EQ(texts.Text("ac7"), Cp("Выход"));
  EXPECT_EQ(texts.Text("ac10"), Cp("Файлы эффектов (*.sdu)|*.sdu"));
}

TEST(MissingLibraryMessage, CaptionAndTwoLinesJoinedByCrLfWithTheFileName) {
  const LanguageTexts texts;
  const MissingLibraryText message = MissingLibraryMessage(texts, "libglimmora-port.so");
  EXPECT_EQ(message.caption, Cp("Файл отсутствует!"));
  EXPECT_EQ(message.text, Cp("Для работы программы\r\nтребуется файл libglimmora-port.so"));
}

}  // namespace
}  // namespace glimmora
