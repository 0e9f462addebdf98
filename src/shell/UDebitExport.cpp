// The main window's export: the choice of what to export, the save picker, one file written
// whole or not at all, and one closing message.

#include <QFileInfo>
#include <optional>
#include <string>

#include "dialogs/UFSelExport.h"
#include "exchange/JobExport.h"
#include "job/Outils_debit.h"
#include "platform/FileIO.h"
#include "platform/Prompts.h"
#include "shell/UDebit.h"

namespace tranchex {
namespace {

const QString kExportCaption = QStringLiteral("Exportation du débit");
const QString kLinesFilter = QStringLiteral("Fichiers csv (*.csv);;Fichiers texte (*.txt)");
const QString kSheetFilter = kLinesFilter + QStringLiteral(";;Fichiers silk (*.slk)");
const QString kExportSuffix = QStringLiteral("csv");


}  // namespace

void TFDebit::ExporterClick() {
  TFSelExport& choice = *FSelExport;
  PlaceDialog(choice, *this, 14);
  prompts_.ShowModal(choice);
  if (!choice.ExportConfirmed) {
    prompts_.Notice(Texts.MsgExportTitle, Texts.MsgExportCancelled, PromptIcon::Information);
    return;
  }
  const ExportLayout layout =
      choice.ExportCuttingSheet != 0 ? ExportLayout::CuttingSheet : ExportLayout::ComputedJob;

  // The picker starts on the folder and name of the run's last export.
  QString folder;
  QString name;
  if (!lastExportPath_.isEmpty()) {
    const QFileInfo last(lastExportPath_);
    folder = last.absolutePath();
    name = last.fileName();
  }
  const std::optional<QString> chosen =
      prompts_.SaveFile(kExportCaption, folder, name,
                        layout == ExportLayout::CuttingSheet ? kSheetFilter : kLinesFilter,
                        kExportSuffix);
  if (!chosen) {
    prompts_.Notice(Texts.MsgExportTitle, Texts.MsgExportCancelled, PromptIcon::Information);
    return;
  }
  lastExportPath_ = *chosen;

  // A name without a dot is its own extension, and is refused like any other.
  const std::string path = chosen->toStdString();
  const std::optional<ExportFormat> format = ExportFormatFor(ExtractExtensionPart(path), layout);
  if (!format) {
    prompts_.Notice(Texts.MsgExportTitle,
                    Texts.MsgExportBadExtension + QString::fromStdString(ExtractFileNamePart(path)) +
                        Texts.MsgExportBadExtensionEnd,
                    PromptIcon::Exclamation);
    return;
  }

  const ExportTexts texts = LoadExportTexts();
  const ExportSource source{job_, settings_.SpeciesNames, settings_.MeasureUnit.Factor, texts,
                            Measures.DecimalSeparator};
  try {
    // Written whole or not at all: a file of that name already there stays as it was.
    WriteFileAtomic(std::filesystem::path(path), ExportFileBytes(layout, *format, source));
  } catch (const std::exception& e) {
    // Never "Exportation terminée !" for a file that is not there: the file and the reason.
    prompts_.Notice(Texts.MsgExportTitle, QString::fromUtf8(e.what()), PromptIcon::Warning);
    return;
  }
  prompts_.Notice(Texts.MsgExportTitle, Texts.MsgExportDone, PromptIcon::Information);
}

}  // namespace tranchex
