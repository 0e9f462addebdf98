#include "shell/UDebit.h"
#include "shell/UDebitPrint.h"
#include "shell/DataFolderLock.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QSysInfo>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QToolButton>

#include "platform/FileIO.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"
#include "dialogs/UGestDimensions.h"
#include "dialogs/UGestDesPieces.h"
#include "dialogs/UGestDonneesPanneaux.h"
#include "dialogs/UGestEssence.h"
#include "dialogs/USelDebit.h"
#include "dialogs/USelMarge.h"
#include "dialogs/USelMargesMultiples.h"
#include "dialogs/USelModeAffPanneaux.h"
#include "dialogs/SelModif.h"
#include "dialogs/USelOptimisation.h"
#include "dialogs/USelPanneaux.h"
#include "dialogs/USelPieces.h"
#include "dialogs/USelUnite.h"
#include "dialogs/UOptions.h"
#include "dialogs/UAffichage.h"
#include "exchange/UImpressionEtiquettes.h"
#include "dialogs/UFSelExport.h"
#include "exchange/UCaractPanneaux.h"
#include "exchange/UFlisteChutes.h"
#include "exchange/UFExportChutes.h"
#include "exchange/UImportation.h"
#include "exchange/UOptionsImportation.h"
#include "job/Outils_debit.h"
#include "platform/Prompts.h"
#include "job/RecentJobs.h"
#include "job/SettingsFiles.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace tranchex {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

// Tool panel measures, in pixels.
constexpr int kPanelHeight = 31;
// How long start-up waits for the window's first paint before it goes on without it.
constexpr int kFirstPaintWaitMs = 1000;
constexpr int kButtonHeight = 25;
constexpr int kIconButtonWidth = 28;
constexpr int kViewButtonWidth = 64;
constexpr int kNavigationButtonWidth = 40;
// The longest counter the field shows whole.
// The parts view has a page per part, and a job holds up to 10,000 parts.
constexpr const char* kWidestCounter = "99999\\99999";

// The width of a line edit that shows the widest counter whole, frame and margins included.
int CounterWidth(const QLineEdit& field) {
  QStyleOptionFrame option;
  option.initFrom(&field);
  option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
  const QFontMetrics metrics = field.fontMetrics();
  // QLineEdit's own text margin is 2 pixels on each side.
  const QSize text(metrics.horizontalAdvance(QString::fromLatin1(kWidestCounter)) + 4 + 2,
                   metrics.height());
  return field.style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, &field).width();
}

// A picture whose disabled look is plainly faded: a grey picture looks the same either way.
QIcon WithFadedDisabledLook(const QIcon& icon, int size) {
  QIcon out = icon;
  const QPixmap normal = icon.pixmap(size, size);
  QPixmap faded(normal.size());
  faded.setDevicePixelRatio(normal.devicePixelRatio());
  faded.fill(Qt::transparent);
  QPainter painter(&faded);
  painter.setOpacity(0.3);
  painter.drawPixmap(0, 0, normal);
  painter.end();
  out.addPixmap(faded, QIcon::Disabled);
  return out;
}

}  // namespace

// ---- Construction ---------------------------------------------------------------------------

TFDebit::TFDebit(Prompts& prompts, Settings& settings, JobState& job, QString dataFolder,
                 std::optional<QString> commandLineJob, QWidget* parent)
    : QMainWindow(parent),
      ProgramFolder(std::move(dataFolder)),
      CommandLineJob(std::move(commandLineJob)),
      prompts_(prompts),
      settings_(settings),
      job_(job) {
  setObjectName(QStringLiteral("FDebit"));
  // The application name, until a job names the window.
  Texts = LoadMainWindowTexts();
  setWindowTitle(Texts.AppTitle);
  resize(690, 430);

  View = new TFDebitView(*this);
  View->setObjectName(QStringLiteral("ZoneDessin"));
  setCentralWidget(View);
  CreateMenus();
  CreateToolPanel();
  CreateViewMenu();

  // The dialog forms, each created once, after the main window.
  FSelModeAffPanneaux = new TFSelModeAffPanneaux(prompts_, Help, this);
  FSelDebit = new TFSelDebit(prompts_, Help, this);
  FSelUnite = new TFSelUnite(prompts_, Help, this);
  FImpEtiquettes = new TFImpEtiquettes(prompts_, Help, this);
  FSelExport = new TFSelExport(prompts_, Help, this);
  FCaractPanneaux = new TFCaractPanneaux(prompts_, Help, this);
  FListesChutes = new TFListesChutes(prompts_, Help, FCaractPanneaux);  // opened over it
  FExportChutes = new TFExportChutes(prompts_, Help, this);
  FCaractPanneaux->OffcutList = FListesChutes;
  FSelMarge = new TSelMarge(prompts_, Help, this);
  FSelMargesMultiples = new TSelMargesMultiples(prompts_, Help, this);
  FGestEssence = new TFGestEssence(prompts_, Help, this);
  SelPanneaux = new TSelPanneaux(settings_, prompts_, Help, this);
  SelPieces = new TSelPieces(settings_, prompts_, Help, this);
  FSelMod = new TFSelMod(settings_, prompts_, Help, this);
  FOptimisation = new TFOptimisation(prompts_, Help, this);
  FOptions = new TFOptions(prompts_, Help, this);
  FAffichage = new TFAffichage(prompts_, Help, this);
  FGestDimensions = new TFGestDimensions(settings_, prompts_, Help, this);
  SelPanneaux->Picker = SelPieces->Picker = FGestDimensions;
  FGestDesPieces = new TFGestDesPieces(prompts_, Help, this);
  FGestDonneesPanneaux = new TFGestDonneesPanneaux(prompts_, Help, this);
  SelPieces->DesignationsPicker = FGestDesPieces;
  SelPieces->CharacteristicsPicker = FGestDonneesPanneaux;
  CreateHelpCommands();
  FImportation = new TFImportation(prompts_, Help, this);
  FOptionsImportation = new TFOptionsImportation(prompts_, Help, this);

  PanelDrawMode = 0;
  DisableJobCommands();
}

TFDebit::~TFDebit() { ResetBusy(); }

QAction* TFDebit::AddAction(QMenu* menu, const char* name) {
  auto* action = new QAction(this);
  action->setObjectName(QString::fromLatin1(name));
  menu->addAction(action);
  return action;
}

void TFDebit::CreateMenus() {
  QMenuBar* bar = menuBar();
  auto addMenu = [&](QMenu* parentMenu, const char* name) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QString::fromLatin1(name));
    if (parentMenu) {
      parentMenu->addMenu(menu);
    } else {
      bar->addMenu(menu);
    }
    return menu;
  };

  Fichier = addMenu(nullptr, "Fichier");
  Nouveau = AddAction(Fichier, "Nouveau");
  Ouvrir = AddAction(Fichier, "Ouvrir");
  Enregistrer = AddAction(Fichier, "Enregistrer");
  Enre = AddAction(Fichier, "Enre");
  Fichier->addSeparator();
  Importer = AddAction(Fichier, "Importer");
  Exporter = AddAction(Fichier, "Exporter");
  Fichier->addSeparator();
  Recap = AddAction(Fichier, "Recap");
  Etiquettes = AddAction(Fichier, "Etiquettes");
  Imprimer = AddAction(Fichier, "Imprimer");
  Fichier->addSeparator();
  Quitter = AddAction(Fichier, "Quitter");

  Edition = addMenu(nullptr, "Edition");
  Modifier = AddAction(Edition, "Modifier");
  Supprimer = AddAction(Edition, "Supprimer");

  Options = addMenu(nullptr, "Options");
  GestionnaireDesEssences = AddAction(Options, "GestionnaireDesEssences");
  GestionnaireDesDimensions = addMenu(Options, "GestionnaireDesDimensions");
  DimensionsDesPanneaux = AddAction(GestionnaireDesDimensions, "DimensionsDesPanneaux");
  DimensionsPieces = AddAction(GestionnaireDesDimensions, "DimensionsPieces");
  GestionDesignationsPieces = AddAction(Options, "GestionDesignationsPieces");
  Options->addSeparator();
  Unites = AddAction(Options, "Unites");
  Affichage = AddAction(Options, "Affichage");
  OptionsGl = AddAction(Options, "OptionsGl");
  Options->addSeparator();
  ImportationFichesDebit = AddAction(Options, "ImportationFichesDebit");
  ExportationDesChutes = AddAction(Options, "ExportationDesChutes");

  N11 = addMenu(nullptr, "N11");
  N11->setTitle(QStringLiteral("&?"));
  AideTranchex = AddAction(N11, "AideTranchex");
  PagePresentationdeTranchex = AddAction(N11, "PagePresentationdeTranchex");
  VideosDemonstrationTranchex = AddAction(N11, "VideosDemonstrationTranchex");
  SiteInternetAuteur = AddAction(N11, "SiteInternetAuteur");
  N11->addSeparator();
  MiseANiveau = AddAction(N11, "MiseANiveau");
  AproposdeTranchex = AddAction(N11, "AproposdeTranchex");

  // The language menu is kept hidden; its two items do nothing.
  Langue = addMenu(nullptr, "Langue");
  Langue->setTitle(QStringLiteral("&Langue"));
  Langue->menuAction()->setVisible(false);
  Francais = AddAction(Langue, "Francais");
  Francais->setText(QStringLiteral("&Français"));
  Francais->setCheckable(true);
  Francais->setChecked(true);
  Anglais = AddAction(Langue, "Anglais");
  Anglais->setText(QStringLiteral("&Anglais"));
  Anglais->setCheckable(true);

  connect(Nouveau, &QAction::triggered, this, [this] { NouveauClick(); });
  connect(Ouvrir, &QAction::triggered, this, [this] { OuvrirClick(); });
  connect(Enregistrer, &QAction::triggered, this, [this] { EnregistrerClick(); });
  connect(Enre, &QAction::triggered, this, [this] { EnreClick(); });
  connect(Quitter, &QAction::triggered, this, [this] { QuitterClick(); });
  connect(Imprimer, &QAction::triggered, this, [this] { ImprimerClick(); });
  connect(Unites, &QAction::triggered, this, [this] { UnitesClick(); });
  connect(Etiquettes, &QAction::triggered, this, [this] { EtiquettesClick(); });
  connect(Exporter, &QAction::triggered, this, [this] { ExporterClick(); });
  connect(Recap, &QAction::triggered, this, [this] { RecapClick(); });
  connect(ExportationDesChutes, &QAction::triggered, this,
          [this] { ExportationDesChutesClick(); });
  connect(GestionnaireDesEssences, &QAction::triggered, this,
          [this] { GestionnaireDesEssencesClick(); });
  connect(DimensionsPieces, &QAction::triggered, this, [this] { DimensionsPiecesClick(); });
  connect(DimensionsDesPanneaux, &QAction::triggered, this, [this] { DimensionsDesPanneauxClick(); });
  connect(Modifier, &QAction::triggered, this, [this] { ModifierClick(); });
  connect(OptionsGl, &QAction::triggered, this, [this] { OptionsGlClick(); });
  connect(Affichage, &QAction::triggered, this, [this] { AffichageClick(); });
  connect(GestionDesignationsPieces, &QAction::triggered, this,
          [this] { GestionDesignationsPiecesClick(); });
  connect(Supprimer, &QAction::triggered, this, [this] { SupprimerClick(); });
  connect(Importer, &QAction::triggered, this, [this] { ImporterClick(); });
  connect(ImportationFichesDebit, &QAction::triggered, this, [this] { ImportationFichesDebitClick(); });
}

QToolButton* TFDebit::AddButton(const char* name, bool checkable) {
  auto* button = new QToolButton(Panel1);
  button->setObjectName(QString::fromLatin1(name));
  button->setCheckable(checkable);
  button->setAutoRaise(false);
  button->setFocusPolicy(Qt::NoFocus);
  button->setFixedHeight(kButtonHeight);
  return button;
}

void TFDebit::CreateToolPanel() {
  Panel1 = new QWidget(View);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setAutoFillBackground(true);
  Panel1->setGeometry(0, 0, View->width(), kPanelHeight);
  auto* row = new QHBoxLayout(Panel1);
  row->setContentsMargins(2, 3, 2, 3);
  row->setSpacing(1);

  QStyle* s = style();
  auto iconButton = [&](const char* name, QStyle::StandardPixmap pixmap, const QString& hint) {
    QToolButton* b = AddButton(name, false);
    b->setIcon(WithFadedDisabledLook(s->standardIcon(pixmap), b->iconSize().height()));
    b->setToolTip(hint);
    b->setFixedWidth(kIconButtonWidth);
    return b;
  };
  BtnNouveau = iconButton("BtnNouveau", QStyle::SP_FileIcon, QStringLiteral("Nouveau débit"));
  BtnOuvrir =
      iconButton("BtnOuvrir", QStyle::SP_DialogOpenButton, QStringLiteral("Charger un débit"));
  BtnEnre =
      iconButton("BtnEnre", QStyle::SP_DialogSaveButton, QStringLiteral("Sauvegarder le débit"));
  BtnImpression = AddButton("BtnImpression", false);
  BtnImpression->setText(QStringLiteral("Imp"));
  BtnImpression->setToolTip(QStringLiteral("Imprimer"));
  BtnImpression->setFixedWidth(kIconButtonWidth + 6);

  SBtnPanneaux = AddButton("SBtnPanneaux", true);
  SBtnPanneaux->setFixedWidth(kViewButtonWidth);
  SBtnModeAffPanneaux = AddButton("SBtnModeAffPanneaux", false);
  SBtnModeAffPanneaux->setText(QStringLiteral("..."));
  SBtnModeAffPanneaux->setFixedWidth(kIconButtonWidth);
  SBtnPieces = AddButton("SBtnPieces", true);
  SBtnPieces->setFixedWidth(kViewButtonWidth);
  SBtnFiche = AddButton("SBtnFiche", true);
  SBtnFiche->setFixedWidth(kViewButtonWidth);
  SBtnRecap = iconButton("SBtnRecap", QStyle::SP_FileDialogDetailedView, QString());

  // The page buttons carry a picture and no caption.
  auto navButton = [&](const char* name, QStyle::StandardPixmap picture, const QString& hint) {
    QToolButton* b = iconButton(name, picture, hint);
    b->setFixedWidth(kNavigationButtonWidth);
    return b;
  };
  BtnPremier = navButton("BtnPremier", QStyle::SP_MediaSkipBackward, QStringLiteral("Première page"));
  BtnPrecedant =
      navButton("BtnPrecedant", QStyle::SP_MediaSeekBackward, QStringLiteral("Page précédente"));
  EdtQuantieme = new QLineEdit(Panel1);
  EdtQuantieme->setObjectName(QStringLiteral("EdtQuantieme"));
  EdtQuantieme->setReadOnly(true);
  EdtQuantieme->setFocusPolicy(Qt::NoFocus);
  EdtQuantieme->setAlignment(Qt::AlignCenter);
  EdtQuantieme->setFixedSize(CounterWidth(*EdtQuantieme), kButtonHeight - 2);
  EdtQuantieme->setEnabled(false);
  BtnSuivant = navButton("BtnSuivant", QStyle::SP_MediaSeekForward, QStringLiteral("Page suivante"));
  BtnDernier = navButton("BtnDernier", QStyle::SP_MediaSkipForward, QStringLiteral("Dernière page"));

  // Gaps of one pixel, four before the view buttons and before the navigation.
  for (QWidget* w : {static_cast<QWidget*>(BtnNouveau), static_cast<QWidget*>(BtnOuvrir),
                     static_cast<QWidget*>(BtnEnre), static_cast<QWidget*>(BtnImpression)}) {
    row->addWidget(w);
  }
  row->addSpacing(3);
  for (QWidget* w : {static_cast<QWidget*>(SBtnPanneaux),
                     static_cast<QWidget*>(SBtnModeAffPanneaux), static_cast<QWidget*>(SBtnPieces),
                     static_cast<QWidget*>(SBtnFiche), static_cast<QWidget*>(SBtnRecap)}) {
    row->addWidget(w);
  }
  row->addSpacing(3);
  for (QWidget* w : {static_cast<QWidget*>(BtnPremier), static_cast<QWidget*>(BtnPrecedant),
                     static_cast<QWidget*>(EdtQuantieme), static_cast<QWidget*>(BtnSuivant),
                     static_cast<QWidget*>(BtnDernier)}) {
    row->addWidget(w);
  }
  row->addStretch(1);

  connect(BtnNouveau, &QToolButton::clicked, this, [this] { NouveauClick(); });
  connect(BtnOuvrir, &QToolButton::clicked, this, [this] { OuvrirClick(); });
  connect(BtnEnre, &QToolButton::clicked, this, [this] { EnregistrerClick(); });
  connect(BtnImpression, &QToolButton::clicked, this, [this] { BtnImpressionClick(); });
  connect(SBtnPanneaux, &QToolButton::clicked, this, [this] {
    PressViewButton(SBtnPanneaux);
    SBtnPanneauxClick();
  });
  connect(SBtnPieces, &QToolButton::clicked, this, [this] {
    PressViewButton(SBtnPieces);
    SBtnPiecesClick();
  });
  connect(SBtnFiche, &QToolButton::clicked, this, [this] {
    PressViewButton(SBtnFiche);
    SBtnFicheClick();
  });
  connect(SBtnModeAffPanneaux, &QToolButton::clicked, this, [this] { SBtnModeAffPanneauxClick(); });
  connect(SBtnRecap, &QToolButton::clicked, this, [this] { SBtnRecapClick(); });
  connect(BtnPremier, &QToolButton::clicked, this, [this] { BtnPremierClick(); });
  connect(BtnPrecedant, &QToolButton::clicked, this, [this] { BtnPrecedentClick(); });
  connect(BtnSuivant, &QToolButton::clicked, this, [this] { BtnSuivantClick(); });
  connect(BtnDernier, &QToolButton::clicked, this, [this] { BtnDernierClick(); });
}

// The three view buttons act as a group: the one clicked stays down, the others go up.
void TFDebit::PressViewButton(QToolButton* pressed) {
  for (QToolButton* b : {SBtnPanneaux, SBtnPieces, SBtnFiche}) b->setChecked(b == pressed);
}

void TFDebit::SetCommandEnabled(QObject* command, bool enabled) {
  if (auto* action = qobject_cast<QAction*>(command)) {
    action->setEnabled(enabled);
  } else if (auto* widget = qobject_cast<QWidget*>(command)) {
    widget->setEnabled(enabled);
  }
}

// ---- Job commands on and off ------------------------------------------------------------------

void TFDebit::EnableJobCommands() {
  for (QObject* c : std::initializer_list<QObject*>{
           Enregistrer, Enre, Imprimer, Recap, Exporter, Modifier, Supprimer, BtnEnre,
           SBtnPanneaux, SBtnPieces, SBtnFiche, BtnImpression, SBtnRecap}) {
    SetCommandEnabled(c, true);
  }
  PressViewButton(SBtnPanneaux);
}

void TFDebit::DisableJobCommands() {
  for (QObject* c : std::initializer_list<QObject*>{
           Enregistrer, Enre, Imprimer, Recap, Exporter, Modifier, Supprimer, BtnEnre,
           SBtnPanneaux, SBtnModeAffPanneaux, SBtnRecap, SBtnPieces, SBtnFiche, BtnImpression,
           BtnPremier, BtnPrecedant, BtnSuivant, BtnDernier}) {
    SetCommandEnabled(c, false);
  }
  // All three view buttons up: none of the views can be chosen.
  for (QToolButton* b : {SBtnPanneaux, SBtnPieces, SBtnFiche}) b->setChecked(false);
  EdtQuantieme->setText(QString());
}

// ---- Texts ----------------------------------------------------------------------------------

MainFormTexts LoadMainWindowTexts() {
  namespace id = TextId::Messages;
  MainFormTexts t;
  t.AppTitle = Text(TextId::MainForm::AppTitle);
  t.MsgSaveChanges = Text(id::MsgSaveChanges);
  t.MsgNotSaved = Text(id::MsgNotSaved);
  t.MsgOpenError = Text(id::MsgOpenError);
  t.MsgOpenCancelled = Text(id::MsgOpenCancelled);
  t.MsgNewJobError = Text(id::MsgNewJobError);
  t.MsgNewJobCancelled = Text(id::MsgNewJobCancelled);
  t.MsgDeleteTitle = Text(id::MsgDeleteTitle);
  t.MsgDeleteConfirm = Text(id::MsgDeleteConfirm);
  t.MsgExportTitle = Text(id::MsgExportTitle);
  t.MsgExportBadExtension = Text(id::MsgExportBadExtension);
  t.MsgExportBadExtensionEnd = Text(id::MsgExportBadExtensionEnd);
  t.MsgExportDone = Text(id::MsgExportDone);
  t.MsgExportCancelled = Text(id::MsgExportCancelled);
  return t;
}

void TFDebit::LoadMainFormTexts() {
  namespace id = TextId::MainForm;
  setWindowTitle(Texts.AppTitle);

  const std::pair<QAction*, int> captions[] = {
      {Nouveau, id::Nouveau},
      {Ouvrir, id::Ouvrir},
      {Enregistrer, id::Enregistrer},
      {Enre, id::Enre},
      {Importer, id::Importer},
      {Exporter, id::Exporter},
      {Recap, id::Recap},
      {Imprimer, id::Imprimer},
      {Quitter, id::Quitter},
      {Modifier, id::Modifier},
      {Supprimer, id::Supprimer},
      {GestionnaireDesEssences, id::GestionnaireDesEssences},
      {Unites, id::Unites},
      {OptionsGl, id::OptionsGl},
      {MiseANiveau, id::MiseANiveau},
      {AideTranchex, id::AideTranchex},
      {AproposdeTranchex, id::AproposdeTranchex},
      {PagePresentationdeTranchex, id::PagePresentationdeTranchex},
      {SiteInternetAuteur, id::SiteInternetAuteur},
      {VideosDemonstrationTranchex, id::VideosDemonstrationTranchex},
      {Etiquettes, id::Etiquettes},
      {Affichage, id::Affichage},
      {GestionDesignationsPieces, id::GestionDesignationsPieces},
      {ImportationFichesDebit, id::ImportationFichesDebit},
      {ExportationDesChutes, TextId::OffcutExport::TextOffcutExport},
  };
  Fichier->setTitle(Text(id::Fichier));
  Edition->setTitle(Text(id::Edition));
  Options->setTitle(Text(id::Options));
  for (const auto& [action, textId] : captions) action->setText(Text(textId));
  Imprimer->setShortcut(QKeySequence::Print);

  // The four words start from the language texts; the options may replace them.
  if (settings_.CustomWordsLoaded == 0) ApplyDefaultWords(settings_);
  ApplyWordCaptions();
  SBtnModeAffPanneaux->setToolTip(Text(id::SBtnModeAffPanneauxHint));

  GestionnaireDesDimensions->setTitle(Text(id::GestionnaireDesDimensions));
  DimensionsPieces->setText(Text(id::DimensionsOf) +
                            QString::fromStdString(settings_.WordParts).toLower());
  DimensionsDesPanneaux->setText(Text(id::DimensionsOf) +
                                 QString::fromStdString(settings_.WordPanels).toLower());

  SBtnFiche->setText(Text(id::SBtnFiche));
  SBtnFiche->setToolTip(Text(id::SBtnFicheHint));
  SBtnRecap->setToolTip(QStringLiteral("Récapitulatif du débit"));
  for (QMenu* menu : {Fichier, Edition, Options, GestionnaireDesDimensions, N11})
    AssignAccessKeys(*menu);
}

// The view buttons carry the words, shortened to the button's width whichever way they came
// (the language texts, the options file, the options form), and the views show them at once.
void TFDebit::ApplyWordCaptions() {
  const int c = QFontMetrics(font()).averageCharWidth();
  auto apply = [c](QToolButton* button, const std::string& word) {
    button->setText(QString::fromStdString(EllipsizeText(word, c, button->width() - 6)));
    button->setToolTip(QString::fromStdString(word));
  };
  apply(SBtnPanneaux, settings_.WordPanel);
  apply(SBtnPieces, settings_.WordPart);
  ApplyViewMenuWords();
  View->update();
}

// ---- Start-up -------------------------------------------------------------------------------

void TFDebit::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The first showing only: a second run would reload every file over unsaved edits.
  if (activated_) return;
  activated_ = true;
  FormActivate();
}

void TFDebit::LoadSettingsFiles() {
  const std::filesystem::path folder = ProgramFolder.toStdString();
  std::vector<FileLoadResult> refused;
  try {
    refused = tranchex::LoadSettingsFiles(folder, settings_);
  } catch (const std::exception& e) {
    // Start-up goes on with what was loaded.
    prompts_.Notice(Texts.MsgOpenError, Texts.MsgOpenError + QString::fromUtf8(e.what()),
                    PromptIcon::Warning);
  }
  for (const FileLoadResult& r : refused) {
    QString message = QString::fromStdString(r.Message);
    if (!r.Detail.empty()) message += QStringLiteral("\n") + QString::fromStdString(r.Detail);
    prompts_.Notice(Texts.MsgOpenError, message, PromptIcon::Warning);
  }
  ApplyWordCaptions();
}

void TFDebit::FormActivate() {
  QDir().mkpath(ProgramFolder);
  Anglais->setChecked(!Francais->isChecked());
  LoadMainFormTexts();
  LockDataFolder();
  // Before the lists are read: a list written in between by another copy is then taken as
  // changed, never as ours.
  TakeListDigests();
  LoadSettingsFiles();

  settings_.RecentJobs = ReadRecentJobsFile(RecentJobsFilePath(ProgramFolder.toStdString()));
  recentAtStart_ = settings_.RecentJobs;
  RebuildRecentMenu();

  // The measures come from the client area as it is now shown.
  if (QLayout* l = layout()) l->activate();
  FormResize();

  // The window shows and paints first: the update check may wait seconds for the server. The
  // check then runs before the job named on the command line opens. A window that is never
  // painted (hidden at once) goes on after a short wait.
  MiseANiveau->setVisible(false);
  startingUp_ = true;
  QTimer::singleShot(kFirstPaintWaitMs, this, [this] { ContinueStartUp(); });
}

void TFDebit::ContinueStartUp() {
  if (!startingUp_ || startUpQueued_) return;
  startUpQueued_ = true;
  QMetaObject::invokeMethod(this, [this] { FinishStartUp(); }, Qt::QueuedConnection);
}

void TFDebit::FinishStartUp() {
  RunUpdateCheck();
  if (!CommandLineJob) {
    DisableJobCommands();
  } else {
    CommandLineOpen();
  }
  startingUp_ = false;
  // A close asked for during start-up is carried out now that start-up is over.
  if (closeRequested_) {
    closeRequested_ = false;
    close();
  }
}

// ---- Closing --------------------------------------------------------------------------------

void TFDebit::QuitterClick() { close(); }

// One file: its own message (text 215 for a read-only one). Several: one line each, the file's
// name and why.
void TFDebit::ReportUnsavedSettingsFiles(const std::vector<SettingsFileError>& failures) {
  if (failures.empty()) return;
  QString text;
  if (failures.size() == 1) {
    text = QString::fromUtf8(failures.front().what());
  } else {
    QStringList lines;
    for (const SettingsFileError& e : failures) {
      lines << QString::fromStdString(e.fileName()) + QStringLiteral(" : ") +
                   QString::fromUtf8(e.what()).replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    text = lines.join(QLatin1Char('\n'));
  }
  prompts_.Notice(Texts.MsgOpenError, text, PromptIcon::Warning);
}

void TFDebit::closeEvent(QCloseEvent* event) {
  // Start-up is not interrupted: the close waits for its end.
  if (startingUp_) {
    closeRequested_ = true;
    event->ignore();
    return;
  }
  if (FormClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool TFDebit::FormClose() {
  const std::filesystem::path folder = ProgramFolder.toStdString();
  // The reference stores that changed, before the job prompt; those that could not be written
  // are told in one box, whatever their number. A list another copy wrote since this one read
  // it is not written over.
  const std::set<std::string> changedOnDisk = SettingsFilesChangedOnDisk();
  ReportUnsavedSettingsFiles(SaveDirtySettingsFiles(folder, settings_, changedOnDisk));
  // What is on disk now is what a next close attempt compares with.
  for (const std::string& name : DirtySettingsFileNames(settings_)) {
    if (changedOnDisk.count(name) == 0) listDigests_[name] = ListFileDigest(folder / name);
  }

  // Cancelling the save dialog, or a save that failed, keeps the window and the job.
  if (OfferToSaveJob(SavePromptUse::CloseWindow) != SavePromptOutcome::GoOn) return false;

  QStringList notSaved;
  for (const std::string& name : changedOnDisk) notSaved << QString::fromStdString(name);
  // Written always, unless another copy wrote it since; a file that cannot be written is not
  // reported.
  if (!ListFileChangedOnDisk(kRecentJobsFileName)) {
    try {
      WriteRecentJobsFile(RecentJobsFilePath(folder), settings_.RecentJobs);
    } catch (const std::exception&) {
    }
  } else if (settings_.RecentJobs != recentAtStart_) {
    notSaved << QString::fromLatin1(kRecentJobsFileName);
  }
  TellListsNotSaved(notSaved);
  return true;
}

void TFDebit::LockDataFolder() {
  const QString path = QDir(ProgramFolder).filePath(QStringLiteral("Tranchex.lock"));
  const DataLockResult result = TakeDataFolderLock(path, dataLock_);
  const QString folder = QDir::toNativeSeparators(ProgramFolder);
  const QString listsKept = QStringLiteral(
      "\nA la fermeture, une liste que l'autre fenêtre aura enregistrée entre-temps (dimensions, "
      "désignations, étiquettes, options, unité, débits récents) ne sera pas remplacée. La liste "
      "des essences est partagée : chaque essence ajoutée y est enregistrée aussitôt.");
  switch (result.What) {
    case DataLockResult::Kind::Taken:
    case DataLockResult::Kind::NotTaken:
      return;
    case DataLockResult::Kind::NotAFile:
      prompts_.Notice(Texts.AppTitle,
                      QStringLiteral("Le verrou du dossier de données n'a pas pu être pris : ") +
                          QDir::toNativeSeparators(path) +
                          QStringLiteral(" n'est pas un fichier ordinaire.\nUne autre fenêtre "
                                         "de Tranchex sur ce dossier ne sera pas signalée.") +
                          listsKept,
                      PromptIcon::Exclamation);
      return;
    case DataLockResult::Kind::FolderNotWritable:
      prompts_.Notice(Texts.AppTitle,
                      QStringLiteral("Le dossier de données ne peut pas être écrit (%1) :\n")
                              .arg(result.Reason) +
                          folder +
                          QStringLiteral("\nLes listes (essences, dimensions, désignations, "
                                         "étiquettes, options, unité, débits récents) n'y "
                                         "seront pas enregistrées."),
                      PromptIcon::Exclamation);
      return;
    case DataLockResult::Kind::HeldElsewhere:
      prompts_.Notice(Texts.AppTitle,
                      QStringLiteral("Tranchex est déjà ouvert sur ce dossier de données par "
                                     "l'ordinateur « %1 », depuis le %2 :\n")
                              .arg(result.Host,
                                   result.Since.toString(QStringLiteral("dd/MM/yyyy à HH:mm"))) +
                          folder + listsKept,
                      PromptIcon::Exclamation);
      return;
    case DataLockResult::Kind::HeldHere:
      prompts_.Notice(Texts.AppTitle,
                      QStringLiteral("Tranchex est déjà ouvert sur ce dossier de données :\n") +
                          folder + listsKept,
                      PromptIcon::Exclamation);
      return;
  }
}

void TFDebit::TakeListDigests() {
  const std::filesystem::path folder = ProgramFolder.toStdString();
  listDigests_.clear();
  for (const std::string& name : SettingsFileNames()) {
    listDigests_[name] = ListFileDigest(folder / name);
  }
  listDigests_[kRecentJobsFileName] = ListFileDigest(folder / kRecentJobsFileName);
}

bool TFDebit::ListFileChangedOnDisk(const std::string& fileName) const {
  const auto read = listDigests_.find(fileName);
  if (read == listDigests_.end()) return false;  // never read: nothing to compare
  const std::filesystem::path folder = ProgramFolder.toStdString();
  return ListFileDigest(folder / fileName) != read->second;
}

std::set<std::string> TFDebit::SettingsFilesChangedOnDisk() const {
  std::set<std::string> changed;
  for (const std::string& name : DirtySettingsFileNames(settings_)) {
    if (ListFileChangedOnDisk(name)) changed.insert(name);
  }
  return changed;
}

void TFDebit::TellListsNotSaved(const QStringList& names) {
  if (names.isEmpty()) return;
  prompts_.Notice(Texts.AppTitle,
                  QStringLiteral("Une autre fenêtre de Tranchex a enregistré ces listes depuis "
                                 "leur lecture ; vos modifications n'y ont pas été "
                                 "enregistrées :\n") +
                      names.join(QLatin1Char('\n')),
                  PromptIcon::Exclamation);
}

}  // namespace tranchex
