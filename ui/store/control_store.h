// The control store: the single truth of every control's state (position, selection,
// toggle, items, texts, tooltip, colour, picture). Both the main thread and the engine
// thread read and set controls through it; positions are clamped to each control's range
// at once, so a value set from the engine reads back clamped in the same pass. Qt widgets
// only mirror it, on the GUI thread, after being told which controls changed.
//
// Thread: every operation may be called from any thread. One mutex guards the store and
// is held only for the copy in or out; the change notifier is called outside it.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/store/control_table.h"

namespace glimmora {

// A picture shown by an image control: width x height pixels, 0x00RRGGBB each.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

class ControlStore {
 public:
  // Builds every control of the main window at its creation state, with the built-in
  // texts and tooltips (converted to Windows-1251).
  ControlStore();

  // Position of a scroll bar or track bar, selected index of a list (-1 = none), toggle
  // state 0/1. Unknown identifiers read 0.
  int State(int id) const;
  // Positions are clamped to the control's range; a list index outside the items clears
  // the selection (-1); a toggle takes 1 for any non-zero value.
  void SetState(int id, int value);

  // A list's selected item's text (empty when nothing is selected), otherwise the control's
  // text. Texts are Windows-1251 bytes.
  std::string Text(int id) const;
  void SetText(int id, std::string_view text);

  void AddItem(int id, std::string_view text);
  // The item keeps its place; the selection is dropped when it is the item replaced.
  void SetItemText(int id, int index, std::string_view text);
  // Replaces the texts of the first items in one step, keeping the selection, so that no
  // reader ever sees the list without its selection while the texts change.
  void ReplaceItemTexts(int id, std::span<const std::string> texts);
  void ClearItems(int id);
  int ItemCount(int id) const;
  std::string ItemText(int id, int index) const;
  std::vector<std::string> Items(int id) const;

  void SetTooltip(int id, std::string_view text);
  std::string Tooltip(int id) const;

  // Text colour of a label, red in the low byte.
  void SetTextColour(int id, std::uint32_t colour);
  std::uint32_t TextColour(int id) const;

  // Copies the pixels into the control's picture; no allocation when the size is unchanged.
  void SetPicture(int id, std::span<const std::uint32_t> pixels, int width, int height);
  // Copies the control's picture into `out`, reusing its storage.
  void CopyPicture(int id, Picture& out) const;

  // Range of a scroll bar or track bar.
  int Minimum(int id) const;
  int Maximum(int id) const;

  // `notify` is called, from whichever thread made the change, when a control changes
  // while no change is pending; the GUI then takes all pending changes at once, so a burst
  // of changes costs one notification.
  void SetChangeNotifier(std::function<void()> notify);
  // The identifiers changed since the last call, in ascending order.
  std::vector<int> TakeChanges();

 private:
  struct Control {
    bool exists = false;
    ControlKind kind = ControlKind::TextLabel;
    int min = 0;
    int max = 0;
    int value = 0;
    std::string text;
    std::vector<std::string> items;
    std::string tooltip;
    std::uint32_t colour = 0;
    Picture picture;
  };

  Control* Find(int id);
  const Control* Find(int id) const;
  // Marks a control changed; returns true when this is the first pending change. Requires mutex_.
  bool MarkChanged(int id);
  void Notify(bool first);

  mutable std::mutex mutex_;
  std::vector<Control> controls_;  // indexed by identifier
  std::vector<bool> changed_;      // indexed by identifier
  bool anyChanged_ = false;
  std::function<void()> notify_;
};

}  // namespace glimmora
