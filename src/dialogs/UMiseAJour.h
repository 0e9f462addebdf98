#pragma once
// The pages of the maker's server about newer builds and versions. The program embeds no
// browser: a page window shows the page's address, a button that opens it in the user's browser
// and "Fermer". The address is built afresh at each showing.
//
// TFMiseAJour: the page about a newer version, shown by the start-up check and centred on the
// screen by it. TFMiseANiveau (UMiseANiveau.h): the upgrade page of the help menu.

#include <QString>

#include "dialogs/DialogFrame.h"

class QLabel;
class QPushButton;

namespace tranchex {

class UrlOpener;

class PageWindow : public DialogFrame {
  Q_OBJECT

 public:
  // The window's caption is the language text of that id.
  PageWindow(int captionId, Prompts& prompts, HelpViewer& help, QWidget* parent);

  // The maker's update server, scheme and host ("https://…"), without a trailing "/".
  QString ServerAddress;
  // What opens the page; none: the page cannot be opened and the button says so.
  UrlOpener* Opener = nullptr;

  QLabel* LblPage = nullptr;     // the sentence over the address
  QLabel* LblAdresse = nullptr;  // the page's address, selectable to be copied
  QPushButton* BtnOuvrir = nullptr;
  QPushButton* BtnFermer = nullptr;

  // The address of the page as the window shows it.
  virtual QString PageAddress() const = 0;

 protected:
  // What the window says when the browser could not open the address.
  virtual void ReportOpenFailure(const QString& address) = 0;
  void NewShowing() override;

 private:
  void BtnOuvrirClick();
};

class TFMiseAJour : public PageWindow {
  Q_OBJECT

 public:
  TFMiseAJour(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  // The update key whose page is shown ("Tranchex1.6").
  QString ProductKey;

  // The server's "/info/maj.php" with the key appended as it stands.
  QString PageAddress() const override;

 protected:
  void ReportOpenFailure(const QString& address) override;
};

}  // namespace tranchex
