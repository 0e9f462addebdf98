#pragma once
// The upgrade page window of the help menu, created once with the main window. Its page names
// the product by its name and its job-file tag.

#include "dialogs/UMiseAJour.h"

namespace tranchex {

class TFMiseANiveau : public PageWindow {
  Q_OBJECT

 public:
  TFMiseANiveau(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  // The server's "/info/man.php" with the product's name and the job-file tag appended as they
  // stand ("Tranchex1.6").
  QString PageAddress() const override;

 protected:
  void ReportOpenFailure(const QString& address) override;
};

}  // namespace tranchex
