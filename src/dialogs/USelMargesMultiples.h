#pragma once
// The differentiated margins form, for a complex job whose margins are entered apart: a margin
// along the length of the parts, one along their width, a thickness margin (the stock planed off
// each face of a solid-wood part; the job keeps twice the value typed) and the saw kerf. The
// main window hands in the job's values, shows the form and takes Margins and Kerf back whatever
// closed it. A margin with which some part would no longer fit on a stock panel of its
// thickness and species is refused.
//
// OK alone closes it (no cancel, no close box; Enter and Escape do nothing). OK checks every
// field that is not empty as leaving it would and keeps the form open on a refusal, so what the
// fields show is what the job gets; an empty or disabled field keeps its value.

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "dialogs/DialogFrame.h"
#include "engine/Records.h"
#include "job/MeasureUnit.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tranchex {

class MarginField;
class MarginPicture;

class TSelMargesMultiples : public DialogFrame {
  Q_OBJECT

 public:
  TSelMargesMultiples(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);
  ~TSelMargesMultiples() override;

  MarginPicture* Image1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label1 = nullptr;
  QGroupBox* GpbMarges = nullptr;
  QLabel* LblEpaisseur = nullptr;
  QLineEdit* EdtEpaisseur = nullptr;  // per face
  QLabel* LblLongueur = nullptr;
  QLineEdit* EdtMargeL = nullptr;
  QLabel* LblLargeur = nullptr;
  QLineEdit* EdtMargeH = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLabel* LblTraitScie = nullptr;
  QLineEdit* EdtTraitScie = nullptr;
  QPushButton* BtnOk = nullptr;

  UNITE_MESURE Unit;
  // In and out: LengthMargin and WidthMargin per side, ThicknessMargin the total (twice the
  // per-face value); ThickerStockAllowed says whether the thickness field can be used.
  MarginsBlock Margins;
  const tranchex::PartList* PartList = nullptr;    // read only
  const tranchex::PanelList* PanelList = nullptr;  // read only
  // In and out: the kerf, internal units (the job's, or the default kerf for a new job).
  std::int32_t Kerf = 0;
  double MarginDefault = 0.0;
  double ThicknessMarginDefault = 0.0;  // per face
  std::int32_t KerfDefault = 0;
  std::uint8_t ModifyMode = 0;  // 0 a new job: the defaults; 1 the values, unless all are 0
  // A job of bars: no width margin (the width field is empty and disabled).
  std::uint8_t MarginsAllZero = 0;
  // The user's words for parts and a panel, and the regional decimal separator.
  std::string WordParts = "Pièces";
  std::string WordPanel = "Panneau";
  char DecimalSeparator = ',';

  // Fills and enables the fields from the members; called after they are written.
  void ShowMultipleMarginValues();

 protected:
  void NewShowing() override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormShow();
  void BtnOkClick();
  std::optional<QString> FitRefusal(const MarginsBlock& trial) const;

  std::unique_ptr<MarginField> epaisseur_;
  std::unique_ptr<MarginField> margeL_;
  std::unique_ptr<MarginField> margeH_;
  std::unique_ptr<MarginField> traitScie_;
};

}  // namespace tranchex
