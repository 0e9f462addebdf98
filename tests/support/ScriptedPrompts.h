#pragma once
// Prompts that answer from queues and record every question, so window tests run without a
// modal loop. An unscripted question fails the test and gets the cautious answer (Cancel, no
// file, the form rejected).
//
//   ScriptedPrompts prompts;
//   prompts.answers = {PromptAnswer::Yes};
//   prompts.files = {QStringLiteral("/tmp/x/a.deb")};
//   ... run the command ...
//   EXPECT_EQ(prompts.NoticeTexts(), QStringList{...});

#include <gtest/gtest.h>

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Prompts.h"

namespace tranchex::test {

class ScriptedPrompts : public Prompts {
 public:
  enum class Kind { Notice, Ask, OpenFile, SaveFile, Modal };
  struct Asked {
    Kind kind;
    QString caption;
    QString text;  // the message; for a picker its file name; for a form its objectName
    QString folder;
    PromptIcon icon = PromptIcon::Exclamation;
    PromptButtons buttons = PromptButtons::YesNo;
    QString filter;  // for a picker: its filter and default suffix, joined by " | "
  };

  std::deque<PromptAnswer> answers;                      // for Ask, in order
  std::deque<std::optional<QString>> files;              // for OpenFile and SaveFile, in order
  // For ShowModal, in order: each gets the shown form, drives it (QTest clicks) and returns
  // the result the modal loop would have (dialog.result() after a click on OK).
  std::deque<std::function<int(QDialog&)>> modals;
  std::vector<Asked> asked;                              // everything asked, in order

  void Notice(const QString& caption, const QString& text, PromptIcon icon) override {
    asked.push_back({Kind::Notice, caption, text, {}, icon, PromptButtons::YesNo, {}});
  }

  PromptAnswer Ask(const QString& caption, const QString& text, PromptButtons buttons,
                   PromptIcon icon = PromptIcon::Question) override {
    asked.push_back({Kind::Ask, caption, text, {}, icon, buttons, {}});
    if (answers.empty()) {
      ADD_FAILURE() << "unscripted question: " << text.toStdString();
      return buttons == PromptButtons::YesNoCancel ? PromptAnswer::Cancel : PromptAnswer::No;
    }
    const PromptAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::optional<QString> OpenFile(const QString& caption, const QString& folder,
                                  const QString& filter, const QString& defaultSuffix) override {
    asked.push_back({Kind::OpenFile, caption, {}, folder, PromptIcon::Exclamation,
                     PromptButtons::YesNo, filter + QStringLiteral(" | ") + defaultSuffix});
    return NextFile();
  }

  std::optional<QString> SaveFile(const QString& caption, const QString& folder,
                                  const QString& fileName, const QString& filter,
                                  const QString& defaultSuffix) override {
    asked.push_back({Kind::SaveFile, caption, fileName, folder, PromptIcon::Exclamation,
                     PromptButtons::YesNo, filter + QStringLiteral(" | ") + defaultSuffix});
    return NextFile();
  }

  int ShowModal(QDialog& dialog) override {
    asked.push_back({Kind::Modal, dialog.windowTitle(), dialog.objectName(), {},
                     PromptIcon::Exclamation, PromptButtons::YesNo, {}});
    if (modals.empty()) {
      ADD_FAILURE() << "unscripted form: " << dialog.objectName().toStdString();
      return QDialog::Rejected;
    }
    auto run = std::move(modals.front());
    modals.pop_front();
    // Shown without a modal loop, so the form's show handler runs and its controls can be
    // clicked; the script answers and the form is hidden again, as a closed modal form is.
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    const int result = run(dialog);
    dialog.hide();
    return result;
  }

  // What was asked of one kind, in order.
  std::vector<Asked> Of(Kind kind) const {
    std::vector<Asked> out;
    for (const Asked& a : asked) {
      if (a.kind == kind) out.push_back(a);
    }
    return out;
  }
  QStringList NoticeTexts() const {
    QStringList out;
    for (const Asked& a : Of(Kind::Notice)) out << a.text;
    return out;
  }
  QStringList QuestionTexts() const {
    QStringList out;
    for (const Asked& a : Of(Kind::Ask)) out << a.text;
    return out;
  }
  // True when every scripted answer was used.
  bool Exhausted() const { return answers.empty() && files.empty() && modals.empty(); }

 private:
  std::optional<QString> NextFile() {
    if (files.empty()) {
      ADD_FAILURE() << "unscripted file picker";
      return std::nullopt;
    }
    const bool chosen = files.front().has_value();
    const QString path = chosen ? *files.front() : QString();
    files.pop_front();
    if (!chosen) return std::nullopt;
    return path;
  }
};

}  // namespace tranchex::test
