#include "dialogs/UMiseAJour.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/HelpPages.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {

PageWindow::PageWindow(int captionId, Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::CloseBox, 0, prompts, help, parent) {
  setWindowTitle(Text(captionId));

  LblPage = Named(new QLabel(Text(TextId::PageWindows::LblPage), this), "LblPage");
  LblAdresse = Named(new QLabel(this), "LblAdresse");
  // The address comes from the server setting: shown as it stands, never as markup.
  LblAdresse->setTextFormat(Qt::PlainText);
  LblAdresse->setTextInteractionFlags(Qt::TextSelectableByMouse);
  LblAdresse->setWordWrap(true);
  BtnOuvrir = Named(new QPushButton(Text(TextId::PageWindows::BtnOuvrir), this), "BtnOuvrir");
  BtnFermer = Named(new QPushButton(Text(TextId::PageWindows::BtnFermer), this), "BtnFermer");

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnOuvrir);
  buttons->addWidget(BtnFermer);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 12);
  layout->setSpacing(10);
  layout->addWidget(LblPage);
  layout->addWidget(LblAdresse);
  layout->addLayout(buttons);
  setMinimumWidth(460);

  SetDefaultButton(BtnOuvrir);
  SetCancelButton(BtnFermer);
  connect(BtnOuvrir, &QPushButton::clicked, this, [this] { BtnOuvrirClick(); });
  connect(BtnFermer, &QPushButton::clicked, this, [this] { reject(); });
}

void PageWindow::NewShowing() {
  LblAdresse->setText(PageAddress());
}

void PageWindow::BtnOuvrirClick() {
  const QString address = PageAddress();
  if (Opener != nullptr && Opener->OpenUrl(QUrl(address))) return;
  ReportOpenFailure(address);
}

TFMiseAJour::TFMiseAJour(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : PageWindow(TextId::PageWindows::UpdateCaption, prompts, help, parent) {
  setObjectName(QStringLiteral("FMiseAJour"));
}

QString TFMiseAJour::PageAddress() const {
  return ServerAddress + QStringLiteral("/info/maj.php?logiciel=") + ProductKey;
}

// The update page is the way to the download: its own message says to check the connection.
void TFMiseAJour::ReportOpenFailure(const QString& /*address*/) {
  prompts_.Notice(Text(TextId::Messages::MsgConnectionError),
                  Text(TextId::Messages::MsgUpdatePageFailed), PromptIcon::Warning);
}

}  // namespace tranchex
