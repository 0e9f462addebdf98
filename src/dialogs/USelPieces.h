#pragma once
// The part entry form: the shop types its cutting list one part at a time (reference,
// designation, length, width, grain, count and, in a complex job, thickness and species), moves
// between the parts, adds and deletes them, then finishes or cancels.
//
// The main window writes the members below, calls ShowPartRecord, shows the form and reads
// Finished. The form edits the three part lists in place and keeps them the same length: entry
// i of each describes the same part, and a part's number is its position.
//
// Nothing typed reaches a record before it is checked: each field's exit takes or refuses its
// value (a pending value and its dirty mark); the record is written when the user leaves it, and
// it must then fit some stock panel.

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/DialogFrame.h"
#include "dialogs/RecordNavigator.h"
#include "dialogs/SpeciesBox.h"
#include "engine/Records.h"
#include "job/MeasureUnit.h"
#include "job/NumberEntry.h"
#include "job/PanelCharacteristics.h"
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

class CharacteristicPicker;
class CheckedField;
class DesignationPicker;
class SizePicker;

// The upper bound of a part's length or width, from the stock panels and the part's grain: the
// bound, and whether it comes from the grain rule (the message then invites another grain).
// Nothing when no bound applies (a grain outside 0..2).
struct PartSizeBound {
  double Bound = 0.0;
  bool FromGrain = false;
  // A value above Bound is refused; for an indifferent grain a value is refused only when it
  // exceeds both the largest length and the largest width, which is above the larger of them.
};
std::optional<PartSizeBound> PartLengthBound(const PanelList& panels, int grain);
std::optional<PartSizeBound> PartWidthBound(const PanelList& panels, int grain);

class TSelPieces : public DialogFrame {
  Q_OBJECT

 public:
  TSelPieces(const Settings& settings, Prompts& prompts, HelpViewer& help,
             QWidget* parent = nullptr);
  ~TSelPieces() override;

  // ---- Controls ------------------------------------------------------------------------------
  QFrame* PanelDessin = nullptr;
  QLabel* Image = nullptr;  // the grain picture
  QLabel* lblReference = nullptr;
  QLabel* lblDesignation = nullptr;
  QLabel* lblLongueur = nullptr;
  QLabel* lblLargeur = nullptr;
  QLabel* lblSens = nullptr;
  QLabel* lblNb = nullptr;
  QLabel* lblEpaisseur = nullptr;
  QLabel* lblEssence = nullptr;
  QLineEdit* EdtReference = nullptr;
  QLineEdit* EdtDesignation = nullptr;
  QToolButton* BitBtnDesignation = nullptr;  // opens the designation picker
  QLineEdit* EdtLongueur = nullptr;
  QLineEdit* EdtLargeur = nullptr;
  QToolButton* BitBtnLongueur = nullptr;  // both open the standard-size picker
  QToolButton* BitBtnLargeur = nullptr;
  QComboBox* CbxSens = nullptr;  // the item index is the grain value
  // The three open the panel characteristics picker.
  QToolButton* BitBtnSens = nullptr;
  QToolButton* BitBtnEpaisseur = nullptr;
  QToolButton* BitBtnEssence = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QCheckBox* ChbNbPieces = nullptr;  // unlocks EdtNb
  QLineEdit* EdtNb = nullptr;
  QGroupBox* GpbDebitComplexe = nullptr;
  QLineEdit* EdtEpaisseur = nullptr;   // typed when thicker stock is allowed
  QComboBox* CbxEpaisseur = nullptr;   // else chosen; each item's data is the internal thickness
  QComboBox* CbxEssence = nullptr;     // editable; the item index is the species index
  QPushButton* BtnPremier = nullptr;
  QPushButton* BtnPred = nullptr;
  QPushButton* BtnSuivant = nullptr;
  QPushButton* BtnDernier = nullptr;
  QLineEdit* EdtCompteur = nullptr;
  QPushButton* BtnAnnul = nullptr;
  QPushButton* BtnNouveau = nullptr;
  QPushButton* BtnSupprimer = nullptr;
  QPushButton* BtnTerminer = nullptr;

  // ---- Written by the main window before the form is shown ---------------------------------
  std::int32_t JobKind = 1;  // 1 simple job, 2 complex job
  const std::vector<std::string>* SpeciesList = nullptr;
  SpeciesAdder AddSpecies;  // how a name typed joins SpeciesList (none: no species is added)
  tranchex::PartList* PartList = nullptr;
  std::vector<std::string>* PartDesignationList = nullptr;
  std::vector<std::string>* PartReferenceList = nullptr;
  const tranchex::PanelList* PanelList = nullptr;
  EngineContext* Engine = nullptr;  // numbers the parts added
  UNITE_MESURE Unit;
  MarginsBlock Margins;
  std::uint8_t ModifyMode = 0;
  std::vector<DIMENSIONS>* PartSizeList = nullptr;  // the standard part sizes, for the picker
  // The shop's designations, for the designation picker.
  std::vector<std::string>* DesignationList = nullptr;
  // The characteristics of the stock panels, one entry per panel in panel order, built from the
  // panels just before the form is shown.
  const tranchex::CharacteristicList* PanelCharacteristicList = nullptr;
  // The standard-size picker; none until the program has one (its buttons are then disabled and
  // a right click on a size field opens nothing).
  SizePicker* Picker = nullptr;
  // The designation and characteristics pickers (the program plugs in its own; without one the
  // buttons are disabled).
  DesignationPicker* DesignationsPicker = nullptr;
  CharacteristicPicker* CharacteristicsPicker = nullptr;

  // ---- Read by the main window after the form is closed --------------------------------------
  std::uint8_t Finished = 0;
  std::uint8_t SpeciesEdited = 0;
  std::uint8_t PartSizesChanged = 0;  // the picker added or deleted a standard size
  std::uint8_t DesignationsChanged = 0;  // the picker added or deleted a designation
  std::uint8_t SpeciesChanged = 0;       // a species typed here joined SpeciesList

  // ---- The record shown and its pending edits ------------------------------------------------
  int CurrentPartIndex() const { return navigator_->Index(); }
  bool NewRecordUntouched() const { return navigator_->NewUntouched(); }
  std::int32_t PendingGrain = 0;
  std::int32_t PendingCount = 1;
  double PendingLength = 0.0;
  double PendingWidth = 0.0;
  double PendingThickness = 0.0;
  std::uint8_t DesignationDirty = 0;
  std::uint8_t ReferenceDirty = 0;
  std::uint8_t LengthDirty = 0;
  std::uint8_t WidthDirty = 0;
  std::uint8_t CountDirty = 0;
  std::uint8_t GrainDirty = 0;
  std::uint8_t ThicknessDirty = 0;

  // Shows the first record (creating one in an empty list) with every control set for it.
  void ShowPartRecord();

  // ---- Handlers --------------------------------------------------------------------------------
  void BtnPremierClick();
  void BtnPredClick();
  void BtnSuivantClick();
  void BtnDernierClick();
  void BtnNouveauClick();
  void BtnSupprimerClick();
  void BtnTerminerClick();
  void BtnAnnulClick();
  void ChbNbPiecesClick();
  void CbxSensClick();
  void CbxEpaisseurChange();
  bool EdtLongueurExit();
  bool EdtLargeurExit();
  bool EdtEpaisseurExit();
  bool EdtNbExit();
  bool EdtReferenceExit();
  bool EdtDesignationExit();
  bool CbxEssenceExit();
  // The standard-size picker (a size button, or the right button on a size field).
  void BitBtnLongueurClick();
  // The designation picker (its button, or the right button on the designation).
  void BitBtnDesignationClick();
  // The panel characteristics picker (the grain, thickness and species buttons).
  void BitBtnSensClick();

  // The swap question as shown, and the refusal of a record that cannot be left.
  QString SwapQuestion() const;
  QString RefusalMessage() const;

 protected:
  void NewShowing() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class SizeField { Length, Width };
  enum class LeaveOutcome { Left, Refused, Abandoned };

  void BuildLayout();
  void FormCreate();
  void ConnectHandlers();
  void FillChoiceBoxes();
  void EnableKindControls();
  void DisplayRecord(int index);
  void SetGrain(int grain);
  void ShowGrainPicture();
  void ShowThickness(double thickness);
  void ClearPendingMarks();
  void CommitPartEdits();
  bool AskSwap();
  LeaveOutcome CheckAndCommit();
  void RestoreSwap();
  void MakeCheckedFields();
  EntryRange SizeRange(SizeField which) const;
  QString SizeRefusal(SizeField which, std::optional<double> value) const;
  void SizeChange(QLineEdit* own, QLineEdit* other, double& pending);
  void Navigate(RecordNavigator::Move move);
  void Refuse(const QString& message);
  QString FreeReference(int skip) const;
  bool AnyDirty() const;
  void EnablePickers();

  const Settings& settings_;
  std::unique_ptr<RecordNavigator> navigator_;
  std::unique_ptr<CheckedField> length_;
  std::unique_ptr<CheckedField> width_;
  std::unique_ptr<CheckedField> thickness_;  // typed, when thicker stock is allowed
  std::unique_ptr<CheckedField> count_;
  // Copies taken before the swap question, and whether the swap was made in this click.
  bool swapped_ = false;
  double keptLength_ = 0.0;
  double keptWidth_ = 0.0;
  int keptGrain_ = 0;
  std::array<QString, 3> grainTexts_;
  // The species shown before the box was typed in: put back when a typed name is not added.
  int speciesShown_ = -1;
};

}  // namespace tranchex
