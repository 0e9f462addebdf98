#include "exchange/UFExportChutes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "exchange/OffcutFilterEntry.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

constexpr int kHelpContext = 2040;
constexpr double kDefaultMinSide = 2000.0;
constexpr double kDefaultMinSurface = 4000000.0;

FilterField FieldOf(int kind) {
  return kind == 0 ? FilterField::Length : kind == 1 ? FilterField::Width : FilterField::Surface;
}

}  // namespace

TFExportChutes::TFExportChutes(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::CloseBox, kHelpContext, prompts, help, parent) {
  namespace id = TextId::OffcutFilterForm;
  setObjectName(QStringLiteral("FExportChutes"));
  setWindowTitle(Text(id::Caption));
  RbtnDimensions = new QRadioButton(Text(id::ByDimensions), this);
  RbtnDimensions->setObjectName(QStringLiteral("RbtnDimensions"));
  RbtnSurface = new QRadioButton(Text(id::BySurface), this);
  RbtnSurface->setObjectName(QStringLiteral("RbtnSurface"));
  lblLongueur = new QLabel(this);
  lblLargeur = new QLabel(this);
  lblSurface = new QLabel(this);
  EdtLongueur = new QLineEdit(this);
  EdtLongueur->setObjectName(QStringLiteral("EdtLongueur"));
  EdtLargeur = new QLineEdit(this);
  EdtLargeur->setObjectName(QStringLiteral("EdtLargeur"));
  EdtSurface = new QLineEdit(this);
  EdtSurface->setObjectName(QStringLiteral("EdtSurface"));
  BtnOk = new QPushButton(QStringLiteral("OK"), this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  BtnAnnuler = new QPushButton(QStringLiteral("Annuler"), this);
  BtnAnnuler->setObjectName(QStringLiteral("BtnAnnuler"));
  BtnParamDefaut = new QPushButton(QStringLiteral("Paramètres par défaut"), this);
  BtnParamDefaut->setObjectName(QStringLiteral("BtnParamDefaut"));

  auto* grid = new QGridLayout;
  grid->addWidget(RbtnDimensions, 0, 0, 1, 2);
  grid->addWidget(new QLabel(Text(id::DimensionsNote), this), 1, 0, 1, 2);
  grid->addWidget(lblLongueur, 2, 0);
  grid->addWidget(EdtLongueur, 2, 1);
  grid->addWidget(lblLargeur, 3, 0);
  grid->addWidget(EdtLargeur, 3, 1);
  grid->addWidget(RbtnSurface, 4, 0, 1, 2);
  grid->addWidget(new QLabel(Text(id::SurfaceNote), this), 5, 0, 1, 2);
  grid->addWidget(lblSurface, 6, 0);
  grid->addWidget(EdtSurface, 6, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnAnnuler);
  buttons->addWidget(BtnParamDefaut);
  buttons->addStretch();
  buttons->addWidget(BtnOk);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  SetDefaultButton(BtnOk);
  SetCancelButton(BtnAnnuler);
  // Escape or the close box: Annuler in export mode, no change in settings mode.
  SetEscapeAction([this] {
    FilterConfirmed = false;
    FilterChanged = false;
    reject();
  });
  SetFieldExit(EdtLongueur, [this] { return FieldExit(EdtLongueur, 0); });
  SetFieldExit(EdtLargeur, [this] { return FieldExit(EdtLargeur, 1); });
  SetFieldExit(EdtSurface, [this] { return FieldExit(EdtSurface, 2); });
  connect(RbtnDimensions, &QRadioButton::clicked, this, [this] {
    SetMode(0);
    edited_ = true;
  });
  connect(RbtnSurface, &QRadioButton::clicked, this, [this] {
    SetMode(1);
    edited_ = true;
  });
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
  connect(BtnAnnuler, &QPushButton::clicked, this, [this] {
    FilterConfirmed = false;
    reject();
  });
  connect(BtnParamDefaut, &QPushButton::clicked, this, [this] { BtnParamDefautClick(); });
}

void TFExportChutes::NewShowing() {
  FilterChanged = false;
  FilterConfirmed = false;
  const QString in = Text(TextId::OffcutFilterForm::In) + QString::fromStdString(UnitText);
  lblLongueur->setText(Text(TextId::OffcutFilterForm::Length) + in);
  lblLargeur->setText(Text(TextId::OffcutFilterForm::Width) + in);
  // A surface is typed in the square of the unit, as the summary writes areas.
  lblSurface->setText(Text(TextId::OffcutFilterForm::Surface) + in + QStringLiteral("²"));
  ShowValues();
}

void TFExportChutes::SetMode(std::int32_t mode) {
  FilterMode = mode;
  const bool bySize = mode == 0;
  RbtnDimensions->setChecked(bySize);
  RbtnSurface->setChecked(!bySize);
  for (QWidget* w : {static_cast<QWidget*>(lblLongueur), static_cast<QWidget*>(EdtLongueur),
                     static_cast<QWidget*>(lblLargeur), static_cast<QWidget*>(EdtLargeur)})
    w->setEnabled(bySize);
  lblSurface->setEnabled(!bySize);
  EdtSurface->setEnabled(!bySize);
}

void TFExportChutes::ShowValues() {
  SetMode(FilterMode == 0 ? 0 : 1);
  FilterMode = FilterMode == 0 ? 0 : 1;
  const auto text = [&](double v, FilterField f) {
    return QString::fromStdString(FilterValueText(v, f, UnitFactor, DecimalSeparator));
  };
  EdtLongueur->setText(text(FilterMinLength, FilterField::Length));
  EdtLargeur->setText(text(FilterMinWidth, FilterField::Width));
  EdtSurface->setText(text(FilterMinSurface, FilterField::Surface));
  edited_ = false;
}

bool TFExportChutes::FieldExit(QLineEdit* field, int kind) {
  const std::string typed = field->text().toStdString();
  if (typed.empty()) return true;
  const FilterField f = FieldOf(kind);
  const std::optional<double> value =
      CheckFilterEntry(typed, f, UnitFactor, MaxLength, DecimalSeparator);
  if (!value) {
    namespace id = TextId::OffcutFilterForm;
    const int message = kind == 0 ? id::BadLength : kind == 1 ? id::BadWidth : id::BadSurface;
    prompts_.Notice(Text(id::Caption), Text(message), PromptIcon::Exclamation);
    field->clear();
    field->setFocus();
    return false;
  }
  (kind == 0 ? FilterMinLength : kind == 1 ? FilterMinWidth : FilterMinSurface) = *value;
  field->setText(QString::fromStdString(FilterValueText(*value, f, UnitFactor, DecimalSeparator)));
  edited_ = true;
  return true;
}

void TFExportChutes::BtnOkClick() {
  const bool missing = FilterMode == 0
                           ? EdtLongueur->text().isEmpty() || EdtLargeur->text().isEmpty()
                           : EdtSurface->text().isEmpty();
  if (missing) {
    namespace id = TextId::OffcutFilterForm;
    prompts_.Notice(Text(id::Caption), Text(id::Missing), PromptIcon::Exclamation);
    return;
  }
  FilterChanged = SettingsMode && edited_;
  FilterConfirmed = true;
  accept();
}

// The factory filter; it counts as a change.
void TFExportChutes::BtnParamDefautClick() {
  FilterMinLength = kDefaultMinSide;
  FilterMinWidth = kDefaultMinSide;
  FilterMinSurface = kDefaultMinSurface;
  FilterMode = 0;
  ShowValues();
  edited_ = true;
}

}  // namespace tranchex
