#pragma once
// The import form, shown before the file is chosen: it tells what layout a cutting list file
// must have and the unit its sizes are read in, asks whether its first line holds the column
// headings, and opens the column options form. It keeps the file's unit from one import to the
// next (FollowProgramUnit); the import reads back whether the user went on (Accepted), the
// headings switch and the file's unit.
//
// The column options form it opens edits the settings it is handed: the column map in place,
// and the add switches and the default grain, taken back (and the options file marked for
// rewriting) when that form reports a change, together with the file's unit.

#include <cstdint>

#include "dialogs/DialogFrame.h"
#include "job/MeasureUnit.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tranchex {

struct Settings;
class TFOptionsImportation;

class TFImportation : public DialogFrame {
  Q_OBJECT

 public:
  TFImportation(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  // ---- Handed in --------------------------------------------------------------------------
  TFOptionsImportation* OptionsForm = nullptr;  // the column options form
  Settings* ImportSettings = nullptr;           // the import's settings, edited by that form
  // ---- In and out: the unit the file's lengths are written in ------------------------------
  UNITE_MESURE FileUnit{10.0, std::string(), std::string()};
  // Before each import and each opening of the column options: the file's unit is the one last
  // chosen in the column options, until the program's unit changes; then, and at the first
  // call, it is the program's unit.
  void FollowProgramUnit(const UNITE_MESURE& programUnit);
  // ---- Out ----------------------------------------------------------------------------------
  std::uint8_t FirstLineHeadings = 1;  // 1: the file's first line is skipped
  std::uint8_t Accepted = 0;           // 1 after OK; 0 after Annuler or Escape

  QGroupBox* GroupBox = nullptr;
  QLabel* Label = nullptr;
  QLabel* LblUniteFichier = nullptr;  // "Unité du fichier : mm": the unit the file is read in
  QCheckBox* CbxEntetes = nullptr;
  QPushButton* BtnOK = nullptr;
  QPushButton* BtnAnnuler = nullptr;
  QPushButton* BtnOptionsImportaton = nullptr;
  // The file's unit as a list of its own, kept hidden: the unit is chosen in the column options.
  QLabel* LblUnite = nullptr;
  QComboBox* CbxListeUnites = nullptr;

  void BtnOptionsImportatonClick();

 protected:
  void NewShowing() override;

 private:
  void FormActivate();
  void CbxListeUnitesClick();
  void ShowFileUnit();

  double programFactor_ = 10.0;  // the program's unit the file's unit follows
  bool following_ = false;       // FollowProgramUnit was called
};

}  // namespace tranchex
