#pragma once
// The main window.

#include <QMainWindow>

namespace tranchex {

class TFDebit : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFDebit(QWidget* parent = nullptr);
};

}  // namespace tranchex
