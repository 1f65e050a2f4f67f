// The program: one instance, start-up of the settings and the main window, the Qt event
// loop, and an immediate exit once the window is closed.
#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/single_instance.h"
#include "devices/port_library.h"
#include "engine/process_state.h"
#include "settings/codepage.h"
#include "settings/colours.h"
#include "settings/presets.h"
#include "settings/settings_file.h"
#include "settings/thresholds.h"
#include "ui/main_window.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"

namespace {

using namespace glimmora;

// The lists the saved selections index into must be filled before the selections are read:
// the store drops a selection outside a list's items.
void FillFixedLists(ControlStore& store) {
  for (const char* text : kModeItemTexts) store.AddItem(ModeCombo, Cp1251FromUtf8(text));
  for (int pin = 1; pin <= 18; ++pin) {
    store.AddItem(PinComboId(pin), Cp1251FromUtf8("Нету"));
    for (int n = 1; n <= 18; ++n) store.AddItem(PinComboId(pin), std::to_string(n));
  }
}

// The folder of the program file; the port library is loaded from there.
std::string ProgramDirectory() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : exe.parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
  if (!AcquireSingleInstance()) return 0;
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);

  static PortLibrary port(ProgramDirectory());
  if (!port.Load()) {
    QMessageBox::warning(
        nullptr, QStringLiteral("Файл отсутствует!"),
        QStringLiteral("Для работы программы\r\nтребуется файл ") + QString::fromUtf8(port.FileName()));
    std::_Exit(0);
  }

  static ProcessState state;
  static ControlStore store;
  ReadStartupSettings(state);
  LoadColours(state);
  FillFixedLists(store);
  FillPresetCombo(state, store);
  FillLanguageCombo(state, store);
  LoadPreset(state, store);
  ReadSwitchesAndPins(store);

  MainWindow* shown = nullptr;
  MainWindow window(store, [&shown](const Event& event) {
    if (event.kind == EventKind::CloseRequested) QApplication::quit();
    if (event.kind == EventKind::Control && event.number == ExpandButton && shown != nullptr) {
      const bool expanded = shown->ClientWidth() == kClientWidthExpanded;
      shown->SetClientSize(expanded ? kClientWidthCollapsed : kClientWidthExpanded, kClientHeight);
    }
  });
  shown = &window;
  window.ShowAndRestore();
  QApplication::exec();
  // The engine thread, once running, uses the process-wide objects to the end: leave at once.
  std::_Exit(0);
}
