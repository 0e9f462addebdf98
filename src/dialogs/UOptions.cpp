#include "dialogs/UOptions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/CheckedField.h"
#include "job/JobRecordChecks.h"
#include "job/NumberEntry.h"
#include "job/Outils_debit.h"
#include "job/Settings.h"
#include "job/SettingsFiles.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace OptionsText = TextId::OptionsForm;

constexpr int kFieldWidth = 90;
constexpr int kWordFieldWidth = 160;
// The bounds are those of a job's records: a default is a value some job will carry. A default
// margin stays below the job margin, a thickness margin (added on both faces) below half of it,
// the kerf below the job kerf.
constexpr double kThicknessMarginBound = kMaxJobMargin / 2;

QString Lower(const std::string& word) { return QString::fromStdString(word).toLower(); }

}  // namespace

TFOptions::TFOptions(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::CloseBox, 2010, prompts, help, parent) {
  setObjectName(QStringLiteral("FOptions"));
  setWindowTitle(Text(OptionsText::Caption));
  BuildLayout();
  SetDefaultButton(BtnOK);

  // The limits: a lower maximum pulls the default size down with it.
  maxLength_ = NumberField(
      EdtMaxLongueur, TextId::FieldChecks::InvalidLength, 1.0, false,
      [] { return kMaxRecordSize; }, true, [this] { return MaxLength; },
      [this](std::int32_t v) {
        MaxLength = v;
        marks_[kMaxLengthMark] = true;
        if (MaxLength < DefaultPanelLength) {
          DefaultPanelLength = MaxLength;
          EdtLongueurDefaut->setText(QString::fromStdString(
              FormatSize(DefaultPanelLength, Unit.Factor, DecimalSeparator)));
        }
      });
  maxWidth_ = NumberField(
      EdtMaxLargeur, TextId::FieldChecks::InvalidWidth, 1.0, false,
      [] { return kMaxRecordSize; }, true, [this] { return MaxWidth; },
      [this](std::int32_t v) {
        MaxWidth = v;
        marks_[kMaxWidthMark] = true;
        if (MaxWidth < DefaultPanelWidth) {
          DefaultPanelWidth = MaxWidth;
          EdtLargeurDefaut->setText(QString::fromStdString(
              FormatSize(DefaultPanelWidth, Unit.Factor, DecimalSeparator)));
        }
      });
  // The default size, within the maximum as it stands now.
  defaultLength_ = NumberField(
      EdtLongueurDefaut, TextId::FieldChecks::InvalidLength, 1.0, false,
      [this] { return MaxLength; }, true, [this] { return DefaultPanelLength; },
      [this](std::int32_t v) {
        DefaultPanelLength = v;
        marks_[kDefaultLengthMark] = true;
      });
  defaultWidth_ = NumberField(
      EdtLargeurDefaut, TextId::FieldChecks::InvalidWidth, 1.0, false,
      [this] { return MaxWidth; }, true, [this] { return DefaultPanelWidth; },
      [this](std::int32_t v) {
        DefaultPanelWidth = v;
        marks_[kDefaultWidthMark] = true;
      });
  margin_ = NumberField(
      EdtMarge, TextId::FieldChecks::InvalidMargin, 0.0, true, [] { return kMaxJobMargin; },
      false, [this] { return DefaultMargin; },
      [this](std::int32_t v) {
        DefaultMargin = v;
        marks_[kMarginMark] = true;
      });
  thicknessMargin_ = NumberField(
      EdtMargeEp, TextId::FieldChecks::InvalidMargin, 0.0, true,
      [] { return kThicknessMarginBound; }, false, [this] { return DefaultThicknessMargin; },
      [this](std::int32_t v) {
        DefaultThicknessMargin = v;
        marks_[kThicknessMarginMark] = true;
      });
  kerf_ = NumberField(
      EdtTraitScie, TextId::FieldChecks::InvalidKerf, 0.0, true, [] { return static_cast<double>(kMaxJobKerf); },
      false, [this] { return static_cast<double>(DefaultKerf); },
      [this](std::int32_t v) {
        DefaultKerf = v;
        marks_[kKerfMark] = true;
      });
  for (CheckedField* f : {maxLength_.get(), maxWidth_.get(), defaultLength_.get(),
                          defaultWidth_.get(), margin_.get(), thicknessMargin_.get(),
                          kerf_.get()}) {
    SetFieldExit(f->Field(), [f] { return f->Exit(); });
  }

  // The words. A new singular makes the plural; the parts' plural is taken at every exit.
  SetFieldExit(EdtDesignationPanneau, [this] {
    if (!EdtDesignationPanneau->isModified()) return true;
    return WordExit(EdtDesignationPanneau, WordPanel, kPanelWordsMark, [this](const std::string& w) {
      WordPanel = w;
      WordPanels = PluralOfWord(w);
      EdtDesignationPanneaux->setText(QString::fromStdString(WordPanels));
    });
  });
  SetFieldExit(EdtDesignationPanneaux, [this] {
    if (!EdtDesignationPanneaux->isModified()) return true;
    return WordExit(EdtDesignationPanneaux, WordPanels, kPanelWordsMark,
                    [this](const std::string& w) { WordPanels = w; });
  });
  SetFieldExit(EdtDesignationPiece, [this] {
    if (!EdtDesignationPiece->isModified()) return true;
    return WordExit(EdtDesignationPiece, WordPart, kPartWordsMark, [this](const std::string& w) {
      WordPart = w;
      WordParts = PluralOfWord(w);
      EdtDesignationPieces->setText(QString::fromStdString(WordParts));
    });
  });
  SetFieldExit(EdtDesignationPieces, [this] {
    return WordExit(EdtDesignationPieces, WordParts, kPartWordsMark,
                    [this](const std::string& w) { WordParts = w; });
  });

  connect(ChkBoxSensFil, &QCheckBox::clicked, this, [this](bool on) {
    GrainDirectionEnabled = on ? 1 : 0;
    marks_[kGrainMark] = true;
  });
  connect(ChkBoxMarge, &QCheckBox::clicked, this, [this](bool on) {
    AskMargins = on ? 1 : 0;
    marks_[kMarginMark] = true;
  });
  connect(ChkBoxCriteresOptimisation, &QCheckBox::clicked, this, [this](bool on) {
    AskOptimisationCriteria = on ? 1 : 0;
    marks_[kCriteriaMark] = true;
  });
  connect(BtnParamDefaut, &QPushButton::clicked, this, [this] { BtnParamDefautClick(); });
  connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
}

TFOptions::~TFOptions() = default;

void TFOptions::BuildLayout() {
  auto field = [this](QWidget* parent, const char* name, int width) {
    auto* edit = Named(new QLineEdit(parent), name);
    edit->setFixedWidth(width);
    return edit;
  };
  auto label = [](QWidget* parent, const char* name, QLineEdit* buddy) {
    auto* l = Named(new QLabel(parent), name);
    l->setBuddy(buddy);
    return l;
  };

  GpbDimensions = Named(new QGroupBox(this), "GpbDimensions");
  EdtMaxLongueur = field(GpbDimensions, "EdtMaxLongueur", kFieldWidth);
  EdtMaxLargeur = field(GpbDimensions, "EdtMaxLargeur", kFieldWidth);
  EdtLongueurDefaut = field(GpbDimensions, "EdtLongueurDefaut", kFieldWidth);
  EdtLargeurDefaut = field(GpbDimensions, "EdtLargeurDefaut", kFieldWidth);
  LblMaxLongueur = label(GpbDimensions, "LblMaxLongueur", EdtMaxLongueur);
  LblMaxLargeur = label(GpbDimensions, "LblMaxLargeur", EdtMaxLargeur);
  LblLongueurDefaut = label(GpbDimensions, "LblLongueurDefaut", EdtLongueurDefaut);
  LblLargeurDefaut = label(GpbDimensions, "LblLargeurDefaut", EdtLargeurDefaut);
  auto* dimensions = new QGridLayout(GpbDimensions);
  int row = 0;
  for (auto [l, e] : {std::pair{LblMaxLongueur, EdtMaxLongueur}, std::pair{LblMaxLargeur, EdtMaxLargeur},
                      std::pair{LblLongueurDefaut, EdtLongueurDefaut},
                      std::pair{LblLargeurDefaut, EdtLargeurDefaut}}) {
    dimensions->addWidget(l, row, 0);
    dimensions->addWidget(e, row, 1);
    ++row;
  }
  dimensions->setColumnStretch(0, 1);

  GpbMarges = Named(new QGroupBox(this), "GpbMarges");
  EdtMarge = field(GpbMarges, "EdtMarge", kFieldWidth);
  EdtMargeEp = field(GpbMarges, "EdtMargeEp", kFieldWidth);
  EdtTraitScie = field(GpbMarges, "EdtTraitScie", kFieldWidth);
  LblMarge = label(GpbMarges, "LblMarge", EdtMarge);
  LblMargeEp = label(GpbMarges, "LblMargeEp", EdtMargeEp);
  LblTraitScie = label(GpbMarges, "LblTraitScie", EdtTraitScie);
  LblMarge->setText(Text(OptionsText::LblMarge));
  LblMargeEp->setText(Text(OptionsText::LblMargeEp));
  LblTraitScie->setText(Text(OptionsText::LblTraitScie));
  auto* margins = new QGridLayout(GpbMarges);
  row = 0;
  for (auto [l, e] : {std::pair{LblMarge, EdtMarge}, std::pair{LblMargeEp, EdtMargeEp},
                      std::pair{LblTraitScie, EdtTraitScie}}) {
    margins->addWidget(l, row, 0);
    margins->addWidget(e, row, 1);
    ++row;
  }
  margins->setColumnStretch(0, 1);

  // The two pairs of words, singular and plural.
  auto wordGroup = [&](const char* name, int titleId, const char* singularName,
                       const char* pluralName, QLineEdit*& singular, QLineEdit*& plural) {
    auto* group = Named(new QGroupBox(Text(titleId), this), name);
    singular = field(group, singularName, kWordFieldWidth);
    plural = field(group, pluralName, kWordFieldWidth);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(Text(OptionsText::Singular), group), 0, 0);
    grid->addWidget(singular, 0, 1);
    grid->addWidget(new QLabel(Text(OptionsText::Plural), group), 1, 0);
    grid->addWidget(plural, 1, 1);
    grid->setColumnStretch(2, 1);
    return group;
  };
  GpbPanneaux = wordGroup("GpbPanneaux", OptionsText::GpbPanneaux, "EdtDesignationPanneau",
                          "EdtDesignationPanneaux", EdtDesignationPanneau, EdtDesignationPanneaux);
  GpbPieces = wordGroup("GpbPieces", OptionsText::GpbPieces, "EdtDesignationPiece",
                        "EdtDesignationPieces", EdtDesignationPiece, EdtDesignationPieces);

  ChkBoxSensFil = Named(new QCheckBox(this), "ChkBoxSensFil");
  ChkBoxMarge = Named(new QCheckBox(Text(OptionsText::ChkBoxMarge), this), "ChkBoxMarge");
  ChkBoxCriteresOptimisation =
      Named(new QCheckBox(Text(OptionsText::ChkBoxCriteresOptimisation), this),
            "ChkBoxCriteresOptimisation");

  BtnParamDefaut =
      Named(new QPushButton(Text(OptionsText::BtnParamDefaut), this), "BtnParamDefaut");
  BtnOK = Named(new QPushButton(Text(OptionsText::BtnOK), this), "BtnOK");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnParamDefaut);
  buttons->addStretch(1);
  buttons->addWidget(BtnOK);

  auto* layout = new QVBoxLayout(this);
  auto* sizes = new QHBoxLayout;
  sizes->addWidget(GpbDimensions);
  sizes->addWidget(GpbMarges);
  layout->addLayout(sizes);
  auto* words = new QHBoxLayout;
  words->addWidget(GpbPanneaux);
  words->addWidget(GpbPieces);
  layout->addLayout(words);
  layout->addWidget(ChkBoxSensFil);
  layout->addWidget(ChkBoxMarge);
  layout->addWidget(ChkBoxCriteresOptimisation);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  QWidget* order[] = {EdtMaxLongueur,        EdtMaxLargeur,          EdtLongueurDefaut,
                      EdtLargeurDefaut,      EdtMarge,               EdtMargeEp,
                      EdtTraitScie,          EdtDesignationPanneau,  EdtDesignationPanneaux,
                      EdtDesignationPiece,   EdtDesignationPieces,   ChkBoxSensFil,
                      ChkBoxMarge,           ChkBoxCriteresOptimisation, BtnParamDefaut,
                      BtnOK};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

std::unique_ptr<CheckedField> TFOptions::NumberField(QLineEdit* field, int fieldTextId,
                                                     double lower, bool lowerIncluded,
                                                     std::function<double()> upper,
                                                     bool upperIncluded,
                                                     std::function<double()> stored,
                                                     std::function<void(std::int32_t)> accepted) {
  CheckedFieldRule rule;
  rule.Guard = FieldExitGuard::Modified;
  rule.OnRefusal = RefusedFieldText::StoredValue;
  rule.FieldTextId = fieldTextId;
  auto checked = std::make_unique<CheckedField>(
      field, rule,
      CheckedField::Sources{
          [this]() -> const UNITE_MESURE& { return Unit; },
          [lower, lowerIncluded, upper = std::move(upper), upperIncluded] {
            return EntryRange{lower, lowerIncluded, upper(), upperIncluded};
          },
          std::move(stored), [this] { return DecimalSeparator; }},
      prompts_);
  checked->OnAccepted = std::move(accepted);
  // A refusal shows the member again and keeps its mark: a value taken earlier in this showing
  // is still reported by OK.
  return checked;
}

bool TFOptions::WordExit(QLineEdit* field, std::string& word, Mark mark,
                         const std::function<void(const std::string&)>& accept) {
  const std::string typed = field->text().toStdString();
  const OptionWordFault fault = CheckOptionWord(typed);
  if (fault == OptionWordFault::None) {
    accept(typed);
    field->setModified(false);
    marks_[mark] = true;
    RebuildWordLabels();
    return true;
  }
  prompts_.Notice(Text(TextId::FieldChecks::Caption),
                  Text(fault == OptionWordFault::BadLength ? OptionsText::WordLength
                                                           : OptionsText::WordNotStorable),
                  PromptIcon::Warning);
  field->setText(QString::fromStdString(word));
  field->setFocus();
  return false;
}

// ---- Showing --------------------------------------------------------------------------------

void TFOptions::CopyFrom(const Settings& s) {
  MaxLength = s.MaxLength;
  MaxWidth = s.MaxWidth;
  DefaultPanelLength = s.DefaultPanelLength;
  DefaultPanelWidth = s.DefaultPanelWidth;
  DefaultMargin = s.DefaultMargin;
  DefaultThicknessMargin = s.DefaultThicknessMargin;
  DefaultKerf = s.DefaultKerf;
  GrainDirectionEnabled = s.GrainDirectionEnabled;
  AskMargins = s.AskMargins;
  AskOptimisationCriteria = s.AskOptimisationCriteria;
  WordPanel = s.WordPanel;
  WordPart = s.WordPart;
  WordPanels = s.WordPanels;
  WordParts = s.WordParts;
}

void TFOptions::CopyTo(Settings& s) const {
  s.MaxLength = MaxLength;
  s.MaxWidth = MaxWidth;
  s.DefaultPanelLength = DefaultPanelLength;
  s.DefaultPanelWidth = DefaultPanelWidth;
  s.DefaultMargin = DefaultMargin;
  s.DefaultThicknessMargin = DefaultThicknessMargin;
  s.DefaultKerf = DefaultKerf;
  s.GrainDirectionEnabled = GrainDirectionEnabled;
  s.AskMargins = AskMargins;
  s.AskOptimisationCriteria = AskOptimisationCriteria;
  s.WordPanel = WordPanel;
  s.WordPart = WordPart;
  s.WordPanels = WordPanels;
  s.WordParts = WordParts;
}

void TFOptions::NewShowing() {
  FormActivate();
  FormShow();
}

// Each showing starts from the members handed in, with nothing changed yet.
void TFOptions::FormActivate() {
  ShowValues();
  std::fill(std::begin(marks_), std::end(marks_), false);
  Changed = 0;
  DefaultsRestored = 0;
  EdtMaxLongueur->setFocus();
}

void TFOptions::ShowValues() {
  auto show = [this](QLineEdit* field, double value) {
    field->setText(QString::fromStdString(FormatSize(value, Unit.Factor, DecimalSeparator)));
  };
  show(EdtMaxLongueur, MaxLength);
  show(EdtMaxLargeur, MaxWidth);
  show(EdtLongueurDefaut, DefaultPanelLength);
  show(EdtLargeurDefaut, DefaultPanelWidth);
  show(EdtMarge, DefaultMargin);
  show(EdtMargeEp, DefaultThicknessMargin);
  show(EdtTraitScie, DefaultKerf);
  EdtDesignationPanneau->setText(QString::fromStdString(WordPanel));
  EdtDesignationPanneaux->setText(QString::fromStdString(WordPanels));
  EdtDesignationPiece->setText(QString::fromStdString(WordPart));
  EdtDesignationPieces->setText(QString::fromStdString(WordParts));
  ChkBoxSensFil->setChecked(GrainDirectionEnabled != 0);
  ChkBoxMarge->setChecked(AskMargins != 0);
  ChkBoxCriteresOptimisation->setChecked(AskOptimisationCriteria != 0);
}

// The labels say the unit and the words as they stand.
void TFOptions::FormShow() {
  const QString inUnit = Text(OptionsText::In) + QString::fromStdString(Unit.Abbreviation);
  LblMaxLongueur->setText(Text(OptionsText::LblMaxLongueur) + inUnit);
  LblMaxLargeur->setText(Text(OptionsText::LblMaxLargeur) + inUnit);
  GpbMarges->setTitle(Text(OptionsText::GpbMarges) + QString::fromStdString(Unit.Abbreviation));
  RebuildWordLabels();
}

void TFOptions::RebuildWordLabels() {
  const QString inUnit = Text(OptionsText::In) + QString::fromStdString(Unit.Abbreviation);
  LblLongueurDefaut->setText(Text(OptionsText::LblLongueurDefaut) + Lower(WordPanel) + inUnit);
  LblLargeurDefaut->setText(Text(OptionsText::LblLargeurDefaut) + Lower(WordPanel) + inUnit);
  ChkBoxSensFil->setText(Text(OptionsText::SensFilStart) + Lower(WordPanels) +
                         Text(OptionsText::SensFilMiddle) + Lower(WordParts) +
                         QStringLiteral(")"));
}

// ---- Buttons --------------------------------------------------------------------------------

// The values of a missing options file; the optimisation-criteria switch stays as it is. Nothing
// is written or deleted here: the main window marks the options file for rewriting.
void TFOptions::BtnParamDefautClick() {
  Settings factory;
  ApplyDefaultOptions(factory);
  const std::uint8_t criteria = AskOptimisationCriteria;
  CopyFrom(factory);
  AskOptimisationCriteria = criteria;
  ShowValues();
  RebuildWordLabels();
  std::fill(std::begin(marks_), std::end(marks_), true);
  DefaultsRestored = 1;
}

void TFOptions::BtnOKClick() {
  Changed = std::any_of(std::begin(marks_), std::end(marks_), [](bool m) { return m; }) ? 1 : 0;
  accept();
}

}  // namespace tranchex
