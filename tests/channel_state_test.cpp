#include "engine/channel_state.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

class ChannelStateTest : public ::testing::Test {
 protected:
  ChannelStateTest() {
    // Each pin list offers "no channel" and the channels 1..18; pin p drives channel p.
    for (int pin = 1; pin <= kChannelCount; ++pin) {
      for (int item = 0; item <= kChannelCount; ++item) store.AddItem(PinComboId(pin), std::to_string(item));
      store.SetState(PinComboId(pin), pin);
    }
  }

  void AssignAllPins(int item) {
    for (int pin = 1; pin <= kChannelCount; ++pin) store.SetState(PinComboId(pin), item);
  }

  std::uint32_t LampPixel(int channel) const {
    Picture picture;
    store.CopyPicture(BandImageId(channel), picture);
    return picture.pixels.at(10 * Indicators::kWidth);  // row 10 lies in the lamp
  }

  ProcessState state;
  ControlStore store;
  Indicators indicators{state, store};
  ChannelState channels{state, store, indicators};
};

TEST_F(ChannelStateTest, InvertStoredStateLptShareAndLamp) {
  struct Case {
    int invert;
    int channel;
    int on;
    int stored;
    int lptData;
    int lptControl;
  };
  const Case cases[] = {
      {0, 5, 1, 1, 2, 11},    {1, 5, 0, 1, 2, 11},  {1, 5, 1, 0, 0, 11},  {0, 5, 0, 0, 0, 11},  {0, 4, 7, 1, 1, 11},
      {0, 11, 1, 1, 128, 11}, {0, 12, 1, 1, 0, 10}, {0, 13, 1, 1, 0, 9},  {0, 14, 1, 1, 0, 15}, {0, 15, 1, 1, 0, 3},
      {0, 3, 1, 1, 0, 11},    {0, 16, 1, 1, 0, 11}, {1, 14, 0, 1, 0, 15},
  };
  for (const Case& c : cases) {
    const std::string what = "invert " + std::to_string(c.invert) + ", SetChannel(" + std::to_string(c.channel) + ", " +
                             std::to_string(c.on) + ")";
    store.SetState(InvertToggle, c.invert);
    channels.ResetLpt();
    channels.SetChannel(c.channel, c.on);
    EXPECT_EQ(state.ChannelOn[c.channel].load(), c.stored) << what;
    EXPECT_EQ(channels.LptData(), c.lptData) << what;
    EXPECT_EQ(channels.LptControl(), c.lptControl) << what;
    EXPECT_EQ(LampPixel(c.channel), PixelOf(state.ChannelColours[c.stored ? c.channel : 0])) << what;
  }
}

TEST_F(ChannelStateTest, LptValuesWithAllChannelsLit) {
  channels.ResetLpt();
  for (int k = 1; k <= kChannelCount; ++k) channels.SetChannel(k, 1);
  EXPECT_EQ(channels.LptData(), 255);
  EXPECT_EQ(channels.LptControl(), 4);
  channels.ResetLpt();
  EXPECT_EQ(channels.LptData(), 0);
  EXPECT_EQ(channels.LptControl(), 11);
}

TEST_F(ChannelStateTest, AllChannelsFormUnderInvertLightsEveryChannelButShowsTheOffColour) {
  state.ChannelColours[0] = Rgb(1, 1, 1);
  store.SetState(InvertToggle, 1);
  channels.ResetLpt();
  channels.SetChannel(0, 0);
  for (int k = 0; k <= kChannelCount; ++k) EXPECT_EQ(state.ChannelOn[k].load(), 1) << "channel " << k;
  for (int k = 1; k <= kChannelCount; ++k) EXPECT_EQ(LampPixel(k), PixelOf(Rgb(1, 1, 1))) << "lamp " << k;
  EXPECT_EQ(channels.LptData(), 0);
  EXPECT_EQ(channels.LptControl(), 11);
}

TEST_F(ChannelStateTest, ChannelsBeyond18ChangeNothing) {
  channels.SetChannel(0, 1);
  channels.ResetLpt();
  store.TakeChanges();
  channels.SetChannel(19, 0);
  channels.SetChannel(-1, 0);
  for (int k = 0; k <= kChannelCount; ++k) EXPECT_EQ(state.ChannelOn[k].load(), 1);
  EXPECT_TRUE(store.TakeChanges().empty());
  EXPECT_EQ(channels.LptData(), 0);
  EXPECT_EQ(channels.LptControl(), 11);
}

TEST_F(ChannelStateTest, EachPinDrivesItsBitBehindThePortTag) {
  // Pin p alone lit: the three bytes {C, B, D}.
  const ChannelState::PortBytes expected[kChannelCount] = {
      {0, 64, 129},  {0, 64, 130},  {0, 64, 132}, {0, 64, 136}, {0, 64, 144}, {0, 64, 160},
      {0, 96, 128},  {0, 72, 128},  {0, 66, 128}, {0, 65, 128}, {0, 80, 128}, {0, 68, 128},
      {32, 64, 128}, {16, 64, 128}, {8, 64, 128}, {4, 64, 128}, {1, 64, 128}, {2, 64, 128},
  };
  for (int pin = 1; pin <= kChannelCount; ++pin) {
    channels.SetChannel(0, 0);
    channels.SetChannel(pin, 1);
    const ChannelState::PortBytes bytes = channels.ComposePortBytes();
    EXPECT_EQ(bytes.c, expected[pin - 1].c) << "pin " << pin;
    EXPECT_EQ(bytes.b, expected[pin - 1].b) << "pin " << pin;
    EXPECT_EQ(bytes.d, expected[pin - 1].d) << "pin " << pin;
  }
  for (int k = 1; k <= kChannelCount; ++k) channels.SetChannel(k, 1);
  const ChannelState::PortBytes all = channels.ComposePortBytes();
  EXPECT_EQ(all.d, 191);
  EXPECT_EQ(all.b, 127);
  EXPECT_EQ(all.c, 63);
}

TEST_F(ChannelStateTest, PinsSharingAChannelAndPinsOnItemZero) {
  channels.SetChannel(0, 0);
  store.SetState(PinComboId(1), 7);
  store.SetState(PinComboId(13), 7);
  channels.SetChannel(7, 1);
  ChannelState::PortBytes bytes = channels.ComposePortBytes();
  EXPECT_EQ(bytes.d, 128 + 1);
  EXPECT_EQ(bytes.b, 64 + 32) << "pin 7 drives channel 7 too";
  EXPECT_EQ(bytes.c, 32);

  // Item 0 follows the last all-channels call: off normally, on under invert.
  AssignAllPins(0);
  channels.SetChannel(0, 0);
  bytes = channels.ComposePortBytes();
  EXPECT_EQ(bytes.c, 0);
  EXPECT_EQ(bytes.b, 64);
  EXPECT_EQ(bytes.d, 128);
  store.SetState(InvertToggle, 1);
  channels.SetChannel(0, 0);
  bytes = channels.ComposePortBytes();
  EXPECT_EQ(bytes.c, 63);
  EXPECT_EQ(bytes.b, 127);
  EXPECT_EQ(bytes.d, 191);
}

TEST_F(ChannelStateTest, PinWithoutSelectionSendsZero) {
  for (int k = 0; k <= kChannelCount; ++k) channels.SetChannel(k, 1);
  store.SetState(PinComboId(1), 19);  // outside the items: no selection
  store.SetState(PinComboId(18), -1);
  store.ClearItems(PinComboId(10));
  const ChannelState::PortBytes bytes = channels.ComposePortBytes();
  EXPECT_EQ(bytes.d, 191 - 1);
  EXPECT_EQ(bytes.b, 127 - 1);
  EXPECT_EQ(bytes.c, 63 - 2);
}

}  // namespace
}  // namespace glimmora
