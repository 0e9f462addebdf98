#include "exchange/UFlisteChutes.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "exchange/JobExport.h"
#include "exchange/OffcutTable.h"
#include "exchange/UFExportChutes.h"
#include "job/Outils_debit.h"
#include "platform/FileIO.h"
#include "platform/Prompts.h"
#include <filesystem>
#include "platform/QPainterCanvas.h"
#include "platform/TextIds.h"

namespace tranchex {

// The table's drawing surface inside the scroll area: as tall as its rows need.
class OffcutTableView : public QWidget {
 public:
  explicit OffcutTableView(TFListesChutes& owner) : QWidget(&owner), owner_(owner) {}

  void Fit() {
    const std::size_t n = owner_.Job != nullptr ? owner_.Job->Offcuts.size() : 0;
    const int rowHeight = fontMetrics().height();
    setFixedSize(kGeometry.ImageWidth,
                 std::max(kGeometry.Height, OffcutTableHeight(rowHeight, n) + 2 * rowHeight + 8));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QPainterCanvas canvas(painter);
    static const std::vector<std::string> kNoSpecies;
    const JobState empty;
    const ExportTexts texts = LoadExportTexts();
    const ExportSource source{owner_.Job != nullptr ? *owner_.Job : empty,
                              owner_.SpeciesNames != nullptr ? *owner_.SpeciesNames : kNoSpecies,
                              owner_.UnitFactor, texts, owner_.DecimalSeparator};
    OffcutTableGeometry g = kGeometry;
    g.ImageHeight = height();
    g.Height = height();
    DrawOffcutTable(canvas, source, g);
  }

 private:
  static constexpr OffcutTableGeometry kGeometry{};
  TFListesChutes& owner_;
};

TFListesChutes::TFListesChutes(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::NoCloseBox, 0, prompts, help, parent) {
  setObjectName(QStringLiteral("FListesChutes"));
  setWindowTitle(Text(TextId::SummaryForm::OffcutList));

  Panel = new QScrollArea(this);
  Panel->setObjectName(QStringLiteral("Panel"));
  Panel->setMinimumSize(335 + 20, 175);
  table_ = new OffcutTableView(*this);
  Image = table_;
  Image->setObjectName(QStringLiteral("Image"));
  Panel->setWidget(Image);
  Panel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  BtnExporter = new QPushButton(Text(TextId::OffcutListForm::Export), this);
  BtnExporter->setObjectName(QStringLiteral("BtnExporter"));
  BtnOK = new QPushButton(QStringLiteral("Ok"), this);
  BtnOK->setObjectName(QStringLiteral("BtnOK"));
  for (QPushButton* b : {BtnExporter, BtnOK}) {
    QFont bold = b->font();
    bold.setBold(true);
    b->setFont(bold);
    b->setMinimumWidth(80);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnExporter);
  buttons->addStretch();
  buttons->addWidget(BtnOK);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Panel);
  layout->addLayout(buttons);
  setMinimumSize(369, 271);

  SetDefaultButton(BtnOK);
  SetEscapeAction([this] { accept(); });
  connect(BtnOK, &QPushButton::clicked, this, [this] { accept(); });
  connect(BtnExporter, &QPushButton::clicked, this, [this] { BtnExporterClick(); });
}

void TFListesChutes::showEvent(QShowEvent* event) {
  table_->Fit();
  DialogFrame::showEvent(event);
}

// The filter first (its values hold for this export only), then the file: csv or txt, written
// whole or not at all, with a warning naming the file when it cannot be written.
void TFListesChutes::BtnExporterClick() {
  if (FilterForm == nullptr || Job == nullptr || SpeciesNames == nullptr) return;
  TFExportChutes& form = *FilterForm;
  form.FilterMode = SettingsFilter.Mode;
  form.FilterMinLength = SettingsFilter.MinLength;
  form.FilterMinWidth = SettingsFilter.MinWidth;
  form.FilterMinSurface = static_cast<double>(SettingsFilter.MinSurface);
  form.SettingsMode = false;
  form.UnitFactor = UnitFactor;
  form.UnitText = UnitText;
  form.MaxLength = MaxLength;
  form.DecimalSeparator = DecimalSeparator;
  form.BtnAnnuler->show();
  form.BtnParamDefaut->hide();
  const QString caption = Text(TextId::OffcutExport::TextOffcutFileName);
  form.setWindowTitle(caption);
  StackOver(form, *this);
  PlaceDialog(form, *this, 14);
  prompts_.ShowModal(form);
  if (!form.FilterConfirmed) return;
  const OffcutFilter filter{form.FilterMode, form.FilterMinLength, form.FilterMinWidth,
                            static_cast<long double>(form.FilterMinSurface)};

  const std::optional<QString> chosen = prompts_.SaveFile(
      caption, QString(), QString(),
      QStringLiteral("Fichiers texte (*.txt);;Fichiers csv (*.csv)"), QStringLiteral("txt"));
  namespace id = TextId::OffcutListForm;
  if (!chosen) {
    prompts_.Notice(caption, Text(id::Cancelled), PromptIcon::Information);
    return;
  }
  const std::string path = chosen->toStdString();
  if (!ExportFormatFor(ExtractExtensionPart(path), ExportLayout::ComputedJob)) {
    prompts_.Notice(caption,
                    Text(id::BadExtension) + QString::fromStdString(ExtractFileNamePart(path)) +
                        Text(id::BadExtensionEnd),
                    PromptIcon::Exclamation);
    return;
  }
  const ExportTexts texts = LoadExportTexts();
  const ExportSource source{*Job, *SpeciesNames, UnitFactor, texts, DecimalSeparator};
  try {
    WriteFileAtomic(std::filesystem::path(path), OffcutFileBytes(source, filter));
  } catch (const std::exception& e) {
    prompts_.Notice(caption, QString::fromUtf8(e.what()), PromptIcon::Warning);
    return;
  }
  prompts_.Notice(caption, Text(id::Done), PromptIcon::Information);
}

}  // namespace tranchex
