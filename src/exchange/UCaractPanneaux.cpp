#include "exchange/UCaractPanneaux.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <QVBoxLayout>

#include "dialogs/PrintOutput.h"
#include "exchange/SummaryPrint.h"
#include "exchange/UFlisteChutes.h"
#include "plan/QtPrintTarget.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

constexpr int kHelpContext = 160;

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr int kDetailListWidth = 200;
// The item's own margins around its text in the list.
constexpr int kDetailTextRoom = 12;

}  // namespace

TFCaractPanneaux::TFCaractPanneaux(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::CloseBox, kHelpContext, prompts, help, parent) {
  namespace id = TextId::SummaryForm;
  setObjectName(QStringLiteral("FCaractPanneaux"));
  setWindowTitle(Text(id::Title));
  setWindowFlag(Qt::WindowStaysOnTopHint, true);

  LstBxPanneaux = new QListWidget(this);
  LstBxPanneaux->setObjectName(QStringLiteral("LstBxPanneaux"));
  LstBxPanneaux->setMinimumSize(200, 200);
  LstBxDetail = new QListWidget(this);
  LstBxDetail->setObjectName(QStringLiteral("LstBxDetail"));
  LstBxDetail->setMinimumSize(kDetailListWidth, 200);
  LstBxDetail->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  auto* group = new QGroupBox(QStringLiteral("Copier la valeur dans le presse papier"), this);
  group->setObjectName(QStringLiteral("GroupBox1"));
  EdtDesignation = new QLineEdit(group);
  EdtDesignation->setObjectName(QStringLiteral("EdtDesignation"));
  EdtDesignation->setReadOnly(true);
  EdtDesignation->setMinimumWidth(190);
  EdtValeur = new QLineEdit(group);
  EdtValeur->setObjectName(QStringLiteral("EdtValeur"));
  EdtValeur->setReadOnly(true);
  EdtValeur->setMinimumWidth(110);
  BtnCopier = new QPushButton(QStringLiteral("Copier"), group);
  BtnCopier->setObjectName(QStringLiteral("BtnCopier"));
  auto* groupLayout = new QHBoxLayout(group);
  groupLayout->addWidget(EdtDesignation, 2);
  groupLayout->addWidget(EdtValeur, 1);
  groupLayout->addWidget(BtnCopier);

  BtnImprimer = new QPushButton(Text(id::Print), this);
  BtnImprimer->setObjectName(QStringLiteral("BtnImprimer"));
  BtnListeChutes = new QPushButton(Text(id::OffcutList), this);
  BtnListeChutes->setObjectName(QStringLiteral("BtnListeChutes"));
  BtnQuitter = new QPushButton(Text(id::Ok), this);
  BtnQuitter->setObjectName(QStringLiteral("BtnQuitter"));
  for (QPushButton* b : {BtnImprimer, BtnListeChutes, BtnQuitter}) {
    QFont bold = b->font();
    bold.setBold(true);
    b->setFont(bold);
  }

  auto* lists = new QHBoxLayout;
  lists->addWidget(LstBxPanneaux);
  lists->addWidget(LstBxDetail);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnImprimer);
  buttons->addStretch();
  buttons->addWidget(BtnListeChutes);
  buttons->addStretch();
  buttons->addWidget(BtnQuitter);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists);
  layout->addWidget(group);
  layout->addLayout(buttons);
  setMinimumSize(430, 311);

  SetDefaultButton(BtnQuitter);
  SetEscapeAction([this] { accept(); });

  connect(LstBxPanneaux, &QListWidget::itemClicked, this, [this] { LstBxPanneauxClick(); });
  connect(LstBxDetail, &QListWidget::itemClicked, this, [this] { LstBxDetailClick(); });
  connect(BtnCopier, &QPushButton::clicked, this, [this] { BtnCopierClick(); });
  connect(BtnQuitter, &QPushButton::clicked, this, [this] { accept(); });
  connect(BtnListeChutes, &QPushButton::clicked, this, [this] { BtnListeChutesClick(); });
  connect(BtnImprimer, &QPushButton::clicked, this, [this] { BtnImprimerClick(); });
}

void TFCaractPanneaux::NewShowing() {
  FormShow();
}

void TFCaractPanneaux::FormShow() {
  BtnImprimer->setEnabled(Printer != nullptr && SummaryLines != nullptr);
  LstBxPanneaux->clear();
  LstBxDetail->clear();
  if (SummaryLines == nullptr || SummaryLines->empty()) return;
  for (const METRAGE& line : *SummaryLines) LstBxPanneaux->addItem(Q(line.Key));
  LstBxPanneaux->setCurrentRow(0);
  ShowDetails(0);
}

void TFCaractPanneaux::ShowDetails(int entry) {
  LstBxDetail->clear();
  if (SummaryLines == nullptr || entry < 0 || entry >= static_cast<int>(SummaryLines->size()))
    return;
  int widest = 0;
  for (const SummaryDetail& d : SummaryDetails((*SummaryLines)[static_cast<std::size_t>(entry)],
                                               Texts, UnitText, DecimalSeparator)) {
    LstBxDetail->addItem(Q(d.ListText));
    widest = std::max(widest, LstBxDetail->fontMetrics().horizontalAdvance(Q(d.ListText)));
  }
  // Each line whole: the list widens to its longest line, never narrower than its design.
  const int frame = LstBxDetail->frameWidth() * 2;
  const int scrollBar = LstBxDetail->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  LstBxDetail->setMinimumWidth(
      std::max(kDetailListWidth, widest + frame + scrollBar + kDetailTextRoom));
}

// With no entry selected, a click does nothing.
void TFCaractPanneaux::LstBxPanneauxClick() {
  const int entry = LstBxPanneaux->currentRow();
  if (entry < 0) return;
  ShowDetails(entry);
}

void TFCaractPanneaux::LstBxDetailClick() {
  const int entry = LstBxPanneaux->currentRow();
  const int line = LstBxDetail->currentRow();
  if (SummaryLines == nullptr || entry < 0 || entry >= static_cast<int>(SummaryLines->size()) ||
      line < 0 || line >= kSummaryDetailCount)
    return;
  const auto details = SummaryDetails((*SummaryLines)[static_cast<std::size_t>(entry)], Texts,
                                      UnitText, DecimalSeparator);
  const SummaryDetail& d = details[static_cast<std::size_t>(line)];
  EdtDesignation->setText(Q(d.Designation));
  EdtValeur->setText(Q(d.Value));
}

// The bare value goes to the clipboard; the designation does not.
void TFCaractPanneaux::BtnCopierClick() {
  EdtValeur->selectAll();
  EdtValeur->copy();
}

// The whole summary on the printer as it stands, no dialog; the window's lists are not touched.
void TFCaractPanneaux::BtnImprimerClick() {
  if (Printer == nullptr || SummaryLines == nullptr) return;
  // A printer that writes to a file asks for it: an earlier print is never overwritten unasked.
  if (!AskPrintFile(*Printer, prompts_, BtnImprimer->text())) return;
  try {
    QtPrintTarget target(*Printer);
    PrintSummary(target, SummaryPrintInputs{.Lines = *SummaryLines,
                                            .Texts = Texts,
                                            .UnitText = UnitText,
                                            .DecimalSeparator = DecimalSeparator});
    TellPrintFile(*Printer, prompts_, windowTitle());
  } catch (const PrintError& e) {
    prompts_.Notice(windowTitle(), QString::fromStdString(e.what()), PromptIcon::Warning);
  }
}

void TFCaractPanneaux::BtnListeChutesClick() {
  if (OffcutList == nullptr) return;
  // Over this window, which stays on top: the list opened over the main window would be hidden
  // behind it.
  StackOver(*OffcutList, *this);
  PlaceDialog(*OffcutList, *this, 14);
  prompts_.ShowModal(*OffcutList);
}

}  // namespace tranchex
