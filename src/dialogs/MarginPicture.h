#pragma once
// The picture of the margin forms: a part drawn at its overall size, whose hatched border is the
// safety margin around the cutting size.

#include <QWidget>

namespace tranchex {

class MarginPicture : public QWidget {
  Q_OBJECT

 public:
  explicit MarginPicture(QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tranchex
