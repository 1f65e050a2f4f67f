#include "ui/store/control_store.h"

#include <algorithm>

#include "settings/codepage.h"
#include "ui/store/control_ids.h"

namespace glimmora {

ControlStore::ControlStore() : controls_(kMaxControlId + 1), changed_(kMaxControlId + 1, false) {
  for (const ControlRow& row : MainWindowControls()) {
    Control& c = controls_[row.id];
    c.exists = true;
    c.kind = row.kind;
    c.min = row.min;
    c.max = row.max;
    c.value = row.initial;
    if (row.text) c.text = Cp1251FromUtf8(row.text);
    if (row.tooltip) c.tooltip = Cp1251FromUtf8(row.tooltip);
    c.colour = row.colour;
  }
}

ControlStore::Control* ControlStore::Find(int id) {
  if (id < 0 || id > kMaxControlId || !controls_[id].exists) return nullptr;
  return &controls_[id];
}

const ControlStore::Control* ControlStore::Find(int id) const {
  if (id < 0 || id > kMaxControlId || !controls_[id].exists) return nullptr;
  return &controls_[id];
}

bool ControlStore::MarkChanged(int id) {
  changed_[id] = true;
  const bool first = !anyChanged_;
  anyChanged_ = true;
  return first;
}

void ControlStore::Notify(bool first) {
  if (!first) return;
  std::function<void()> notify;
  {
    std::lock_guard lock(mutex_);
    notify = notify_;
  }
  if (notify) notify();
}

int ControlStore::State(int id) const {
  std::lock_guard lock(mutex_);
  const Control* c = Find(id);
  return c ? c->value : 0;
}

void ControlStore::SetState(int id, int value) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    Control* c = Find(id);
    if (!c) return;
    switch (c->kind) {
      case ControlKind::VerticalScrollBar:
      case ControlKind::HorizontalScrollBar:
      case ControlKind::TrackBar:
        value = std::clamp(value, c->min, c->max);
        break;
      case ControlKind::DropDownList:
        if (value < 0 || value >= static_cast<int>(c->items.size())) value = -1;
        break;
      case ControlKind::ToggleButton:
        value = value != 0 ? 1 : 0;
        break;
      default:
        return;
    }
    if (c->value == value) return;
    c->value = value;
    first = MarkChanged(id);
  }
  Notify(first);
}

std::string ControlStore::Text(int id) const {
  std::lock_guard lock(mutex_);
  const Control* c = Find(id);
  if (!c) return {};
  if (c->kind == ControlKind::DropDownList) {
    return c->value >= 0 && c->value < static_cast<int>(c->items.size()) ? c->items[c->value] : std::string();
  }
  return c->text;
}

void ControlStore::SetText(int id, std::string_view text) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    Control* c = Find(id);
    if (!c || c->text == text) return;
    c->text.assign(text);
    first = MarkChanged(id);
  }
  Notify(first);
}

void ControlStore::AddItem(int id, std::string_view text) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    Control* c = Find(id);
    if (!c || c->kind != ControlKind::DropDownList) return;
    c->items.emplace_back(text);
    first = MarkChanged(id);
  }
  Notify(first);
}

void ControlStore::SetItemText(int id, int index, std::string_view text) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    Control* c = Find(id);
    if (!c || c->kind != ControlKind::DropDownList || index < 0 || index >= static_cast<int>(c->items.size())) {
      return;
    }
    c->items[index].assign(text);
    if (c->value == index) c->value = -1;
    first = MarkChanged(id);
  }
  Notify(first);
}

void ControlStore::ReplaceItemTexts(int id, std::span<const std::string> texts) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    Control* c = Find(id);
    if (!c || c->kind != ControlKind::DropDownList) return;
    const size_t n = std::min(texts.size(), c->items.size());
    std::copy_n(texts.begin(), n, c->items.begin());
    first = MarkChanged(id);
  }
  Notify(first);
}

void ControlStore::ClearItems(int id) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    Control* c = Find(id);
    if (!c || c->kind != ControlKind::DropDownList) return;
    c->items.clear();
    c->value = -1;
    first = MarkChanged(id);
  }
  Notify(first);
}

int ControlStore::ItemCount(int id) const {
  std::lock_guard lock(mutex_);
  const Control* c = Find(id);
  return c ? static_cast<int>(c->items.size()) : 0;
}

std::string ControlStore::ItemText(int id, int index) const {
  std::lock_guard lock(mutex_);
  const Control* c = Find(id);
  if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return {};
  return c->items[index];
}

std::vector<std::string> ControlStore::Items(int id) const {
  std::lock_guard lock(mutex_);
  const Control* c = Find(id);
  return c ? c->items : std::vector<std::string>();
}

void ControlStore::SetTooltip(int id, std::string_view text) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    Control* c = Find(id);
    if (!c || c->tooltip == text) return;
    c->tooltip.assign(text);
    first = MarkChanged(id);
  }
  Notify(first);
}

std::string ControlStore::Tooltip(int id) const {
  std::lock_guard lock(mutex_);
  const Control* c = Find(id);
  return c ? c->tooltip : std::string();
}

void ControlStore::SetTextColour(int id, std::uint32_t colour) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    Control* c = Find(id);
    if (!c || c->colour == colour) return;
    c->colour = colour;
    first = MarkChanged(id);
  }
  Notify(first);
}

std::uint32_t ControlStore::TextColour(int id) const {
  std::lock_guard lock(mutex_);
  const Control* c = Find(id);
  return c ? c->colour : 0;
}

void ControlStore::SetPicture(int id, std::span<const std::uint32_t> pixels, int width, int height) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    Control* c = Find(id);
    if (!c || c->kind != ControlKind::ImageControl) return;
    c->picture.width = width;
    c->picture.height = height;
    c->picture.pixels.assign(pixels.begin(), pixels.end());
    first = MarkChanged(id);
  }
  Notify(first);
}

void ControlStore::CopyPicture(int id, Picture& out) const {
  std::lock_guard lock(mutex_);
  const Control* c = Find(id);
  if (!c) {
    out.width = out.height = 0;
    out.pixels.clear();
    return;
  }
  out.width = c->picture.width;
  out.height = c->picture.height;
  out.pixels.assign(c->picture.pixels.begin(), c->picture.pixels.end());
}

int ControlStore::Minimum(int id) const {
  std::lock_guard lock(mutex_);
  const Control* c = Find(id);
  return c ? c->min : 0;
}

int ControlStore::Maximum(int id) const {
  std::lock_guard lock(mutex_);
  const Control* c = Find(id);
  return c ? c->max : 0;
}

void ControlStore::SetChangeNotifier(std::function<void()> notify) {
  std::lock_guard lock(mutex_);
  notify_ = std::move(notify);
}

std::vector<int> ControlStore::TakeChanges() {
  std::lock_guard lock(mutex_);
  std::vector<int> ids;
  if (!anyChanged_) return ids;
  for (int id = 0; id <= kMaxControlId; ++id) {
    if (changed_[id]) {
      ids.push_back(id);
      changed_[id] = false;
    }
  }
  anyChanged_ = false;
  return ids;
}

}  // namespace glimmora
