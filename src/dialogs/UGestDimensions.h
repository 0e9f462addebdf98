#pragma once
// The standard dimensions manager: the standard panel or part sizes, edited in place. Two modes:
//
// - managing (the main window's two commands): every size is listed with its thickness; the
//   sizes in the edits are added, the selected one deleted; OK offers to add a size typed and
//   not yet listed;
// - picking (the panel and part forms, through SizePicker): only the sizes of the job's kind are
//   listed (from the part form, only those some stock panel is as thick as); a size clicked or
//   preselected from the caller's fields goes back to the caller at OK, and a size typed is
//   added to the list first.
//
// SizesChanged and SizeChosen are reset at every showing and report that showing alone. The
// close box and Escape close without OK: no size is added or asked about and none is chosen,
// but the adds and deletes already made stay (and are reported). A refused entry, or a width
// above the length, keeps the form open at OK so that it can be mended.

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "dialogs/DialogFrame.h"
#include "dialogs/SizePicker.h"
#include "engine/Records.h"
#include "job/Settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tranchex {

class CheckedField;

class TFGestDimensions : public DialogFrame, public SizePicker {
  Q_OBJECT

 public:
  // The settings give the unit and the largest length and width accepted.
  TFGestDimensions(const Settings& settings, Prompts& prompts, HelpViewer& help,
                   QWidget* parent = nullptr);
  ~TFGestDimensions() override;

  QLabel *LblLongueur = nullptr, *LblLargeur = nullptr, *LblEpaisseur = nullptr;
  QLineEdit *EdtLongueur = nullptr, *EdtLargeur = nullptr, *EdtEpaisseur = nullptr;
  QListWidget* LbDimensions = nullptr;
  QCheckBox* CbxEpaisseur = nullptr;
  QPushButton *BtnAjouter = nullptr, *BtnSupprimer = nullptr, *BtnOK = nullptr;

  // In: the list edited or picked from (PanelSizes or PartSizes).
  std::vector<DIMENSIONS>* SizeList = nullptr;
  // In, picking only: the job's stock panels whose thicknesses filter the sizes offered; none
  // offers every size of the job's kind.
  const PanelList* FilterPanels = nullptr;
  // In: the job kind, 1 simple or 2 complex; managing makes it 2.
  std::int32_t Kind = 2;
  // In: 0 managing, 1 picking.
  std::uint8_t PickMode = 0;
  // In: who opened the form: 0 the main window; 1 and 2 the panel form (simple, complex job);
  // 3, 4 and 5 the part form (simple job, complex job without and with a thickness margin).
  std::int32_t PickContext = 0;
  // In and out, picking: the caller's size (0 for an empty field) used to preselect a row; at
  // OK the size chosen, in internal units. A simple job's thickness comes back as it went in.
  std::int32_t PickedLength = 0, PickedWidth = 0, PickedThickness = 0;
  // Out: 1 once a size was added or deleted during this showing.
  std::uint8_t SizesChanged = 0;
  // Out: 1 when OK returned a size during this showing.
  std::uint8_t SizeChosen = 0;
  // For each row of the list, the position in SizeList of the size it shows.
  std::vector<std::size_t> RowRecords;

  // The caption of the thickness box: a text of the program, not of the language table.
  static const QString kThicknessBoxCaption;

  // SizePicker: picking for the panel or part form.
  SizePickerOutput Pick(const SizePickerInput& input, QWidget& caller) override;

 protected:
  void NewShowing() override;

 private:
  bool Managing() const { return PickMode == 0; }
  void FormActivate();
  void EnableThicknessControls();
  void FillList();
  void Preselect();
  void EdtChange(QLineEdit* edit);
  void LbDimensionsClick();
  void LbDimensionsDblClick();
  void CbxEpaisseurClick();
  // False when the size was refused (width above length): nothing was added.
  bool BtnAjouterClick();
  void BtnSupprimerClick();
  void BtnOKClick();
  QString ShownValue(double value) const;
  bool EditsHoldASize() const;
  std::int32_t ThicknessToCompare() const;
  void ClearEdited();

  const Settings& settings_;
  std::unique_ptr<CheckedField> length_, width_, thickness_;
  // The size in the three edits, in internal units: set by an accepted entry, a row click and
  // the preselection. Kept between showings.
  std::int32_t CurrentLength = 0, CurrentWidth = 0, CurrentThickness = 0;
  // A value was typed and accepted in that edit since the form was shown or a size added.
  bool LengthEdited = false, WidthEdited = false, ThicknessEdited = false;
};

}  // namespace tranchex
