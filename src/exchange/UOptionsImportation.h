#pragma once
// The import column options form: where each of the eight fields of a part line stands in an
// imported file (a column number, or "Automatique" for a field the import fills itself), the
// grain given to parts when the file has no grain column, whether the import may add unknown
// species, designations and part sizes to the reference lists, and the file's unit.
//
// The caller hands in the three add switches, the default grain, the unit and the column map
// (edited in place: the form has no cancel), and after the form closes takes the switches, the
// grain and, from the import form, the unit back when Changed is set. The given fields always
// hold the columns 1..k between them; choosing a column for a field swaps it with the field
// that held it.

#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/DialogFrame.h"
#include "job/Settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tranchex {

// The units a cutting sheet may be written in, in the order of the unit boxes of the import
// form and of this one. The inch's abbreviation here is empty: the import form gives its own.
struct FileUnitChoice {
  int TextId;  // the unit's name in the box
  double Factor;
  const char* Abbreviation;
};
extern const std::array<FileUnitChoice, 4> kFileUnitChoices;
// The position of the unit of exactly this factor; -1 when none has it.
int FileUnitChoiceIndex(double factor);

class TFOptionsImportation : public DialogFrame {
  Q_OBJECT

 public:
  TFOptionsImportation(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  // ---- Handed in before each showing, read back after -----------------------------------------
  std::uint8_t AddSpecies = 0;
  std::uint8_t AddDesignations = 0;
  std::uint8_t AddDimensions = 0;
  std::int32_t DefaultGrain = 1;  // 0 horizontal, 1 vertical, 2 indifferent
  double UnitFactor = 10.0;       // internal units per file unit
  std::string UnitAbbreviation = "mm";
  // The program's unit: choosing a file unit other than it says the sizes will be converted.
  double ProgramFactor = 10.0;
  std::vector<OPTION_COL_IMPORT>* ColumnList = nullptr;  // the eight entries, edited in place
  // 1 once anything was changed during this showing (the columns, a switch, the unit).
  std::uint8_t Changed = 0;

  // ---- Controls, by entry (reference, designation, count, length, width, thickness, species,
  // grain); count, length and width have no radio buttons (null) -----------------------------
  QLabel* LblDescription = nullptr;
  std::array<QGroupBox*, kImportColumnCount> Groups{};
  std::array<QComboBox*, kImportColumnCount> ColumnBoxes{};
  std::array<QRadioButton*, kImportColumnCount> AutomaticButtons{};
  std::array<QRadioButton*, kImportColumnCount> GivenButtons{};
  QLabel* LblValDefautSens = nullptr;
  QComboBox* CbxSens = nullptr;
  QLabel* LblAjouts = nullptr;
  QCheckBox* ChbxEssences = nullptr;
  QCheckBox* ChbxDesignations = nullptr;
  QCheckBox* ChbxDimensions = nullptr;
  QLabel* LblEssences = nullptr;
  QLabel* LblDesignations = nullptr;
  QLabel* LblDimensions = nullptr;
  QLabel* LblUnite = nullptr;
  QComboBox* CbxListeUnites = nullptr;
  QPushButton* BtnOk = nullptr;

  // The entries' positions in the column map.
  enum Entry : int {
    Reference = 0,
    Designation,
    Count,
    Length,
    Width,
    Thickness,
    Species,
    Grain
  };

  // Shows the form placed at the opener's top, handed the import's settings and fileUnit; when
  // it reports a change, the switches and the default grain go back into the settings (the
  // options file is marked for rewriting) and the unit chosen into fileUnit. True when changed.
  bool EditImportSettings(const QWidget& opener, Settings& settings, UNITE_MESURE& fileUnit);

  // The question OK asks after a change: the column of each given field, then the fields filled
  // automatically.
  QString ConfirmationText() const;

 protected:
  void NewShowing() override;

 private:
  void FormActivate();
  void SwitchEntry(int entry, bool given);
  void ShowEntryState(int entry);
  void FillImportColumnChoices(int presentCount);
  void RenumberPresentImportColumns();
  void AssignImportColumn(int oldColumn, int newColumn, int entry);
  void ColumnBoxChange(int entry);
  void CbxListeUnitesClick();
  void BtnOkClick();
  void SelectColumn(int entry, int column);
  bool Given(int entry) const;

  int presentCount_ = 0;
  bool activating_ = false;
};

}  // namespace tranchex
