#pragma once
// The margin and kerf form: one safety margin, added on each side of every part along its length
// and its width, and the saw kerf. The main window hands in the job's margins, kerf, kind, parts
// and stock panels (ShowMarginValues fills the fields), shows the form, and takes Margins and
// Kerf back whatever closed it. A margin with which some part would no longer fit on any stock
// panel is refused.
//
// The form closes only through OK or Enter (no cancel, no close box; Escape does nothing). OK
// and Enter check every field that is not empty as leaving it would, and keep the form open on
// a refusal, so what the fields show is what the job gets. An empty field keeps its value.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "dialogs/DialogFrame.h"
#include "engine/Records.h"
#include "job/MeasureUnit.h"
#include "job/NumberEntry.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tranchex {

class CheckedField;
class MarginField;
class MarginPicture;

class TSelMarge : public DialogFrame {
  Q_OBJECT

 public:
  TSelMarge(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);
  ~TSelMarge() override;

  MarginPicture* Image1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label1 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLabel* LblMarge = nullptr;
  QLineEdit* EdtMarge = nullptr;
  QLabel* LblTraitScie = nullptr;
  QLineEdit* EdtTraitScie = nullptr;
  QPushButton* BtnOk = nullptr;

  // In and out: one margin stands for LengthMargin and WidthMargin; OK sets ThicknessMargin to
  // 0.0 (this form never keeps one); the flags and the last bytes are carried along.
  MarginsBlock Margins;
  // In and out: the kerf, internal units. The main window hands in the job's kerf (the default
  // kerf for a new job).
  std::int32_t Kerf = 0;
  UNITE_MESURE Unit;          // the unit the fields are in
  std::int32_t JobKind = 1;   // 1 simple job: sizes and grain alone decide whether a part fits
  const tranchex::PartList* PartList = nullptr;    // read only
  const tranchex::PanelList* PanelList = nullptr;  // read only
  std::uint8_t ModifyMode = 0;  // 0 a new job: the fields show the defaults; 1 the values
  double MarginDefault = 0.0;
  std::int32_t KerfDefault = 0;
  // The user's words for parts and a panel (the refusal of a margin names them, in lower case)
  // and the regional decimal separator.
  std::string WordParts = "Pièces";
  std::string WordPanel = "Panneau";
  char DecimalSeparator = ',';

  // Fills the two fields from the members; called after they are written, before showing.
  void ShowMarginValues();

 protected:
  void NewShowing() override;

 private:
  void FormShow();
  void BtnOkClick();

  std::unique_ptr<MarginField> marge_;
  std::unique_ptr<MarginField> traitScie_;
};

// ---- What the differentiated margins form shares with this one -----------------------------

// A margin with which some part fits no stock panel: the margin message, a line break, " car une
// au moins des ", the parts word, " que vous avez saisi ne peut plus être insérée dans aucun ",
// the panel word (both words in lower case) and " !".
QString NoLongerFitsMessage(const std::string& wordParts, const std::string& wordPanel);

// A field's label in the unit: the text of textId, " en " and the unit's abbreviation.
QString LabelInUnit(int textId, const UNITE_MESURE& unit);

// Whether every part still fits some whole stock panel with these margins; matchMaterial asks
// for the part's thickness (with the thickness margin) and species too. No list: true.
bool MarginsFitStock(const tranchex::PartList* parts, const tranchex::PanelList* panels,
                     const MarginsBlock& margins, bool matchMaterial);

// A margin, kerf or thickness field of the two forms: read whenever it is left not empty, taken
// from 0 to below upperBound (internal units), refused with the field's message and the range,
// or with what Verify says; emptied and focused on a refusal.
//
// A value the form shows stands for itself until the person types in the field (CheckedField):
// leaving the field, or OK, checks that exact value (bounds and Verify), so an untouched field
// gives back the value it was shown with in any unit (a kerf of 3 mm shown in metres as "0"
// stays 3 mm). A typed text is read as typed.
class MarginField {
 public:
  MarginField(QLineEdit* field, int fieldTextId, double upperBound, const UNITE_MESURE& unit,
              const char& decimalSeparator, Prompts& prompts);
  ~MarginField();

  // Asked about a value within the bounds before it is taken: a message refuses it.
  std::function<std::optional<QString>(double)> Verify;
  std::function<void(double)> OnAccepted;
  std::function<void()> OnRefused;

  // Shows the value (internal units) with at most two decimals, and stands for it.
  void Show(double value);
  // Empties the field.
  void Clear();
  // The exit; false when the value was refused.
  bool Exit();

 private:
  std::unique_ptr<CheckedField> checked_;
};

// The question asked when OK finds every field empty; true on Yes.
bool ConfirmNothingEntered(Prompts& prompts);

}  // namespace tranchex
