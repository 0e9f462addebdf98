#include "platform/Prompts.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tranchex {
namespace {

QMessageBox::Icon BoxIcon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Warning:
      return QMessageBox::Warning;
    case PromptIcon::Information:
      return QMessageBox::Information;
    case PromptIcon::Question:
      return QMessageBox::Question;
    case PromptIcon::Exclamation:
      break;
  }
  return QMessageBox::Warning;
}

// Messages quote what came from outside (file cells, file names, names from lists, server
// addresses): Qt would take a message that looks like HTML as rich text, draw its tags and load
// its images, and drop its line breaks. Every box shows its text as it stands.
void ShowAsText(QMessageBox& box) { box.setTextFormat(Qt::PlainText); }

}  // namespace

// A box asked while a form is open goes over that form: under a form that stays on top, a box
// over the main window would be hidden and the program would seem to hang.
QWidget* QtPrompts::Owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return parent_;
}

void QtPrompts::Notice(const QString& caption, const QString& text, PromptIcon icon) {
  QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, Owner());
  ShowAsText(box);
  box.exec();
}

PromptAnswer QtPrompts::Ask(const QString& caption, const QString& text, PromptButtons buttons,
                            PromptIcon icon) {
  QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::NoButton, Owner());
  ShowAsText(box);
  QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
  // Escape and the box's close button answer Cancel. A Yes/No question shows no Cancel
  // button, but leaving it with Escape is no answer either: never taken as No.
  QPushButton* cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
  if (buttons == PromptButtons::YesNo) cancel->hide();
  box.setEscapeButton(cancel);
  box.setDefaultButton(yes);
  box.exec();
  if (box.clickedButton() == yes) return PromptAnswer::Yes;
  if (box.clickedButton() == no) return PromptAnswer::No;
  return PromptAnswer::Cancel;
}

std::optional<QString> QtPrompts::OpenFile(const QString& caption, const QString& folder,
                                           const QString& filter, const QString& defaultSuffix) {
  QFileDialog dialog(Owner(), caption, folder, filter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (!defaultSuffix.isEmpty()) dialog.setDefaultSuffix(defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPrompts::SaveFile(const QString& caption, const QString& folder,
                                           const QString& fileName, const QString& filter,
                                           const QString& defaultSuffix) {
  QFileDialog dialog(Owner(), caption, folder, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  if (!fileName.isEmpty()) {
    dialog.selectFile(folder.isEmpty() ? fileName : QDir(folder).filePath(fileName));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

int QtPrompts::ShowModal(QDialog& dialog) { return dialog.exec(); }

}  // namespace tranchex
