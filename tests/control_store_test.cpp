#include "ui/store/control_store.h"

#include <gtest/gtest.h>

#include <thread>

#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

TEST(ControlStore, ClampsPositionsToEachControlsRange) {
  struct Case {
    int id;
    int set;
    int expected;
  };
  const Case cases[] = {
      {ThresholdBarId(1), 40, 39}, {ThresholdBarId(18), -5, 0}, {AruBar, 0, 1},          {AruBar, 61, 60},
      {BrightBar, 16, 15},         {StepBar, 300, 255},         {LevelBar, 61, 60},      {EffectSpeedBar, 9, 5},
      {InvertToggle, 7, 1},        {InvertToggle, 0, 0},        {ThresholdBar1, 20, 20},
  };
  ControlStore store;
  for (const Case& c : cases) {
    store.SetState(c.id, c.set);
    EXPECT_EQ(store.State(c.id), c.expected) << "control " << c.id << " set to " << c.set;
  }
}

TEST(ControlStore, ListsHaveItemsAndSelection) {
  ControlStore store;
  EXPECT_EQ(store.State(PresetCombo), -1);
  EXPECT_EQ(store.Text(PresetCombo), "");
  store.AddItem(PresetCombo, "Party");
  store.AddItem(PresetCombo, "Calm");
  store.SetState(PresetCombo, 1);
  EXPECT_EQ(store.Text(PresetCombo), "Calm");
  store.SetState(PresetCombo, 2);
  EXPECT_EQ(store.State(PresetCombo), -1);

  store.SetState(PresetCombo, 1);
  store.SetItemText(PresetCombo, 0, "Dance");  // another item: selection stays
  EXPECT_EQ(store.State(PresetCombo), 1);
  store.SetItemText(PresetCombo, 1, "Quiet");  // the selected item: selection dropped
  EXPECT_EQ(store.State(PresetCombo), -1);
  EXPECT_EQ(store.ItemText(PresetCombo, 1), "Quiet");

  store.SetState(PresetCombo, 0);
  const std::string texts[] = {"One", "Two"};
  store.ReplaceItemTexts(PresetCombo, texts);
  EXPECT_EQ(store.Text(PresetCombo), "One");
}

TEST(ControlStore, CreationStatesComeFromTheTable) {
  ControlStore store;
  EXPECT_EQ(store.State(ThresholdBar1), 15);
  EXPECT_EQ(store.State(LevelBar), 35);
  EXPECT_EQ(store.State(StepBar), 40);
  EXPECT_EQ(store.Text(UsbStatusLabel), "USBOFF");
  EXPECT_EQ(store.TextColour(UsbStatusLabel), 255u);
}

TEST(ControlStore, ChangesAreCoalescedIntoOneNotification) {
  ControlStore store;
  int notifications = 0;
  store.SetChangeNotifier([&] { ++notifications; });
  for (int k = 1; k <= 18; ++k) store.SetState(ThresholdBarId(k), 3);
  store.SetState(ThresholdBar1, 3);  // unchanged: no change recorded
  EXPECT_EQ(notifications, 1);
  const std::vector<int> changed = store.TakeChanges();
  EXPECT_EQ(changed.size(), 18u);
  store.SetState(LevelBar, 1);
  EXPECT_EQ(notifications, 2);
}

TEST(ControlStore, IsSafeUnderConcurrentUse) {
  ControlStore store;
  for (int i = 0; i < 19; ++i) store.AddItem(PinCombo1, std::to_string(i));
  std::thread engine([&] {
    for (int i = 0; i < 20000; ++i) {
      store.SetState(ThresholdBarId(1 + i % 18), i % 50);
      (void)store.Text(PinCombo1);
      (void)store.State(LevelBar);
    }
  });
  for (int i = 0; i < 20000; ++i) {
    store.SetState(PinCombo1, i % 19);
    store.SetItemText(PinCombo1, i % 19, "x");
    (void)store.TakeChanges();
  }
  engine.join();
  for (int k = 1; k <= 18; ++k) EXPECT_LE(store.State(ThresholdBarId(k)), 39);
}

}  // namespace
}  // namespace glimmora
