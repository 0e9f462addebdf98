#pragma once
// The main window: menus, tool bar, the three views of the computed job page by page, and the
// job's life cycle (open, save, save as, the recent jobs, start-up and closing).
//
// The window is handed what it works on: the prompts that ask the user, the settings and
// reference lists, the one job, the data folder (where the settings files, "DBRS.dat" and the
// job folder "Mesdebits" live) and the job file named on the command line, if any. It owns its
// dialog forms, created once with it.
//
// Files: UDebit.cpp (construction, texts, start-up, closing, command switching),
// UDebitViews.cpp (views, page navigation, measures, painting), UDebitFiles.cpp (open, save,
// save as, recent jobs, the pipeline's window side), UDebitExport.cpp (the job export),
// UDebitEntryForms.cpp (the criteria, panel and part steps of New and Modify), UDebitMargins.cpp
// (their margins step), UDebitModify.cpp (the Modify command), UDebitNew.cpp (New and Delete).

#include <QMainWindow>
#include <QPrinter>
#include <QString>
#include <array>
#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Help.h"
#include "platform/Prompts.h"
#include "job/CuttingPipeline.h"
#include "job/JobState.h"
#include "job/Settings.h"
#include "job/SpeciesList.h"

class QAction;
class QLockFile;
class QLineEdit;
class QMenu;
class QToolButton;

namespace tranchex {

class Prompts;
class TFDebit;
class TFSelModeAffPanneaux;
class SettingsFileError;
class TFSelDebit;
class TFImpEtiquettes;
class TFSelUnite;
class TFSelExport;
class TFCaractPanneaux;
class TFListesChutes;
class TFExportChutes;
class TSelMarge;
class TSelMargesMultiples;
class TFGestEssence;
class TFGestDimensions;
class TFGestDesPieces;
class TFGestDonneesPanneaux;
class TSelPanneaux;
class TSelPieces;
class TFSelMod;
class TFOptimisation;
class TFOptions;
class TFAffichage;
class TFApropos;
class TFMiseANiveau;
class UpdateCheck;
class UrlOpener;
class TFImportation;
class TFOptionsImportation;

// The caption and messages the main window's commands show, from the language texts. The
// words of its views come from the loaders of the drawings and the cutting sheet.
struct MainFormTexts {
  QString AppTitle;          // "Tranchex": the window's caption and every message box's
  QString MsgSaveChanges;    // "Voulez-vous enregistrer les modifications apportées à"
  QString MsgNotSaved;       // "Le débit n'a pas été sauvegardé !"
  QString MsgOpenError;      // "Erreur dans l'ouverture du fichier !"
  QString MsgOpenCancelled;  // "Annulation de l'ouverture débit !"
  QString MsgNewJobError;    // "Erreur dans la création du débit !"
  QString MsgNewJobCancelled;  // "Annulation de la création d'un nouveau débit !"
  QString MsgDeleteTitle;    // "Suppression d'un débit"
  QString MsgDeleteConfirm;  // "Etes-vous sûr de vouloir supprimer ce débit ?"
  // The export's caption and messages.
  QString MsgExportTitle, MsgExportBadExtension, MsgExportBadExtensionEnd, MsgExportDone,
      MsgExportCancelled;
};

// The texts above; the window loads them when it is created.
MainFormTexts LoadMainWindowTexts();

// Gives each item of the menu that has no keyboard letter the first free letter of its text.
void AssignAccessKeys(QMenu& menu);

// The client area of the main window: the views are painted on it, the tool panel Panel1 lies
// across its top.
class TFDebitView : public QWidget {
  Q_OBJECT

 public:
  explicit TFDebitView(TFDebit& window);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TFDebit& window_;
};

class TFDebit : public QMainWindow, public PipelineWindow {
  Q_OBJECT

 public:
  TFDebit(Prompts& prompts, Settings& settings, JobState& job, QString dataFolder,
          std::optional<QString> commandLineJob = std::nullopt, QWidget* parent = nullptr);
  ~TFDebit() override;

  // ---- Menus and their items -----------------------------------------------------------------
  QMenu* Fichier = nullptr;
  QAction *Nouveau = nullptr, *Ouvrir = nullptr, *Enregistrer = nullptr, *Enre = nullptr,
          *Importer = nullptr, *Exporter = nullptr, *Recap = nullptr, *Imprimer = nullptr,
          *Etiquettes = nullptr, *Quitter = nullptr;
  QMenu* Edition = nullptr;
  QAction *Modifier = nullptr, *Supprimer = nullptr;
  QMenu* Options = nullptr;
  QAction *GestionnaireDesEssences = nullptr, *Unites = nullptr, *OptionsGl = nullptr,
          *Affichage = nullptr, *ImportationFichesDebit = nullptr,
          *ExportationDesChutes = nullptr, *DimensionsPieces = nullptr,
          *DimensionsDesPanneaux = nullptr, *GestionDesignationsPieces = nullptr;
  QMenu* GestionnaireDesDimensions = nullptr;
  QMenu* N11 = nullptr;  // help
  QAction *AideTranchex = nullptr, *PagePresentationdeTranchex = nullptr,
          *VideosDemonstrationTranchex = nullptr, *SiteInternetAuteur = nullptr,
          *AproposdeTranchex = nullptr, *MiseANiveau = nullptr;
  // The keyboard's way to the tool panel's buttons (UDebitKeyboard.cpp).
  QMenu* Vue = nullptr;
  QAction *VuePanneaux = nullptr, *VuePieces = nullptr, *VueFiche = nullptr,
          *VueModeAffPanneaux = nullptr, *PagePremiere = nullptr, *PagePrecedente = nullptr,
          *PageSuivante = nullptr, *PageDerniere = nullptr, *ImpressionVue = nullptr;
  QMenu* Langue = nullptr;  // kept hidden
  QAction *Francais = nullptr, *Anglais = nullptr;

  // ---- Tool panel ------------------------------------------------------------------------------
  QWidget* Panel1 = nullptr;
  QToolButton *BtnNouveau = nullptr, *BtnOuvrir = nullptr, *BtnEnre = nullptr,
              *BtnImpression = nullptr, *SBtnPanneaux = nullptr, *SBtnModeAffPanneaux = nullptr,
              *SBtnPieces = nullptr, *SBtnFiche = nullptr, *SBtnRecap = nullptr,
              *BtnPremier = nullptr, *BtnPrecedant = nullptr, *BtnSuivant = nullptr,
              *BtnDernier = nullptr;
  QLineEdit* EdtQuantieme = nullptr;  // page counter "p\N"
  TFDebitView* View = nullptr;        // the client area

  // ---- Dialog forms, created once with the window --------------------------------------------
  TFSelModeAffPanneaux* FSelModeAffPanneaux = nullptr;
  TFSelDebit* FSelDebit = nullptr;
  TFSelUnite* FSelUnite = nullptr;
  TFImpEtiquettes* FImpEtiquettes = nullptr;
  TFCaractPanneaux* FCaractPanneaux = nullptr;
  TFListesChutes* FListesChutes = nullptr;
  TFExportChutes* FExportChutes = nullptr;
  TFSelExport* FSelExport = nullptr;
  TSelMarge* FSelMarge = nullptr;
  TSelMargesMultiples* FSelMargesMultiples = nullptr;
  TFGestEssence* FGestEssence = nullptr;
  TFGestDimensions* FGestDimensions = nullptr;  // the standard sizes, also the forms' size picker
  TSelPanneaux* SelPanneaux = nullptr;  // the stock panels
  TSelPieces* SelPieces = nullptr;      // the parts
  TFSelMod* FSelMod = nullptr;          // what to modify
  TFOptimisation* FOptimisation = nullptr;  // the optimisation criteria
  TFOptions* FOptions = nullptr;            // the general options
  TFAffichage* FAffichage = nullptr;        // the display options
  TFGestDesPieces* FGestDesPieces = nullptr;  // the designations (also the parts' picker)
  TFGestDonneesPanneaux* FGestDonneesPanneaux = nullptr;  // the parts' characteristics picker
  TFApropos* FApropos = nullptr;            // the about box
  TFMiseANiveau* FMiseANiveau = nullptr;    // the upgrade page of the help menu
  TFImportation* FImportation = nullptr;    // the import: headings line, column options
  TFOptionsImportation* FOptionsImportation = nullptr;  // the import's columns and switches
  // The help every form opens with F1; it shows nothing until a viewer is set.
  HelpRelay Help;
  // What opens the web pages of the help menu (the program's browser, a recorder in the tests);
  // none: the pages cannot be shown and the command says so.
  UrlOpener* WebBrowser = nullptr;
  // The update check run at the first showing, against the maker's server; none: no check, and
  // the help menu does not offer the upgrade page (it lives on that server).
  UpdateCheck* Updates = nullptr;

  // ---- View state ------------------------------------------------------------------------------
  std::int32_t ViewMode = kPanelsView;
  // Parts view and cutting sheet: the page from 0. Panels view: the index in PanelPages (and
  // ResultPanels) of the layout shown.
  std::int32_t CurrentPage = 0;
  std::int32_t PanelDrawMode = 0;  // 0 panels with their parts, 1 with their cut lines
  // The drawing area in tenths of a millimetre, the heading margins, the rows per sheet page.
  DrawingMeasures Measures;
  CanvasPoint PlanViewMetrics;  // drawing origin: 2 mm from the left and bottom edges

  // ---- Start-up state --------------------------------------------------------------------------
  MainFormTexts Texts;
  QString ProgramFolder;  // the data folder
  std::optional<QString> CommandLineJob;
  std::array<QAction*, kRecentJobCount> RecentMenuItems{};

  // ---- Commands (also run by the controls) -----------------------------------------------------
  void OuvrirClick();                // Open (menu Ouvrir, button BtnOuvrir)
  void OpenRecentJob(int index);     // a recent-jobs menu item
  void EnregistrerClick();           // Save (menu Enregistrer, button BtnEnre)
  void EnreClick();                  // Save as
  void QuitterClick();               // closes the window
  void SBtnPanneauxClick();          // panels view, page 1
  void SBtnPiecesClick();            // parts view, page 1
  void SBtnFicheClick();             // cutting sheet, page 1
  void SBtnModeAffPanneauxClick();   // panel drawing mode dialog
  void UnitesClick();                // unit of measure dialog
  void EtiquettesClick();            // the label formats and the labels (UDebitLabels.cpp)
  void ExporterClick();              // the job as a csv, txt or SYLK file
  void RecapClick();                 // the job summary window (UDebitSummary.cpp)
  void SBtnRecapClick();             // the same, from the tool panel
  void ExportationDesChutesClick();  // the offcut export filter as a setting
  void GestionnaireDesEssencesClick();  // species manager (UDebitSpecies.cpp)
  void OptionsGlClick();             // the general options (UDebitOptions.cpp)
  void AffichageClick();             // the display options (UDebitOptions.cpp)
  void DimensionsPiecesClick();          // the size manager on the standard part sizes
  void DimensionsDesPanneauxClick();     // the size manager on the standard panel sizes
  void GestionDesignationsPiecesClick();  // designations manager (UDebitDesignations.cpp)
  // Help and the about box (UDebitHelp.cpp). F1 anywhere in the window and "Aide" open the
  // help at the window's own topic; the three web pages open in the browser.
  void FormHelp();
  void AideTranchexClick();
  void SiteInternetAuteurClick();
  void PagePresentationdeTranchexClick();
  void VideosDemonstrationTranchexClick();
  void AproposdeTranchexClick();
  void MiseANiveauClick();  // the upgrade page, shown only when the update check allows it
  // The margins and kerf of the job, in New (newJob: the fields show the defaults) or Modify:
  // the margin form, or the differentiated one when the job's margins are, handed the job's
  // margins, kerf, kind, parts and stock panels; the job takes the margins and kerf back
  // whatever closed the form. False when the step failed: the job's margins and kerf are as
  // they were. UDebitMargins.cpp.
  bool MarginsStep(bool newJob);
  // Modify with the margins left unticked: during an import (MarginsPending) the margins on the
  // length and the width become 0.0, the thickness margin, the flags and the kerf stay;
  // otherwise nothing changes.
  void SkipMarginsStep();
  // The optimisation criteria form, handed the job's criterion and new-panel choice; both come
  // back whatever closed it (it has no cancel). UDebitEntryForms.cpp.
  void CriteriaStep();
  // The stock-panel form on `panels` (the job's own list in New, a copy in Modify, where
  // `modifying` makes the fit tests apply); true when it was finished. A standard size it added
  // marks its file for rewriting whatever closed the form; a species it added is on disk.
  bool PanelFormStep(PanelList& panels, bool modifying);
  // The part form on the three part lists given (the job's own in New, copies in Modify), with
  // the characteristics of the job's stock panels as they now stand; true when it was finished,
  // the parts then numbered by their positions. A designation or standard size it added marks
  // its file for rewriting whatever closed the form; a species it added is on disk.
  bool PartFormStep(PartList& parts, std::vector<std::string>& designations,
                    std::vector<std::string>& references, EngineContext& engine, bool modifying);
  // ---- The species list (UDebitSpecies.cpp) ---------------------------------------------------
  // The one home of the window's changes of the species list (job/SpeciesList.h): on disk
  // first, then the open job's places past the list, and those of the working copies the entry
  // forms edit (speciesCopies_), move past the names that joined it.
  // The places of the names, or nothing when the list could not take them: then the user is told
  // why, under `caption`, with the file's name, and nothing changed.
  std::optional<std::vector<std::int32_t>> AddSpeciesNames(const std::vector<std::string>& names,
                                                           const QString& caption);
  // What other copies wrote to the species file since this one last read it.
  void TakeInSpeciesList();
  // The adder the entry forms and the species manager are handed.
  std::optional<int> AddTypedSpecies(const std::string& name);
  SpeciesRecordCopies speciesCopies_;
  void ModifierClick();              // Modify: the chosen forms, then the job laid out again
  void NouveauClick();               // New: a job entered from nothing, then laid out
  void SupprimerClick();             // Delete: the job emptied after a question, no file deleted
  void ImporterClick();  // a cutting list file replaces the job, then Modify (UDebitImport.cpp)
  void ImportationFichesDebitClick();  // the import's column options as settings
  void BtnImpressionClick();         // prints the whole current view, no dialog
  void ImprimerClick();              // the print dialog, then the pages chosen there
  void PrintView(bool askPages);     // the body of both: the whole view, or the pages asked
  // The printer both print commands use, kept for the whole run.
  QPrinter& SessionPrinter();
  void BtnPremierClick();
  void BtnPrecedentClick();
  void BtnSuivantClick();
  void BtnDernierClick();
  void EnableJobCommands();
  void DisableJobCommands();
  // Recomputes the measures from the client area's size (tool panel, scales, rows per sheet
  // page, pagination); run on every resize of the client area.
  void FormResize();
  // Paints the current page of the current view on a canvas the size of the client area.
  void PaintView(Canvas& canvas, int clientWidth, int clientHeight);

  // ---- PipelineWindow --------------------------------------------------------------------------
  void SetBusy(bool busy) override;
  void PipelineFinished(PipelineVariant variant) override;

  // True while a wait cursor set by the window is showing.
  bool Busy() const { return busyDepth_ > 0; }
  // True once the first-activation sequence has run.
  bool Activated() const { return activated_; }
  // True once start-up has ended: the update check has run and the job named on the command
  // line has been opened.
  bool StartedUp() const { return activated_ && !startingUp_; }
  // The rest of start-up, queued once the window has been painted (the view calls it after
  // each paint; only the first counts).
  void ContinueStartUp();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Construction.
  void CreateMenus();
  void CreateToolPanel();
  QAction* AddAction(QMenu* menu, const char* name);
  QToolButton* AddButton(const char* name, bool checkable);
  void SetCommandEnabled(QObject* command, bool enabled);
  void PressViewButton(QToolButton* pressed);
  void CreateHelpCommands();
  void CreateViewMenu();
  void ApplyViewMenuWords();
  void OpenWebPage(int addressTextId, bool offerAddress);
  // The start-up's update check (the upgrade item is hidden until then): the check, then the
  // item shown when the list in the data folder does not name this version as the newest.
  void RunUpdateCheck();

  // Start-up and closing.
  void FormActivate();
  void FinishStartUp();  // after the first paint: the update check, the command-line job
  void LoadMainFormTexts();
  void LoadSettingsFiles();
  void ApplyWordCaptions();
  bool FormClose();  // false: the close is cancelled
  void ReportUnsavedSettingsFiles(const std::vector<SettingsFileError>& failures);
  // Takes the data folder's lock; another copy holding it is said once.
  void LockDataFolder();
  void TakeListDigests();
  // The dirty reference files that another copy wrote since this one read them.
  std::set<std::string> SettingsFilesChangedOnDisk() const;
  bool ListFileChangedOnDisk(const std::string& fileName) const;
  void TellListsNotSaved(const QStringList& names);

  // Files.
  // The save prompt before a command replaces the job (New, Open) or the window closes: asks
  // when the job is modified and saves it as answered. Replacing: Yes, No and Cancel, the file
  // tagged; closing: Yes and No, the file untagged, and a job saved under a new name takes that
  // name. Cancelled (at the prompt or the save dialog) and SaveFailed (reported) leave the job,
  // its lists and flags as they were.
  enum class SavePromptUse { ReplaceJob, CloseWindow };
  enum class SavePromptOutcome { GoOn, Cancelled, SaveFailed };
  SavePromptOutcome OfferToSaveJob(SavePromptUse use);
  // The save prompt of a command that replaces the job: true when the command goes on; a
  // cancel shows `cancelledMessage` (under the program's title, or the command's own caption
  // and icon), a failed save has been reported.
  bool SaveBeforeReplacingJob(const QString& cancelledMessage,
                              const QString& cancelledCaption = QString(),
                              PromptIcon cancelledIcon = PromptIcon::Exclamation);
  // A job whose entries are sound but which cannot be laid out: its lists, name and flags stay,
  // the views are empty, the pipeline's reason follows text 103, and only the commands that
  // work on the entries (modify, save, save as, delete) are enabled.
  void KeepUnplacedJob(const std::exception& reason);
  void ShowUnplacedJob();  // the same once the reason has been shown
  // True when the job has entries to modify, saved or not laid out.
  bool JobHasEntries() const;
  void CancelNewJob();
  bool EnterNewJob();
  void OpenJob(std::optional<int> recentIndex);
  void CommandLineOpen();
  // Reads the job file and lays it out (Open or the command-line open): a file that cannot be
  // read empties the job (text 126), a job that cannot be laid out is kept (KeepUnplacedJob).
  void ReadAndLayOutJob(const QString& path, PipelineVariant variant);
  void FailOpen(bool commandLine, const QString& reason);
  bool SaveJobTo(const QString& path, bool tagged);
  std::optional<QString> AskSavePath();
  void SaveCommand(bool askName);
  void RebuildRecentMenu();
  void AddRecent(const QString& path, const QString& name);
  QString JobFolderPath() const;
  QString SaveChangesQuestion() const;
  void SetJobCaption();
  void ResetBusy();

  // Views.
  std::int32_t PageCount() const;
  void EnterListView(std::int32_t viewMode, std::int32_t pageCount);
  void SetCounter(std::int32_t page, std::int32_t count);
  void SetBackButtons(bool enabled);
  void SetForwardButtons(bool enabled);
  void PaintPanels(Canvas& canvas);
  void PaintPart(Canvas& canvas);
  void PaintCuttingSheet(Canvas& canvas, int clientWidth, int clientHeight);

  // Printing: what the print engine reads of the window, the printer kept for the run.
  struct PrintSession;
  PrintSession& Printing();

  Prompts& prompts_;
  Settings& settings_;
  JobState& job_;
  std::unique_ptr<PrintSession> printing_;
  QAction* recentSeparator_ = nullptr;
  QString lastSaveName_ = QString::fromLatin1(kNewJobName);
  QString lastExportPath_;  // the file chosen at the run's last export; empty before
  int busyDepth_ = 0;
  bool activated_ = false;
  // Set from the first showing to the end of start-up (the update check, then the job named
  // on the command line): the check's wait takes no input, but a close request of the window
  // system still arrives; it is kept and carried out when start-up ends.
  bool startingUp_ = false;
  bool startUpQueued_ = false;
  bool closeRequested_ = false;
  bool saveDeclined_ = false;  // the last save prompt was answered No: the job is not saved
  // Two copies on one data folder. The lock is held by the copy that started first; each list
  // file's digest as read at start (or last written) tells at close whether another copy wrote
  // it meanwhile, and the recent list as read tells whether this copy changed it.
  std::unique_ptr<QLockFile> dataLock_;
  std::map<std::string, std::optional<std::size_t>> listDigests_;
  RecentJobList recentAtStart_{};
};

}  // namespace tranchex
