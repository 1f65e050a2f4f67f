#include "ui/store/indicators.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

// Distinct colours for every part, so each pixel tells which step drew it.
constexpr std::uint32_t kOn = Rgb(200, 10, 10);
constexpr std::uint32_t kOff = Rgb(20, 20, 20);
constexpr std::uint32_t kFrame = Rgb(1, 2, 3);
constexpr std::uint32_t kGrid = Rgb(4, 5, 6);
constexpr std::uint32_t kBack = Rgb(7, 8, 9);
constexpr std::uint32_t kBar = Rgb(10, 200, 11);

// What one row of a handed-over picture must hold.
enum class Row { Frame, Lamp, Grid, Back, Bar };

class IndicatorsTest : public ::testing::Test {
 protected:
  IndicatorsTest() {
    state.ChannelColours[0] = kOff;
    for (int k = 1; k <= kChannelCount; ++k) state.ChannelColours[k] = kOn;
    state.BrLedColor = kFrame;
    state.GdSpectrColor = kGrid;
    state.BkSpectrColor = kBack;
    state.SpectrColor = kBar;
  }

  Picture Shown(int channel) const {
    Picture picture;
    store.CopyPicture(BandImageId(channel), picture);
    return picture;
  }

  // The row kinds of a full indicator with a bar `d` pixels high, row 17 from the
  // grid when `gridOverFrame`.
  static std::vector<Row> Layout(int d, bool gridOverFrame) {
    std::vector<Row> rows(Indicators::kHeight);
    for (int r = 0; r < 80; ++r) {
      if (r <= 4 || (r >= 15 && r <= 19)) rows[r] = Row::Frame;
      if (r >= 5 && r <= 14) rows[r] = Row::Lamp;
      if (r >= 20) rows[r] = (80 - r) % 3 == 0 ? Row::Grid : r >= 80 - d ? Row::Bar : Row::Back;
    }
    if (gridOverFrame) rows[17] = Row::Grid;
    return rows;
  }

  static void ExpectPicture(const Picture& picture, const std::vector<Row>& rows, std::uint32_t lamp,
                            const std::string& what) {
    ASSERT_EQ(picture.width, 8) << what;
    ASSERT_EQ(picture.height, 80) << what;
    for (int r = 0; r < 80; ++r) {
      const std::uint32_t colours[] = {kFrame, lamp, kGrid, kBack, kBar};
      const std::uint32_t expected = PixelOf(colours[static_cast<int>(rows[r])]);
      for (int x = 0; x < 8; ++x) {
        ASSERT_EQ(picture.pixels[r * 8 + x], expected) << what << ": row " << r << " column " << x;
      }
    }
  }

  ProcessState state;
  ControlStore store;
  Indicators indicators{state, store};
};

TEST(IndicatorColours, PixelsAreRedGreenBlueFromTheStoredOrder) {
  EXPECT_EQ(PixelOf(255), 0xFF0000u);
  EXPECT_EQ(PixelOf(65280), 0x00FF00u);
  EXPECT_EQ(PixelOf(16711680), 0x0000FFu);
  ProcessState fresh;
  EXPECT_EQ(fresh.ChannelColours[0], 12303291u);
  EXPECT_EQ(fresh.ChannelColours[18], 255u);
}

TEST_F(IndicatorsTest, BarHeightClampAndRow17PixelByPixel) {
  struct Case {
    float level;
    int d;
    float storedBack;
  };
  const Case cases[] = {
      {0.0f, 0, 0.0f},    {0.25f, 0, 0.25f},  {0.75f, 2, 0.75f},  {1.25f, 2, 1.25f}, {1.75f, 4, 1.75f},
      {12.5f, 25, 12.5f}, {30.0f, 60, 30.0f}, {31.0f, 60, 30.0f}, {-3.0f, 0, -3.0f},
  };
  for (const Case& c : cases) {
    const std::string what = "level " + std::to_string(c.level);
    indicators.DrawChannelLed(4, 1);
    state.BandLevels[3] = c.level;
    indicators.DrawBandBar(3);
    EXPECT_EQ(state.BandLevels[3].load(), c.storedBack) << what;
    ExpectPicture(Shown(4), Layout(c.d, true), kOn, what);
    // The next lamp redraw puts the frame back into row 17 and keeps the bar.
    indicators.DrawChannelLed(4, 0);
    ExpectPicture(Shown(4), Layout(c.d, false), kOff, what + ", lamp redrawn");
  }
}

TEST_F(IndicatorsTest, LampRedrawHandsOverTheBarOfTheLastBarRedrawOfAnyBand) {
  state.BandLevels[2] = 10.0f;
  indicators.DrawBandBar(2);
  indicators.DrawChannelLed(9, 1);
  ExpectPicture(Shown(9), Layout(20, false), kOn, "channel 9 after band 2's bar");

  store.TakeChanges();
  indicators.DrawChannelLed(0, 1);
  // Channel 0 paints every lamp in the off colour and touches the 18 indicators only.
  for (int k = 1; k <= kChannelCount; ++k) ExpectPicture(Shown(k), Layout(20, false), kOff, "channel 0");
  const std::vector<int> changed = store.TakeChanges();
  ASSERT_EQ(changed.size(), 18u);
  EXPECT_EQ(changed.front(), BandImageId(1));
  EXPECT_EQ(changed.back(), BandImageId(18));
}

TEST_F(IndicatorsTest, ClearBandLevelsEmptiesEveryBarAndKeepsTheLastLamp) {
  for (int b = 0; b < kChannelCount; ++b) state.BandLevels[b] = 5.0f + b;
  state.BandLevels[18] = 99.0f;
  indicators.DrawChannelLed(6, 1);
  indicators.ClearBandLevels();
  for (int b = 0; b < kChannelCount; ++b) EXPECT_EQ(state.BandLevels[b].load(), 0.0f);
  EXPECT_EQ(state.BandLevels[18].load(), 99.0f) << "the total is not a band";
  for (int k = 1; k <= kChannelCount; ++k) ExpectPicture(Shown(k), Layout(0, true), kOn, "after clear");
}

TEST_F(IndicatorsTest, OutOfRangeNumbersDrawNothing) {
  store.TakeChanges();
  indicators.DrawChannelLed(19, 1);
  indicators.DrawChannelLed(-1, 1);
  indicators.DrawBandBar(18);
  indicators.DrawBandBar(-1);
  EXPECT_TRUE(store.TakeChanges().empty());
}

}  // namespace
}  // namespace glimmora
