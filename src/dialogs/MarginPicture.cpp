#include "dialogs/MarginPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace tranchex {
namespace {

constexpr int kWidth = 190;
constexpr int kHeight = 100;
constexpr int kBand = 14;  // the margin's width on the picture

}  // namespace

MarginPicture::MarginPicture(QWidget* parent) : QWidget(parent) {
  setFixedSize(kWidth, kHeight);
}

QSize MarginPicture::sizeHint() const { return {kWidth, kHeight}; }

void MarginPicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, false);
  const QRect outer(0, 0, kWidth - 1, kHeight - 1);
  const QRect inner = outer.adjusted(kBand, kBand, -kBand, -kBand);

  // The margin: the band between the overall outline and the cutting size, hatched.
  QPainterPath band;
  band.addRect(outer);
  band.addRect(inner);
  band.setFillRule(Qt::OddEvenFill);
  p.fillRect(outer, Qt::white);
  p.fillPath(band, QBrush(QColor(120, 120, 120), Qt::BDiagPattern));

  // The part at its cutting size, light wood, with the grain drawn along its length.
  p.fillRect(inner.adjusted(1, 1, 0, 0), QColor(236, 214, 170));
  p.setPen(QPen(QColor(200, 170, 120), 1));
  for (int y = inner.top() + 8; y < inner.bottom() - 2; y += 9) {
    p.drawLine(inner.left() + 6, y, inner.right() - 6, y);
  }

  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(outer);
  p.setPen(QPen(Qt::black, 1, Qt::DashLine));
  p.drawRect(inner);
}

}  // namespace tranchex
