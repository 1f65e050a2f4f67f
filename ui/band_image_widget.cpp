#include "ui/band_image_widget.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "ui/store/control_ids.h"
#include "ui/store/indicators.h"

namespace glimmora {

BandImageWidget::BandImageWidget(ControlStore& store, int channel, std::function<void(int type)> clicked,
                                 QWidget* parent)
    : QWidget(parent), store_(store), id_(BandImageId(channel)), clicked_(std::move(clicked)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setFixedSize(Indicators::kWidth, Indicators::kHeight);
  Refresh();
}

void BandImageWidget::Refresh() {
  store_.CopyPicture(id_, picture_);
  if (picture_.width > 0 && picture_.height > 0 && size() != QSize(picture_.width, picture_.height)) {
    setFixedSize(picture_.width, picture_.height);
  }
  update();
}

void BandImageWidget::paintEvent(QPaintEvent*) {
  // Until the indicators draw it, the control shows a blank (black) picture of its size:
  // being opaque, it must paint every pixel itself.
  if (picture_.pixels.size() != static_cast<std::size_t>(picture_.width) * picture_.height || picture_.width <= 0) {
    QPainter(this).fillRect(rect(), Qt::black);
    return;
  }
  // Wraps the pixels (0x00RRGGBB; RGB32 ignores the top byte) without copying them.
  const QImage image(reinterpret_cast<const uchar*>(picture_.pixels.data()), picture_.width, picture_.height,
                     picture_.width * 4, QImage::Format_RGB32);
  QPainter painter(this);
  painter.drawImage(0, 0, image);
}

void BandImageWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && clicked_) clicked_(0);
}

void BandImageWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) return;
  if (rightDoubleClick_) {
    rightDoubleClick_ = false;
    return;
  }
  if (clicked_) clicked_(1);
}

void BandImageWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && clicked_) clicked_(2);
  if (event->button() == Qt::RightButton) {
    rightDoubleClick_ = true;
    if (clicked_) clicked_(3);
  }
}

}  // namespace glimmora
