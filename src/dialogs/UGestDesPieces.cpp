#include "dialogs/UGestDesPieces.h"

#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>

#include "dialogs/NameListForm.h"
#include "job/JobRecordChecks.h"
#include "platform/Cp1252.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace FormText = TextId::DesignationsForm;

}  // namespace

TFGestDesPieces::TFGestDesPieces(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::CloseBox, 210, prompts, help, parent) {
  setObjectName(QStringLiteral("FGestDesPieces"));
  setWindowTitle(Text(FormText::Caption));

  EdtDesPiece = Named(new QLineEdit(this), "EdtDesPiece");
  LbDesPieces = Named(new QListWidget(this), "LbDesPieces");
  LbDesPieces->setSelectionMode(QAbstractItemView::SingleSelection);
  // Wide enough for the longest designation a part holds, in ordinary lower-case letters, with
  // the frame, the item's margins and the vertical scroll bar.
  LbDesPieces->setMinimumSize(
      LbDesPieces->fontMetrics().horizontalAdvance(
          QString(static_cast<qsizetype>(kMaxDesignationLength), u'n')) +
          LbDesPieces->frameWidth() * 2 +
          LbDesPieces->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12,
      220);
  BtnAjouter = Named(new QPushButton(Text(FormText::BtnAjouter), this), "BtnAjouter");
  BtnSupprimer = Named(new QPushButton(Text(FormText::BtnSupprimer), this), "BtnSupprimer");
  BtnOK = Named(new QPushButton(Text(FormText::BtnOK), this), "BtnOK");
  QFont bold = BtnOK->font();
  bold.setBold(true);
  bold.setPixelSize(12);
  for (QPushButton* b : {BtnAjouter, BtnSupprimer, BtnOK}) b->setFont(bold);

  ArrangeNameListForm(*this, EdtDesPiece, LbDesPieces, BtnAjouter, BtnSupprimer, BtnOK);

  SetDefaultButton(BtnOK);

  // A row selected by the person (mouse or keys), or a click on the selected row, runs the click
  // handler; the form's own changes of the rows are made with their signals blocked.
  connect(LbDesPieces, &QListWidget::itemSelectionChanged, this, [this] { LbDesPiecesClick(); });
  connect(LbDesPieces, &QListWidget::itemClicked, this, [this] { LbDesPiecesClick(); });
  connect(EdtDesPiece, &QLineEdit::textChanged, this, [this] { EdtDesPieceChange(); });
  connect(BtnAjouter, &QPushButton::clicked, this, [this] { BtnAjouterClick(); });
  connect(BtnSupprimer, &QPushButton::clicked, this, [this] { BtnSupprimerClick(); });
  connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
}

DesignationPickerOutput TFGestDesPieces::Pick(const DesignationPickerInput& input,
                                              QWidget& caller) {
  DesignationList = input.ManagedDesignationList;
  PickMode = input.DesignationPickMode;
  PlaceDialog(*this, caller, 14);
  prompts_.ShowModal(*this);
  DesignationPickerOutput out;
  out.DesignationsChanged = Changed;
  out.DesignationChosen = DesignationChosen;
  out.ChosenDesignation = DesignationChosen ? ChosenDesignation : std::string();
  return out;
}

void TFGestDesPieces::NewShowing() {
  FormActivate();
}

void TFGestDesPieces::FormActivate() {
  const std::vector<std::string> none;
  const std::vector<std::string>& list = DesignationList != nullptr ? *DesignationList : none;
  FillNameList(LbDesPieces, list);
  // The field first: its change handler sets the buttons, which are then set as the mode says.
  EdtDesPiece->setText(list.empty() ? QString() : QString::fromStdString(list.front()));
  const bool manage = PickMode == 0 && !list.empty();
  BtnAjouter->setEnabled(manage);
  BtnSupprimer->setEnabled(manage);
  // A result never outlives its showing, however the form is closed.
  Changed = 0;
  DesignationChosen = 0;
  ChosenDesignation.clear();
  EdtDesPiece->setFocus();
}

void TFGestDesPieces::EdtDesPieceChange() {
  BtnAjouter->setEnabled(PickMode == 0 && !EdtDesPiece->text().isEmpty());
  BtnSupprimer->setEnabled(false);
}

void TFGestDesPieces::LbDesPiecesClick() {
  QListWidgetItem* item = LbDesPieces->currentItem();
  if (item == nullptr || !item->isSelected()) return;
  EdtDesPiece->setText(item->text());
  if (PickMode == 0) {
    BtnAjouter->setEnabled(true);
    BtnSupprimer->setEnabled(true);
  }
}

bool TFGestDesPieces::InList(const std::string& name) const {
  return DesignationList != nullptr &&
         std::find(DesignationList->begin(), DesignationList->end(), name) !=
             DesignationList->end();
}

bool TFGestDesPieces::AddDesignation() {
  const QString text = EdtDesPiece->text();
  const std::string name = text.toStdString();
  if (name.empty() || DesignationList == nullptr || InList(name)) return true;
  // A part could not hold it, nor the designations file keep it.
  if (const int refusal = DesignationRefusal(text)) {
    prompts_.Notice(Text(TextId::FieldChecks::Caption), Text(refusal), PromptIcon::Warning);
    EdtDesPiece->setFocus();
    return false;
  }
  DesignationList->push_back(name);
  {
    const QSignalBlocker blocker(LbDesPieces);
    LbDesPieces->addItem(text);
  }
  Changed = 1;
  return true;
}

void TFGestDesPieces::BtnAjouterClick() { AddDesignation(); }

void TFGestDesPieces::BtnSupprimerClick() {
  if (DesignationList == nullptr) return;
  const std::optional<std::size_t> row = SelectedListRow(LbDesPieces, DesignationList->size());
  if (!row) return;
  // The row and its entry go together (equal names leave the same list whichever is erased).
  RemoveListRow(LbDesPieces, *row);
  DesignationList->erase(DesignationList->begin() + static_cast<std::ptrdiff_t>(*row));
  EdtDesPiece->setText(QString());
  BtnAjouter->setEnabled(false);
  BtnSupprimer->setEnabled(false);
  Changed = 1;
}

void TFGestDesPieces::BtnOKClick() {
  const std::string name = EdtDesPiece->text().toStdString();
  if (!name.empty() && DesignationList != nullptr) {
    if (PickMode == 1) {
      // A refused name has said why; the form stays open to mend it.
      if (!AddDesignation()) return;
    } else if (!InList(name)) {
      switch (prompts_.Ask(Text(FormText::Caption), Text(FormText::AddQuestion),
                           PromptButtons::YesNo, PromptIcon::Question)) {
        case PromptAnswer::Yes:
          if (!AddDesignation()) return;
          break;
        case PromptAnswer::No:
          break;
        case PromptAnswer::Cancel:
          return;  // the question was left unanswered: back to the form
      }
    }
  }
  DesignationChosen = name.empty() ? 0 : 1;
  ChosenDesignation = name;
  if (Changed == 1 && DesignationList != nullptr && !DesignationList->empty()) {
    std::stable_sort(DesignationList->begin(), DesignationList->end(),
                     [](const std::string& a, const std::string& b) { return Cp1252Less(a, b); });
  }
  accept();
}

}  // namespace tranchex
