#pragma once
// The unit of measure form: millimetre, centimetre, metre or inch, in which lengths are shown
// and entered. The main window copies its unit into Unit, shows the form and copies Unit back
// whatever closed it (there is no cancel: the close box and Escape keep the unit as it stands),
// and marks the unit file for rewriting when UnitChanged is 1.

#include <QString>
#include <array>
#include <cstdint>

#include "dialogs/DialogFrame.h"
#include "job/MeasureUnit.h"

class QPushButton;
class QRadioButton;

namespace tranchex {

class TFSelUnite : public DialogFrame {
  Q_OBJECT

 public:
  TFSelUnite(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  QRadioButton* RbtnMillimetre = nullptr;
  QRadioButton* RbtnCentimetre = nullptr;
  QRadioButton* RbtnMetre = nullptr;
  QRadioButton* RbtnPouce = nullptr;
  QPushButton* BtnOk = nullptr;

  // The unit being chosen: its factor and abbreviation are what the form sets.
  UNITE_MESURE Unit;
  // 1 once a click has set a unit other than the one the form had (reset at each showing).
  std::uint8_t UnitChanged = 0;

 protected:
  void NewShowing() override;

 private:
  struct UnitChoice {
    QRadioButton* Button;
    double Factor;
    QString Abbreviation;  // a language text
  };
  void FormShow();
  void UnitClick(const UnitChoice& choice);
  void BtnOkClick();

  // In the order the abbreviations are compared at each showing: mm, cm, pouces, m.
  std::array<UnitChoice, 4> choices_;
};

}  // namespace tranchex
