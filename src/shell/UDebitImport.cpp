// The main window's import of a cutting list file, and the import's column options as a
// setting. The import asks what the file holds and which file, reads it whole, and only then
// replaces the job: its parts, the stock panels made for them and the additions to the reference
// lists; the user then reviews panels, parts and margins in Modify before the layout.

#include <QAction>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "dialogs/DialogFrame.h"
#include "exchange/ImportReader.h"
#include "exchange/UImportation.h"
#include "exchange/UOptionsImportation.h"
#include "job/Outils_debit.h"
#include "platform/FileIO.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"
#include "shell/UDebit.h"

namespace tranchex {
namespace {

const QString kImportFilter = QStringLiteral("Fichiers csv (*.csv);;Fichiers texte (*.txt)");
const QString kImportSuffix = QStringLiteral("txt");

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

}  // namespace

void TFDebit::ImporterClick() {
  namespace id = TextId::ImportForm;
  const QString caption = Text(id::Caption);
  const QString cancelled = Text(id::Cancelled);
  // Every message of the import is under its own caption.
  if (!SaveBeforeReplacingJob(cancelled, caption, PromptIcon::Information)) return;

  // Until the file has been read whole, the job on screen stays as it is; one whose save was
  // declined is still to be saved.
  const bool declined = saveDeclined_;
  const auto stop = [&](const QString& message, PromptIcon icon) {
    if (declined) job_.JobModified = 1;
    ResetBusy();
    prompts_.Notice(caption, message, icon);
  };

  // What the file holds, in the unit last chosen in the column options (the program's unit
  // until one is chosen, and again once the program's unit changes).
  TFImportation& form = *FImportation;
  form.OptionsForm = FOptionsImportation;
  form.ImportSettings = &settings_;
  form.FollowProgramUnit(settings_.MeasureUnit);
  PlaceDialog(form, *this, 14);
  prompts_.ShowModal(form);
  if (form.Accepted != 1) {
    stop(cancelled, PromptIcon::Information);
    return;
  }

  const std::optional<QString> chosen = prompts_.OpenFile(
      Importer->text().remove(QLatin1Char('&')), QString(), kImportFilter, kImportSuffix);
  if (!chosen) {
    stop(cancelled, PromptIcon::Information);
    return;
  }

  std::string bytes;
  try {
    bytes = ReadImportFile(std::filesystem::path(chosen->toStdString()));
  } catch (const FileAccessError&) {
    stop(QString::fromStdString(ReplaceValPlaceholder(
             LoadString(TextId::Messages::MsgFileLocked), chosen->toStdString())) +
             QStringLiteral("\n") + cancelled,
         PromptIcon::Warning);
    return;
  } catch (const std::exception& e) {
    stop(QString::fromUtf8(e.what()) + QStringLiteral("\n") + cancelled, PromptIcon::Warning);
    return;
  }

  ImportRequest request{bytes, settings_.ImportColumns, form.FirstLineHeadings != 0,
                        form.FileUnit.Factor, settings_.ImportDefaultGrain};
  // A first line about to be skipped as the titles that reads as a part is not lost unasked.
  if (const std::optional<std::string> line = FirstLineAsPart(request)) {
    const QString question =
        QStringLiteral("La première ligne du fichier ressemble à une pièce :\n« %1 »\n"
                       "L'importer comme une pièce ? (Non : elle est lue comme la ligne des "
                       "titres et n'est pas importée.)")
            .arg(QString::fromStdString(*line).left(100));
    switch (prompts_.Ask(caption, question, PromptButtons::YesNoCancel, PromptIcon::Question)) {
      case PromptAnswer::Yes:
        request.HeaderLine = false;
        break;
      case PromptAnswer::No:
        break;
      case PromptAnswer::Cancel:
        stop(cancelled, PromptIcon::Information);
        return;
    }
  }
  const ImportReadResult read = ReadCuttingSheet(request);
  const ImportError* error = std::get_if<ImportError>(&read);
  // A part no proposed panel could take, or a job the job rules refuse, is refused like a
  // faulty line, before the job is touched.
  const std::optional<ImportError> problem =
      error ? std::nullopt
            : ImportedPartsProblem(std::get<std::vector<ImportedPart>>(read), form.FileUnit,
                                   settings_);
  if (error || problem) {
    stop(QString::fromStdString(ImportRefusalText(
             ImportErrorText(error ? *error : *problem, request.HeaderLine))) +
             QStringLiteral("\n") + cancelled,
         PromptIcon::Warning);
    return;
  }
  std::vector<ImportedPart> parts = std::get<std::vector<ImportedPart>>(read);
  if (parts.empty()) {
    stop(cancelled, PromptIcon::Information);
    return;
  }
  // A reference names one part: when two lines would share one, the user chooses between free
  // letters for the later parts and no import.
  if (const std::optional<ReferenceClash> clash = FindReferenceClash(parts)) {
    const QString question =
        QString::fromStdString(ReferenceClashText(*clash)) +
        QStringLiteral("\nDonner aux pièces dont la référence est déjà prise des références "
                       "libres ? (Non : l'importation est annulée.)");
    if (prompts_.Ask(caption, question, PromptButtons::YesNo, PromptIcon::Question) !=
        PromptAnswer::Yes) {
      stop(cancelled, PromptIcon::Information);
      return;
    }
    FreeTakenReferences(parts);
  }

  // The species the parts name join the species file first: a place is on disk before any
  // record names it. A list that cannot take them stops the import, the job as it was.
  if (const std::vector<std::string> lacking = SpeciesTheListLacks(parts, settings_.SpeciesNames);
      !lacking.empty() && !AddSpeciesNames(lacking, caption)) {
    if (declined) job_.JobModified = 1;
    ResetBusy();
    return;
  }

  // The file is sound: from here it replaces the job.
  StartUntitledJob(job_);
  job_.JobModified = 1;
  setWindowTitle(Texts.AppTitle);
  DisableJobCommands();
  // The parts, their stock panels, margins and kerf, and the designations and sizes the lists
  // lacked (with the dirty flags of the lists it lengthened raised).
  CommitImportedParts(parts, form.FileUnit, settings_, job_);
  View->update();

  // Modify, with the margins offered, lays the job out.
  job_.MarginsPending = 1;
  ModifierClick();
  job_.MarginsPending = 0;
  if (job_.JobLoaded == 0) {
    // Modify has said why the job cannot be laid out: it stays, to be corrected.
    ShowUnplacedJob();
    return;
  }
  EnableJobCommands();
  SBtnPanneauxClick();
  ResetBusy();
}

// The column options from the Options menu: a file unit chosen there is the one the next
// imports read.
void TFDebit::ImportationFichesDebitClick() {
  FImportation->FollowProgramUnit(settings_.MeasureUnit);
  FOptionsImportation->EditImportSettings(*this, settings_, FImportation->FileUnit);
}

}  // namespace tranchex
