// The main window's controls as data: identifier, kind, geometry, range, initial state,
// text, colour and tooltip. The control store takes ranges and initial states from it and
// the Qt window builds its widgets from it, so the table is written down once.
#pragma once

#include <cstdint>
#include <span>

namespace glimmora {

enum class ControlKind {
  VerticalScrollBar,
  HorizontalScrollBar,
  TrackBar,
  DropDownList,
  ToggleButton,
  PushButton,
  ImageButton,
  TextLabel,
  ImageControl,
};

enum class Alignment { Left, Centre };

struct ControlRow {
  int id;
  const char* name;
  ControlKind kind;
  int x, y, w, h;
  int min, max, page;    // scroll bars and track bars; 0 otherwise
  int initial;           // position, toggle state, or -1 (no selection) for lists
  const char* text;      // UTF-8; built-in text of a button or label, nullptr when none
  const char* textKey;   // language key of the text, nullptr when never translated
  std::uint32_t colour;  // label text colour, red in the low byte; 0 = default
  Alignment alignment;
  bool sunken;             // label with a sunken border
  const char* tooltipKey;  // language key of the tooltip, nullptr when none
  const char* tooltip;     // UTF-8 built-in tooltip, nullptr when none
  bool rightPanel;         // part of the expandable right-hand panel
};

// Every control of the main window, in the order of creation.
std::span<const ControlRow> MainWindowControls();

// The table row of one control, or nullptr.
const ControlRow* FindControl(int id);

// Band labels (Hz) of the 18 threshold bars' tooltips.
extern const char* const kBandLabels[18];

// Built-in texts of the ModeCombo items (keys ac15..ac20), UTF-8.
extern const char* const kModeItemTexts[6];

// Pin names, per PinCombo 1..18.
extern const char* const kPinNames[18];

// The main window's client size.
constexpr int kClientWidthCollapsed = 180;
constexpr int kClientWidthExpanded = 340;
constexpr int kClientHeight = 285;

}  // namespace glimmora
