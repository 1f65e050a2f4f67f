// The indicator controls on Qt's offscreen platform: they show the picture handed over
// through the store, a burst of hand-overs costs one paint of the controls concerned, and
// the window beneath them is not repainted.
#include "ui/band_image_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

#include "engine/process_state.h"
#include "ui/store/control_ids.h"
#include "ui/store/indicators.h"

namespace glimmora {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "band_image_widget_test";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: tearing the application down in the exit handlers crashes.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

class CountingWindow : public QWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override { ++paints; }
};

class CountingImage : public BandImageWidget {
 public:
  using BandImageWidget::BandImageWidget;
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent* event) override {
    ++paints;
    BandImageWidget::paintEvent(event);
  }
};

TEST(BandImageWidget, ShowsTheHandedOverPictureAndRepaintsOnlyItselfOncePerBurst) {
  App();
  ProcessState state;
  ControlStore store;
  Indicators indicators(state, store);
  CountingWindow window;
  window.resize(180, 285);
  std::vector<std::unique_ptr<CountingImage>> images;
  for (int k = 1; k <= kChannelCount; ++k) {
    images.push_back(std::make_unique<CountingImage>(store, k, nullptr, &window));
    images.back()->move(10 + 9 * (k - 1), 35);
  }
  window.show();
  for (int turn = 0; turn < 5; ++turn) QApplication::processEvents();
  window.paints = 0;
  for (auto& image : images) image->paints = 0;
  store.TakeChanges();

  // One pass: 18 lamp and bar redraws for channels 3 and 4 only, many hand-overs each.
  for (int repeat = 0; repeat < 9; ++repeat) {
    for (int k : {3, 4}) {
      state.BandLevels[k - 1] = 10.0f;
      indicators.DrawChannelLed(k, 1);
      indicators.DrawBandBar(k - 1);
    }
  }
  for (int id : store.TakeChanges()) images[id - BandImage1]->Refresh();
  QApplication::processEvents();

  EXPECT_EQ(window.paints, 0) << "the window beneath the indicators was repainted";
  for (int k = 1; k <= kChannelCount; ++k) {
    EXPECT_EQ(images[k - 1]->paints, k == 3 || k == 4 ? 1 : 0) << "indicator " << k;
  }
  const QImage shown = images[2]->grab().toImage();
  ASSERT_EQ(shown.size(), QSize(8, 80));
  EXPECT_EQ(shown.pixel(4, 10) & 0xFFFFFFu, 0xFF0000u) << "lamp lit in red";
  EXPECT_EQ(shown.pixel(4, 79) & 0xFFFFFFu, 0x00FF00u) << "bar in green";
  EXPECT_EQ(shown.pixel(4, 30) & 0xFFFFFFu, 0x6B6B6Bu) << "background above the bar";
}

}  // namespace
}  // namespace glimmora
