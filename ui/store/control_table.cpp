#include "ui/store/control_table.h"

#include <array>

#include "ui/store/control_ids.h"

namespace glimmora {

const char* const kBandLabels[18] = {"13",  "16",  "24",  "35",   "53",   "79",   "118",  "178",  "267",
                                     "400", "600", "900", "1350", "2024", "3036", "4554", "6830", "10250"};

const char* const kModeItemTexts[6] = {"Нету", "Ручной", "Авто", "Случайный", "Уровень 1", "Уровень 2"};

const char* const kPinNames[18] = {"PD0", "PD1", "PD3", "PD5", "PD6", "PD7", "PB0", "PB1", "PB2",
                                   "PB3", "PB4", "PB5", "PC0", "PC1", "PC2", "PC3", "PC4", "PC5"};

namespace {

using K = ControlKind;
constexpr std::uint32_t kRed = 255;
constexpr std::uint32_t kBlue = 16711680;

constexpr ControlRow Bar(int id, const char* name, K kind, int x, int y, int w, int h, int min, int max, int page,
                         int initial, const char* tipKey, const char* tip, bool right = false) {
  return {id,    name,   kind, x,    y, w, h, min, max, page, initial, nullptr, nullptr, 0, Alignment::Left,
          false, tipKey, tip,  right};
}

constexpr ControlRow Button(int id, const char* name, K kind, int x, int y, int w, int h, const char* text,
                            const char* textKey, const char* tipKey, const char* tip, bool right = false) {
  return {id, name, kind, x, y, w, h, 0, 0, 0, 0, text, textKey, 0, Alignment::Left, false, tipKey, tip, right};
}

constexpr ControlRow List(int id, const char* name, int x, int y, int w, int h, const char* tipKey, const char* tip,
                          bool right) {
  return {id,      name, K::DropDownList, x,     y,      w,   h,    0, 0, 0, -1, nullptr,
          nullptr, 0,    Alignment::Left, false, tipKey, tip, right};
}

constexpr ControlRow Label(int id, const char* name, int x, int y, int w, int h, const char* text, std::uint32_t colour,
                           Alignment align, bool sunken, bool right) {
  return {id, name, K::TextLabel, x,      y,     w,      h,       0,       0,    0,
          0,  text, nullptr,      colour, align, sunken, nullptr, nullptr, right};
}

constexpr const char* kThresholdNames[18] = {
    "ThresholdBar1",  "ThresholdBar2",  "ThresholdBar3",  "ThresholdBar4",  "ThresholdBar5",  "ThresholdBar6",
    "ThresholdBar7",  "ThresholdBar8",  "ThresholdBar9",  "ThresholdBar10", "ThresholdBar11", "ThresholdBar12",
    "ThresholdBar13", "ThresholdBar14", "ThresholdBar15", "ThresholdBar16", "ThresholdBar17", "ThresholdBar18"};
constexpr const char* kPinComboNames[18] = {"PinCombo1",  "PinCombo2",  "PinCombo3",  "PinCombo4",  "PinCombo5",
                                            "PinCombo6",  "PinCombo7",  "PinCombo8",  "PinCombo9",  "PinCombo10",
                                            "PinCombo11", "PinCombo12", "PinCombo13", "PinCombo14", "PinCombo15",
                                            "PinCombo16", "PinCombo17", "PinCombo18"};
constexpr const char* kBandImageNames[18] = {"BandImage1",  "BandImage2",  "BandImage3",  "BandImage4",  "BandImage5",
                                             "BandImage6",  "BandImage7",  "BandImage8",  "BandImage9",  "BandImage10",
                                             "BandImage11", "BandImage12", "BandImage13", "BandImage14", "BandImage15",
                                             "BandImage16", "BandImage17", "BandImage18"};

// Pins 1..9 stand in the left column of the panel, 10..18 in the right one.
constexpr int PinColumnX(int pin) { return pin <= 9 ? 0 : 80; }
constexpr int PinRowY(int pin) { return 22 * ((pin - 1) % 9); }

constexpr std::array<ControlRow, 92> BuildTable() {
  std::array<ControlRow, 92> t{};
  int n = 0;
  for (int k = 1; k <= 18; ++k) {
    t[n++] = Bar(ThresholdBarId(k), kThresholdNames[k - 1], K::VerticalScrollBar, 10 + 9 * (k - 1), 117, 8, 80, 0, 39,
                 1, 15, nullptr, nullptr);
  }
  t[n++] = List(ModeCombo, "ModeCombo", 3, 238, 80, 20, "ac14", "Режим", false);
  t[n++] = Bar(BrightBar, "BrightBar", K::HorizontalScrollBar, 10, 218, 80, 16, 0, 15, 3, 11, "ac34", "Яркость");
  t[n++] = Bar(StepBar, "StepBar", K::HorizontalScrollBar, 90, 218, 80, 16, 0, 255, 10, 40, "ac35", "Шаг");
  t[n++] = Bar(LevelBar, "LevelBar", K::HorizontalScrollBar, 10, 200, 80, 16, 0, 60, 10, 35, "ac36",
               "Общий регулятор уровня");
  t[n++] = Bar(AruBar, "AruBar", K::HorizontalScrollBar, 90, 200, 80, 16, 1, 60, 10, 35, "ac37", "АРУ");
  t[n++] = Button(KeyboardToggle, "KeyboardToggle", K::ToggleButton, 278, 260, 57, 20, "Клава", "ac38", "ac39",
                  "Цветомузыка на клавиатуру", true);
  t[n++] = Button(LptToggle, "LptToggle", K::ToggleButton, 181, 260, 57, 20, "LPT", nullptr, "ac40",
                  "Цветомузыка на LPT-порт", true);
  t[n++] = Button(InvertToggle, "InvertToggle", K::ToggleButton, 3, 260, 57, 20, "Инверсия", "ac41", "ac42",
                  "Инвертирует состояние выходов");
  t[n++] = Button(ExpandButton, "ExpandButton", K::PushButton, 119, 260, 57, 20, "<     >", nullptr, "ac43",
                  "Свернуть/Развернуть дополнительные настройки");
  t[n++] = Button(MidpointButton, "MidpointButton", K::PushButton, 61, 260, 57, 20, "0", nullptr, "ac44",
                  "Среднее положение эквалайзера");
  t[n++] = Button(AutostartAddButton, "AutostartAddButton", K::ImageButton, 181, 5, 25, 25, nullptr, nullptr, "ac45",
                  "Добавить в автозагрузку", true);
  t[n++] = Button(AutostartRemoveButton, "AutostartRemoveButton", K::ImageButton, 211, 5, 25, 25, nullptr, nullptr,
                  "ac46", "Удалить из автозагрузки", true);
  t[n++] = Button(LoadEffectsButton, "LoadEffectsButton", K::ImageButton, 87, 5, 25, 25, nullptr, nullptr, "ac47",
                  "Загрузить файл эффектов");
  t[n++] = Bar(EffectSpeedBar, "EffectSpeedBar", K::TrackBar, 5, 5, 80, 20, 0, 5, 1, 0, "ac55", "Скорость БО из файла");
  t[n++] = Label(UsbStatusLabel, "UsbStatusLabel", 119, 8, 57, 18, "USBOFF", kRed, Alignment::Centre, true, false);
  t[n++] =
      Label(MakerLabel, "MakerLabel", 241, 10, 100, 18, "Vestrel Studio 2012", kBlue, Alignment::Left, false, true);
  t[n++] = Label(VersionLabel, "VersionLabel", 243, 264, 35, 18, "v.2.14", kBlue, Alignment::Left, false, true);
  t[n++] = List(PresetCombo, "PresetCombo", 181, 238, 75, 20, "ac48", "Предустановки", true);
  t[n++] = List(LanguageCombo, "LanguageCombo", 260, 238, 75, 20, "ac49", "Язык", true);
  t[n++] = List(EffectCombo, "EffectCombo", 83, 238, 93, 20, "ac21", "Бегущий огонь", false);
  // Pin labels take the identifiers 46..63, alternating between the two columns.
  for (int id = PinLabelFirst; id <= PinLabelLast; ++id) {
    const int pin = id % 2 == 0 ? (id - 46) / 2 + 1 : (id - 47) / 2 + 10;
    t[n++] = Label(id, "PinLabel", 181 + PinColumnX(pin), 39 + PinRowY(pin), 22, 16, kPinNames[pin - 1], 0,
                   Alignment::Left, false, true);
  }
  for (int pin = 1; pin <= 18; ++pin) {
    t[n++] = List(PinComboId(pin), kPinComboNames[pin - 1], 205 + PinColumnX(pin), 35 + PinRowY(pin), 50, 20, "ac50",
                  "Номер фильтра, подключенного к порту", true);
  }
  for (int k = 1; k <= 18; ++k) {
    t[n++] = {BandImageId(k),
              kBandImageNames[k - 1],
              K::ImageControl,
              10 + 9 * (k - 1),
              35,
              8,
              80,
              0,
              0,
              0,
              0,
              nullptr,
              nullptr,
              0,
              Alignment::Left,
              false,
              nullptr,
              nullptr,
              false};
  }
  if (n != 92) throw "control table size";
  return t;
}

constexpr std::array<ControlRow, 92> kControls = BuildTable();

}  // namespace

std::span<const ControlRow> MainWindowControls() { return kControls; }

const ControlRow* FindControl(int id) {
  for (const ControlRow& c : kControls) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

}  // namespace glimmora
