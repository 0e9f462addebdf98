#pragma once
// The stock panel entry form: the shop enters or corrects its stock panels one record at a time
// (length, width, grain, quantity and, in a complex job, thickness and species), moves between
// them, adds and deletes records, then finishes or cancels.
//
// The main window writes the members below, calls ShowPanelRecord, shows the form and reads
// Finished: the form edits PanelList in place (the job's own list in a new job, a working copy
// the window keeps only after a finish when a job is modified). A species added here goes into
// the species list through AddSpecies, for good, whatever closes the form; PanelSizesChanged
// tells the window to rewrite the panel sizes file.
//
// Nothing the user types reaches a record before it is checked: each field's exit takes or
// refuses its value (a pending value and its dirty mark), and the record is written when the
// user leaves it (another record, a new one, the finish), after the length-not-below-width rule.
// When a job is modified, a record left, deleted or finished on must still let every part of the
// job fit some panel.

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/DialogFrame.h"
#include "dialogs/RecordNavigator.h"
#include "dialogs/SpeciesBox.h"
#include "engine/Records.h"
#include "job/MeasureUnit.h"
#include "job/Settings.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tranchex {

class CheckedField;
class SizePicker;

class TSelPanneaux : public DialogFrame {
  Q_OBJECT

 public:
  // settings: the options the form reads at each showing (largest sizes, default panel size,
  // grain direction on or off, the words for panels and parts).
  TSelPanneaux(const Settings& settings, Prompts& prompts, HelpViewer& help,
               QWidget* parent = nullptr);
  ~TSelPanneaux() override;

  // ---- Controls ------------------------------------------------------------------------------
  QFrame* PanelDessin = nullptr;
  QLabel* Image = nullptr;  // the grain picture
  QLabel* lblLongueur = nullptr;
  QLabel* lblLargeur = nullptr;
  QLabel* lblSens = nullptr;
  QLabel* lblNb = nullptr;
  QLabel* lblEpaisseur = nullptr;
  QLabel* lblEssence = nullptr;
  QLineEdit* EdtLongueur = nullptr;
  QLineEdit* EdtLargeur = nullptr;
  QToolButton* BitBtnLongueur = nullptr;
  QToolButton* BitBtnLargeur = nullptr;
  QComboBox* CbxSens = nullptr;  // the item index is the grain value
  QGroupBox* GroupBox2 = nullptr;
  QCheckBox* ChbNbPanneaux = nullptr;  // unlocks EdtNb
  QLineEdit* EdtNb = nullptr;
  QGroupBox* GpbDebitComplexe = nullptr;
  QLineEdit* EdtEpaisseur = nullptr;
  QComboBox* CbxEssence = nullptr;  // editable: a typed name may join the species list
  QToolButton* BitBtnEpaisseur = nullptr;
  QPushButton* BtnPremier = nullptr;
  QPushButton* BtnPred = nullptr;
  QPushButton* BtnSuivant = nullptr;
  QPushButton* BtnDernier = nullptr;
  QLineEdit* EdtCompteur = nullptr;  // the position of the record shown, from 1
  QPushButton* BtnAnnul = nullptr;
  QPushButton* BtnNouveau = nullptr;
  QPushButton* BtnSupprimer = nullptr;
  QPushButton* BtnTerminer = nullptr;

  // ---- Written by the main window before the form is shown ---------------------------------
  std::int32_t JobKind = 1;  // 1 simple job, 2 complex job (thickness and species entered)
  const std::vector<std::string>* SpeciesList = nullptr;  // a record's species: a place in it
  SpeciesAdder AddSpecies;  // how a name typed joins SpeciesList (none: no species is added)
  tranchex::PanelList* PanelList = nullptr;         // the panels edited, in place
  const tranchex::PartList* PartList = nullptr;     // the job's parts, for the fit tests
  std::vector<DIMENSIONS>* PanelSizeList = nullptr;  // the standard panel sizes, for the picker
  UNITE_MESURE Unit;       // the unit lengths are shown and typed in
  MarginsBlock Margins;    // the job's margins, for the fit tests
  std::uint8_t ModifyMode = 0;     // 1: a job is modified, the fit tests apply
  std::uint8_t ImportPending = 0;  // 1: shown by the modification that ends an import
  std::int32_t ImportGrain = -1;   // with ImportPending: the grain all parts share, or -1
  // The standard-size picker; none until the program has one (the size buttons are disabled
  // and a right click on a size field opens nothing).
  SizePicker* Picker = nullptr;

  // ---- Read by the main window after the form is closed --------------------------------------
  std::uint8_t Finished = 0;  // 1 after Terminer, 0 after Annuler
  std::uint8_t SpeciesChanged = 0;     // a species was added to SpeciesList during this showing
  std::uint8_t PanelSizesChanged = 0;  // the picker added or deleted a standard size
  std::uint8_t SpeciesEdited = 0;      // the species box was left since the last commit

  // ---- The record shown and its pending edits (internal units) ------------------------------
  int CurrentPanelIndex() const { return navigator_->Index(); }
  bool NewPanelUntouched() const { return navigator_->NewUntouched(); }
  bool CurrentPanelIsNew() const { return navigator_->CurrentIsNew(); }
  std::int32_t PendingCount = 1;
  double PendingLength = 0.0;
  double PendingWidth = 0.0;
  double PendingThickness = 0.0;
  std::uint8_t LengthDirty = 0;
  std::uint8_t WidthDirty = 0;
  std::uint8_t CountDirty = 0;
  std::uint8_t GrainDirty = 0;
  std::uint8_t ThicknessDirty = 0;

  // Shows the first record (creating a default one in an empty list) with every control set for
  // it and the pending state cleared. Called by the main window before the form is shown.
  void ShowPanelRecord();

  // ---- Handlers --------------------------------------------------------------------------------
  void BtnPremierClick();
  void BtnPredClick();
  void BtnSuivantClick();
  void BtnDernierClick();
  void BtnNouveauClick();
  void BtnSupprimerClick();
  void BtnTerminerClick();
  void BtnAnnulClick();
  void ChbNbPanneauxClick();
  void CbxSensClick();
  // The exits of the fields; false when the value was refused.
  bool EdtLongueurExit();
  bool EdtLargeurExit();
  bool EdtEpaisseurExit();
  bool EdtNbExit();
  bool CbxEssenceExit();
  // The standard-size picker (a size button, or the right button on a size field).
  void BitBtnLongueurClick();

  // The form's texts as loaded (for the tests of their wording).
  const std::array<QString, 3>& GrainTexts() const { return grainTexts_; }

 protected:
  void NewShowing() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void ComposeWordTexts();
  void BuildLayout();
  void ConnectHandlers();
  void MakeCheckedFields();

  void EdtLongueurChange();
  void EdtLargeurChange();

  bool CommitPanelEdits(bool finishing);
  bool LeaveRecord();
  void DisplayRecord(int index);
  void ShowGrainPicture();
  void SetGrain(int grain);
  void ShowSpecies(int species);
  int ShownSpeciesIndex() const;
  void ClearPendingMarks();
  void FillSpeciesBox();
  void EnableKindControls();
  void EnablePicker();
  void Navigate(RecordNavigator::Move move);
  void ReportFailure();
  const Panneau_p& Shown() const;

  const Settings& settings_;
  std::unique_ptr<RecordNavigator> navigator_;
  std::unique_ptr<CheckedField> length_;
  std::unique_ptr<CheckedField> width_;
  std::unique_ptr<CheckedField> thickness_;
  std::unique_ptr<CheckedField> count_;
  // The species text last accepted or shown: put back when a typed name is not added.
  QString speciesShown_;

  std::array<QString, 3> grainTexts_;
  // Message texts; those carrying the panel and part words are composed at each showing.
  QString caption_;            // "Valeur non valide"
  QString msgLength_;          // "Valeur non valide pour une longueur !"
  QString msgWidth_;           // "Valeur non valide pour une largeur !"
  QString msgUntouched_;
  QString msgEditInvalid_;
  QString msgListInvalid_;
  QString msgRemoveParts_;
  QString msgDeleteCaption_;
  QString msgDelete_;
  QString msgLengthBelowWidth_;
  QString formCaption_;
};

}  // namespace tranchex
