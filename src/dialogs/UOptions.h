#pragma once
// The general options form: the largest length and width accepted, the default size of a new
// stock panel, the default margins and kerf of a new job, three switches and the four words by
// which the program names the stock panels and the parts.
//
// The main window copies its settings into the members, shows the form, and copies them back
// when Changed is 1 (then DefaultsRestored says whether the factory values were restored). Every
// field is checked when it is left; a refused value is replaced by the member's value. There is
// no cancel button: the close box and Escape close the form with Changed at 0, whatever was
// typed, so nothing of that showing is kept. "Paramètres par défaut" puts the factory values in
// the form (the values of a missing options file); no file is touched by the form.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "dialogs/DialogFrame.h"
#include "job/MeasureUnit.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tranchex {

class CheckedField;
struct Settings;

class TFOptions : public DialogFrame {
  Q_OBJECT

 public:
  TFOptions(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);
  ~TFOptions() override;

  QGroupBox* GpbDimensions = nullptr;
  QLabel* LblMaxLongueur = nullptr;
  QLineEdit* EdtMaxLongueur = nullptr;
  QLabel* LblMaxLargeur = nullptr;
  QLineEdit* EdtMaxLargeur = nullptr;
  QLabel* LblLongueurDefaut = nullptr;
  QLineEdit* EdtLongueurDefaut = nullptr;
  QLabel* LblLargeurDefaut = nullptr;
  QLineEdit* EdtLargeurDefaut = nullptr;
  QGroupBox* GpbMarges = nullptr;  // its title carries the unit
  QLabel* LblMarge = nullptr;
  QLineEdit* EdtMarge = nullptr;
  QLabel* LblMargeEp = nullptr;
  QLineEdit* EdtMargeEp = nullptr;
  QLabel* LblTraitScie = nullptr;
  QLineEdit* EdtTraitScie = nullptr;
  QGroupBox* GpbPanneaux = nullptr;
  QLineEdit* EdtDesignationPanneau = nullptr;
  QLineEdit* EdtDesignationPanneaux = nullptr;
  QGroupBox* GpbPieces = nullptr;
  QLineEdit* EdtDesignationPiece = nullptr;
  QLineEdit* EdtDesignationPieces = nullptr;
  QCheckBox* ChkBoxSensFil = nullptr;  // its caption names the panels and parts
  QCheckBox* ChkBoxMarge = nullptr;
  QCheckBox* ChkBoxCriteresOptimisation = nullptr;
  QPushButton* BtnParamDefaut = nullptr;
  QPushButton* BtnOK = nullptr;

  // ---- In and out --------------------------------------------------------------------------
  double MaxLength = 0.0;  // internal units
  double MaxWidth = 0.0;
  double DefaultPanelLength = 0.0;
  double DefaultPanelWidth = 0.0;
  double DefaultMargin = 0.0;
  double DefaultThicknessMargin = 0.0;
  std::int32_t DefaultKerf = 0;
  std::uint8_t GrainDirectionEnabled = 0;
  std::uint8_t AskMargins = 0;
  std::uint8_t AskOptimisationCriteria = 0;
  std::string WordPanel, WordPart, WordPanels, WordParts;

  // ---- In -----------------------------------------------------------------------------------
  UNITE_MESURE Unit;  // the unit the fields and labels are in
  char DecimalSeparator = ',';

  // ---- Out, reset at each showing ------------------------------------------------------------
  std::uint8_t Changed = 0;           // 1 when OK closed the form after some edit
  std::uint8_t DefaultsRestored = 0;  // 1 when "Paramètres par défaut" was pressed

  // The members from the settings, and back.
  void CopyFrom(const Settings& settings);
  void CopyTo(Settings& settings) const;

 protected:
  void NewShowing() override;

 private:
  // What an edit changed in this showing: OK reports a change when any mark is set.
  enum Mark {
    kMaxLengthMark,
    kMaxWidthMark,
    kPanelWordsMark,
    kPartWordsMark,
    kMarginMark,  // the margin switch and the margin field
    kGrainMark,
    kCriteriaMark,
    kDefaultLengthMark,
    kDefaultWidthMark,
    kThicknessMarginMark,
    kKerfMark,
    kMarkCount
  };

  void BuildLayout();
  void FormActivate();
  void FormShow();
  void ShowValues();
  void RebuildWordLabels();
  // A numeric field checked against lower..upper (internal units); a refusal shows `stored`.
  std::unique_ptr<CheckedField> NumberField(QLineEdit* field, int fieldTextId, double lower,
                                            bool lowerIncluded, std::function<double()> upper,
                                            bool upperIncluded, std::function<double()> stored,
                                            std::function<void(std::int32_t)> accepted);
  // A word field's exit: the word checked, then taken by `accept`; false when refused.
  bool WordExit(QLineEdit* field, std::string& word, Mark mark,
                const std::function<void(const std::string&)>& accept);
  void BtnParamDefautClick();
  void BtnOKClick();

  bool marks_[kMarkCount] = {};
  std::unique_ptr<CheckedField> maxLength_, maxWidth_, defaultLength_, defaultWidth_, margin_,
      thicknessMargin_, kerf_;
};

}  // namespace tranchex
