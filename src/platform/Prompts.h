#pragma once
// Every modal question the main window asks goes through this interface: message boxes, the
// open and save pickers and the modal forms. The window gets one handed in; the program uses
// QtPrompts, the tests a scripted one that answers from a queue without a modal loop.

#include <QString>
#include <optional>

class QDialog;
class QWidget;

namespace tranchex {

enum class PromptIcon { Exclamation, Warning, Information, Question };
enum class PromptButtons { YesNo, YesNoCancel };
enum class PromptAnswer { Yes, No, Cancel };

class Prompts {
 public:
  virtual ~Prompts() = default;

  // A message with an OK button.
  virtual void Notice(const QString& caption, const QString& text,
                      PromptIcon icon = PromptIcon::Exclamation) = 0;

  // A question, with the question icon unless told otherwise; leaving the box without a button
  // (Escape, its close button) gives Cancel, for a Yes/No question too: an unanswered question
  // is never a No.
  virtual PromptAnswer Ask(const QString& caption, const QString& text, PromptButtons buttons,
                           PromptIcon icon = PromptIcon::Question) = 0;

  // The open picker, starting in folder; filter in QFileDialog form ("Fichiers Débits (*.deb)");
  // defaultSuffix is added to a typed name without one. Nothing when cancelled.
  virtual std::optional<QString> OpenFile(const QString& caption, const QString& folder,
                                          const QString& filter,
                                          const QString& defaultSuffix) = 0;

  // The save picker, starting at folder/fileName (folder may be empty: the last one used). It
  // asks before replacing an existing file and adds defaultSuffix to a name without one.
  // Nothing when cancelled.
  virtual std::optional<QString> SaveFile(const QString& caption, const QString& folder,
                                          const QString& fileName, const QString& filter,
                                          const QString& defaultSuffix) = 0;

  // Shows a form modally and returns its result (QDialog::Accepted or Rejected).
  virtual int ShowModal(QDialog& dialog) = 0;
};

// The real boxes and pickers, with French buttons, over the given parent window.
class QtPrompts : public Prompts {
 public:
  explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Notice(const QString& caption, const QString& text, PromptIcon icon) override;
  PromptAnswer Ask(const QString& caption, const QString& text, PromptButtons buttons,
                   PromptIcon icon = PromptIcon::Question) override;
  std::optional<QString> OpenFile(const QString& caption, const QString& folder,
                                  const QString& filter, const QString& defaultSuffix) override;
  std::optional<QString> SaveFile(const QString& caption, const QString& folder,
                                  const QString& fileName, const QString& filter,
                                  const QString& defaultSuffix) override;
  int ShowModal(QDialog& dialog) override;

 private:
  QWidget* Owner() const;

  QWidget* parent_;
};

}  // namespace tranchex
