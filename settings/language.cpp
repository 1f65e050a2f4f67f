#include "settings/language.h"

#include <array>
#include <string>
#include <vector>

#include "settings/codepage.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"
#include "ui/store/control_table.h"

namespace glimmora {
namespace {

struct KeyText {
  const char* key;
  const char* text;  // UTF-8
};

// Every key in the order ApplyLanguage reads it, with its built-in text.
constexpr std::array<KeyText, 46> kBuiltIn = {{
    {"ac", "Развернуть"},
    {"ac1", "Свернуть"},
    {"ac2", "Справка"},
    {"ac3", "Настройки"},
    {"ac4", "Схема LPT-светомузыки"},
    {"ac5", "История"},
    {"ac6", "О программе"},
    {"ac7", "Выход"},
    {"ac8", "Гц"},
    {"ac9", "Открыть файл"},
    {"ac10", "Файлы эффектов (*.sdu)|*.sdu"},
    {"ac11", "Файл отсутствует!"},
    {"ac12", "Для работы программы"},
    {"ac13", "требуется файл"},
    {"ac56", "Ошибка!"},
    {"ac57", "Файл (*.sdu) не прочитан"},
    {"ac51", "Авторы"},
    {"ac52", "Настройки"},
    {"ac53", "История"},
    {"ac54", "Схема LPT-светомузыки"},
    {"ac55", "Скорость БО из файла"},
    {"ac14", "Режим"},
    {"ac15", "Нету"},
    {"ac16", "Ручной"},
    {"ac17", "Авто"},
    {"ac18", "Случайный"},
    {"ac19", "Уровень 1"},
    {"ac20", "Уровень 2"},
    {"ac21", "Бегущий огонь"},
    {"ac34", "Яркость"},
    {"ac35", "Шаг"},
    {"ac36", "Общий регулятор уровня"},
    {"ac37", "АРУ"},
    {"ac38", "Клава"},
    {"ac39", "Цветомузыка на клавиатуру"},
    {"ac40", "Цветомузыка на LPT-порт"},
    {"ac41", "Инверсия"},
    {"ac42", "Инвертирует состояние выходов"},
    {"ac43", "Свернуть/Развернуть дополнительные настройки"},
    {"ac44", "Среднее положение эквалайзера"},
    {"ac45", "Добавить в автозагрузку"},
    {"ac46", "Удалить из автозагрузки"},
    {"ac47", "Загрузить файл эффектов"},
    {"ac48", "Предустановки"},
    {"ac49", "Язык"},
    {"ac50", "Номер фильтра, подключенного к порту"},
}};

// The stored texts, in the order they are read.
constexpr const char* kStoredKeys[] = {"ac8",  "ac9",  "ac10", "ac11", "ac12", "ac13",
                                       "ac56", "ac57", "ac51", "ac52", "ac53", "ac54"};

constexpr const char* kModeItemKeys[6] = {"ac15", "ac16", "ac17", "ac18", "ac19", "ac20"};

// The text of a key in the language file being applied; the built-in text while language
// files are not read.
std::string ReadLanguageText(std::string_view key) { return BuiltInText(key); }

}  // namespace

std::string BuiltInText(std::string_view key) {
  for (const KeyText& entry : kBuiltIn) {
    if (key == entry.key) return Cp1251FromUtf8(entry.text);
  }
  return {};
}

LanguageTexts::LanguageTexts() {
  for (const char* key : kTrayMenuKeys) texts_.emplace(key, BuiltInText(key));
  for (const char* key : kStoredKeys) texts_.emplace(key, BuiltInText(key));
}

std::string LanguageTexts::Text(std::string_view key) const {
  std::lock_guard lock(mutex_);
  const auto it = texts_.find(key);
  return it == texts_.end() ? std::string() : it->second;
}

void LanguageTexts::SetText(std::string_view key, std::string text) {
  std::lock_guard lock(mutex_);
  const auto it = texts_.find(key);
  if (it != texts_.end()) it->second = std::move(text);
}

MissingLibraryText MissingLibraryMessage(const LanguageTexts& texts, std::string_view libraryFileName) {
  return {texts.Text("ac11"), texts.Text("ac12") + "\r\n" + texts.Text("ac13") + " " + std::string(libraryFileName)};
}

void ApplyLanguage(ControlStore& store, LanguageTexts& texts, const std::string& fileName) {
  static_cast<void>(fileName);  // language files are not read yet (see the header)
  for (const char* key : kTrayMenuKeys) texts.SetText(key, ReadLanguageText(key));
  for (const char* key : kStoredKeys) texts.SetText(key, ReadLanguageText(key));

  // Tooltips and button texts of the controls that carry a language key, and the items of
  // ModeCombo. ReplaceItemTexts keeps each list's selection while its items change, so the
  // engine never sees a pin list without its selection.
  for (const ControlRow& row : MainWindowControls()) {
    if (row.tooltipKey != nullptr) store.SetTooltip(row.id, ReadLanguageText(row.tooltipKey));
    if (row.textKey != nullptr) store.SetText(row.id, ReadLanguageText(row.textKey));
    if (row.id == ModeCombo) {
      std::vector<std::string> items;
      for (const char* key : kModeItemKeys) items.push_back(ReadLanguageText(key));
      store.ReplaceItemTexts(ModeCombo, items);
    }
  }
  for (int pin = 1; pin <= kChannelCount; ++pin) {
    const std::string none[1] = {ReadLanguageText("ac15")};
    store.ReplaceItemTexts(PinComboId(pin), none);
  }
  const std::string hertz = texts.Text("ac8");
  for (int k = 1; k <= kChannelCount; ++k) {
    store.SetTooltip(ThresholdBarId(k), std::string(kBandLabels[k - 1]) + " " + hertz);
  }
}

}  // namespace glimmora
