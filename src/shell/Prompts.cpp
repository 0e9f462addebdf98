#include "shell/Prompts.h"

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
    case PromptIcon::Exclamation:
      break;
  }
  return QMessageBox::Warning;
}

}  // namespace

void QtPrompts::Notice(const QString& caption, const QString& text, PromptIcon icon) {
  QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, parent_);
  box.exec();
}

PromptAnswer QtPrompts::Ask(const QString& caption, const QString& text, PromptButtons buttons) {
  QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent_);
  QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
  QPushButton* cancel = nullptr;
  if (buttons == PromptButtons::YesNoCancel) {
    cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
    box.setEscapeButton(cancel);
  } else {
    box.setEscapeButton(no);
  }
  box.setDefaultButton(yes);
  box.exec();
  if (box.clickedButton() == yes) return PromptAnswer::Yes;
  if (box.clickedButton() == no) return PromptAnswer::No;
  return buttons == PromptButtons::YesNoCancel ? PromptAnswer::Cancel : PromptAnswer::No;
}

std::optional<QString> QtPrompts::OpenFile(const QString& caption, const QString& folder,
                                           const QString& filter) {
  QFileDialog dialog(parent_, caption, folder, filter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPrompts::SaveFile(const QString& caption, const QString& folder,
                                           const QString& fileName, const QString& filter,
                                           const QString& defaultSuffix) {
  QFileDialog dialog(parent_, caption, folder, filter);
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
