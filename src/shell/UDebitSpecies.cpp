// The main window's changes of the species list: the species manager, and the one home through
// which the entry forms, the manager and the import add a species. A job file names each
// record's species by its place in "FEssences.dat", so every change is on disk, under the
// species file's lock and with what other copies wrote taken in, before any record can name it;
// the close has nothing of the list left to write.

#include <QDir>
#include <filesystem>

#include "dialogs/DialogFrame.h"
#include "dialogs/UGestEssence.h"
#include "job/SettingsFiles.h"
#include "job/SpeciesList.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"
#include "shell/UDebit.h"

namespace tranchex {
namespace {

// Why the species file could not take a change, with the file's name.
QString SpeciesFileRefusal(const QString& what, const SettingsFileError& e,
                           const std::filesystem::path& folder) {
  return what + QStringLiteral("\nLa liste des essences n'a pas pu être enregistrée dans ") +
         QDir::toNativeSeparators(QString::fromStdString((folder / e.fileName()).string())) +
         QStringLiteral(" :\n") + QString::fromUtf8(e.what());
}

QString Quoted(const std::vector<std::string>& names) {
  QStringList quoted;
  for (const std::string& name : names)
    quoted << QStringLiteral("« ") + QString::fromStdString(name) + QStringLiteral(" »");
  return quoted.join(QStringLiteral(", "));
}

}  // namespace

std::optional<std::vector<std::int32_t>> TFDebit::AddSpeciesNames(
    const std::vector<std::string>& names, const QString& caption) {
  const std::filesystem::path folder = ProgramFolder.toStdString();
  try {
    std::vector<std::int32_t> places = AddSpecies(folder, settings_, job_, speciesCopies_, names);
    View->update();
    return places;
  } catch (const SettingsFileError& e) {
    prompts_.Notice(caption,
                    SpeciesFileRefusal(QStringLiteral("Pas d'ajout à la liste des essences : ") +
                                           Quoted(names) + QStringLiteral("."),
                                       e, folder),
                    PromptIcon::Warning);
    return std::nullopt;
  }
}

std::optional<int> TFDebit::AddTypedSpecies(const std::string& name) {
  const auto places = AddSpeciesNames(
      {name}, QString::fromStdString(LoadString(TextId::PanelForm::NewSpeciesCaption)));
  if (!places || places->empty()) return std::nullopt;
  return places->front();
}

void TFDebit::TakeInSpeciesList() {
  TakeInSpecies(ProgramFolder.toStdString(), settings_, job_, speciesCopies_);
}

// The manager shows the list with what other copies added; a name added joins the file at once,
// the names deleted are written when the form closes (OK or the close box, which keeps them).
void TFDebit::GestionnaireDesEssencesClick() {
  TFGestEssence& dialog = *FGestEssence;
  TakeInSpeciesList();
  dialog.SpeciesList = &settings_.SpeciesNames;
  dialog.AddSpecies = [this](const std::string& name) { return AddTypedSpecies(name); };
  dialog.SpeciesInUse = SpeciesUsedByJob(job_, settings_.SpeciesNames.size());
  PlaceDialog(dialog, *this, 14);
  prompts_.ShowModal(dialog);
  if (!dialog.DeletedPlaces.empty()) {
    const std::filesystem::path folder = ProgramFolder.toStdString();
    try {
      DeleteSpecies(folder, settings_, job_, speciesCopies_, dialog.DeletedPlaces);
    } catch (const SettingsFileError& e) {
      std::vector<std::string> names;
      for (const std::size_t place : dialog.DeletedPlaces) {
        if (place < settings_.SpeciesNames.size()) names.push_back(settings_.SpeciesNames[place]);
      }
      prompts_.Notice(TFGestEssence::kAddCaption,
                      SpeciesFileRefusal(QStringLiteral("Essences non supprimées : ") +
                                             Quoted(names) + QStringLiteral("."),
                                         e, folder),
                      PromptIcon::Warning);
    }
  }
  dialog.AddSpecies = nullptr;
  View->update();
}

}  // namespace tranchex
