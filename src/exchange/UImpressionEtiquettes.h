#pragma once
// The label form "Impression d'étiquettes": the list of label-sheet formats, kept in place (every
// add or delete takes effect at once, there is no cancel), and the printing of the job's part
// labels on the format selected (LabelPrinting.h).
//
// The main window hands it the formats list, the job's parts, references and designations, the
// job kind, whether a computed job is present, the unit and decimal separator of the label texts
// and the printer kept for the run; it enables BtnImprimer when a computed job is present,
// shows the form, and marks the labels file for rewriting when Changed is set.
//
// Label values are whole numbers of tenths of a millimetre, whatever the unit of measure, each in
// 1..2000. "Marge haut" is the text's top inset inside its label, "Marge bas" its LEFT inset.

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/CheckedField.h"
#include "dialogs/DialogFrame.h"
#include "engine/Records.h"
#include "job/MeasureUnit.h"
#include "job/Settings.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPrinter;
class QPushButton;

namespace tranchex {

class TFImpEtiquettes : public DialogFrame {
  Q_OBJECT

 public:
  TFImpEtiquettes(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);
  ~TFImpEtiquettes() override;

  QLabel* LblCommentaire = nullptr;
  QLabel* LblReference = nullptr;
  QListWidget* LbxEtiquette = nullptr;  // the formats' references, in the list's order
  QGroupBox* GrpbxDescription = nullptr;
  QLabel *LblModele = nullptr, *LblHauteur = nullptr, *LblLargeur = nullptr,
         *LblMargeHaut = nullptr, *LblMargeBas = nullptr, *LblPasVertical = nullptr,
         *LblPasHorizontal = nullptr;
  QLineEdit *EdtModele = nullptr, *EdtHauteur = nullptr, *EdtLargeur = nullptr,
            *EdtMargeHaut = nullptr, *EdtMargeBas = nullptr, *EdtPasVertical = nullptr,
            *EdtPasHorizontal = nullptr;
  QPushButton *BtnImprimer = nullptr, *BtnAjouter = nullptr, *BtnSupprimer = nullptr,
              *BtnQuitter = nullptr;

  // ---- Handed in before each showing ------------------------------------------------------------
  std::vector<ETIQUETTE>* Formats = nullptr;  // edited in place
  const PartList* Parts = nullptr;
  const std::vector<std::string>* Designations = nullptr;
  const std::vector<std::string>* References = nullptr;
  std::int32_t JobKind = 1;
  bool JobLoaded = false;  // a computed job is present: a format clicked enables BtnImprimer
  UNITE_MESURE Unit;
  char DecimalSeparator = ',';
  QPrinter* Printer = nullptr;  // where the labels go, without a print dialog

  // ---- Read back --------------------------------------------------------------------------------
  // A format was added or deleted during this showing.
  bool Changed = false;

  // None of the seven fields is empty.
  bool LabelFieldsFilled() const;

  // The commands of the form (also run by its buttons and list).
  void LbxEtiquetteClick();
  void BtnAjouterClick();
  void BtnSupprimerClick();
  void BtnImprimerClick();

 protected:
  void NewShowing() override;

 private:
  void FormShow();
  void ShowFormat(std::size_t index);
  void EdtModeleChange();
  // The row selected in the list; -1 when none is.
  int SelectedRow() const;
  void RefuseField(QLineEdit* field);

  std::array<QLineEdit*, 6> valueFields_{};  // height, width, top, bottom, vertical, horizontal
  std::vector<std::unique_ptr<CheckedField>> checks_;
};

}  // namespace tranchex
