#pragma once
// The offcut list window: every offcut of the plan in a five-column table that scrolls.

#include <string>
#include <vector>

#include "dialogs/DialogFrame.h"
#include "job/JobState.h"

class QPushButton;
class QScrollArea;

namespace tranchex {

class OffcutTableView;

class TFListesChutes : public DialogFrame {
  Q_OBJECT

 public:
  TFListesChutes(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  // Set by the main window's summary command before the summary opens.
  const JobState* Job = nullptr;
  const std::vector<std::string>* SpeciesNames = nullptr;
  double UnitFactor = 10.0;
  char DecimalSeparator = ',';

  QScrollArea* Panel = nullptr;
  QWidget* Image = nullptr;  // the table, as tall as its rows need
  QPushButton* BtnExporter = nullptr;
  QPushButton* BtnOK = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  OffcutTableView* table_ = nullptr;
};

}  // namespace tranchex
