#pragma once
// The offcut list window: every offcut of the plan in a five-column table that scrolls.

#include <string>
#include <vector>

#include "dialogs/DialogFrame.h"
#include "exchange/OffcutExport.h"
#include "job/JobState.h"

class QPushButton;
class QScrollArea;

namespace tranchex {

class OffcutTableView;
class TFExportChutes;

class TFListesChutes : public DialogFrame {
  Q_OBJECT

 public:
  TFListesChutes(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  // Set by the main window's summary command before the summary opens.
  const JobState* Job = nullptr;
  const std::vector<std::string>* SpeciesNames = nullptr;
  double UnitFactor = 10.0;
  char DecimalSeparator = ',';
  // The export: the filter form, the program's filter it starts from, the unit and the bound.
  TFExportChutes* FilterForm = nullptr;
  OffcutFilter SettingsFilter;
  std::string UnitText = "mm";
  double MaxLength = 60000.0;

  void BtnExporterClick();

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
