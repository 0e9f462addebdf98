// The parts of a cutting sheet put into the emptied job: the job lists, the names and sizes the
// reference lists lack, the stock panels, the job kind, the margins and the kerf.

#include <algorithm>
#include <string>
#include <vector>

#include "engine/Driver.h"
#include "engine/FitChecks.h"
#include "engine/Placement.h"
#include "engine/Records.h"
#include "exchange/ImportPanels.h"
#include "exchange/ImportReader.h"
#include "job/JobRecordChecks.h"
#include "job/Outils_debit.h"
#include "job/SpeciesList.h"
#include "job/StandardSizes.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"

namespace tranchex {
namespace {

// The position of the name in the list, appending it when the list lacks it.
std::int32_t FindOrAppend(std::vector<std::string>& list, const std::string& name, bool& added) {
  const auto found = std::find(list.begin(), list.end(), name);
  if (found != list.end()) return static_cast<std::int32_t>(found - list.begin());
  list.push_back(name);
  added = true;
  return static_cast<std::int32_t>(list.size() - 1);
}

// The margins the proposed panels are fitted with: the default margin on each side of a part,
// along its length only for a job of bars (whose panels are as wide as the bars).
MarginsBlock FitMargins(bool bars, double defaultMargin) {
  MarginsBlock margins;
  margins.LengthMargin = defaultMargin;
  margins.WidthMargin = bars ? 0.0 : defaultMargin;
  return margins;
}

// The export writes this word for a part without species: read back, it names none, unless the
// list has a species of that very name.
bool NamesNoSpecies(const ImportedPart& part, const std::vector<std::string>& species) {
  return part.SpeciesGiven && part.Species == LoadString(TextId::Columns::TextNotSpecified) &&
         std::find(species.begin(), species.end(), part.Species) == species.end();
}

}  // namespace

std::optional<ImportError> ImportedPartsProblem(const std::vector<ImportedPart>& parts,
                                                const UNITE_MESURE& fileUnit,
                                                const Settings& settings) {
  Settings lists = settings;
  JobState job;
  CommitImportedParts(parts, fileUnit, lists, job);
  const MarginsBlock margins = FitMargins(job.MarginsAllZero != 0, settings.DefaultMargin);
  // Each part must find a panel of its material that takes it with those margins.
  if (const auto untaken = FirstPartNoStockTakes(job.JobPanels, job.JobParts, margins, true);
      untaken && *untaken < parts.size()) {
    const std::size_t i = *untaken;
    const std::vector<OPTION_COL_IMPORT>& columns = settings.ImportColumns;
    const OPTION_COL_IMPORT& length =
        columns.size() > ImportLengthEntry ? columns[ImportLengthEntry] : OPTION_COL_IMPORT{};
    // Sizes in the file's unit, as the sheet gives them.
    const std::string margin = SizeInFileUnit(settings.DefaultMargin, fileUnit.Factor);
    const bool tooLong = job.JobParts[i].Length + 2.0 * settings.DefaultMargin > kMaxRecordSize;
    return ImportError{parts[i].Line, length.Column, length.Title,
                       tooLong ? "pièce trop longue : avec la marge par défaut de " + margin +
                                     " de chaque côté, elle ne tient dans aucun panneau de " +
                                     SizeInFileUnit(kMaxRecordSize, fileUnit.Factor) +
                                     " au plus"
                               : "aucun des panneaux proposés ne peut recevoir cette pièce avec "
                                 "la marge par défaut de " + margin,
                       false};
  }
  // The records the import makes; the kerf and margins come from the settings and are offered
  // for review in Modify, where a faulty one is said and corrected.
  std::optional<JobRecordFault> fault =
      CheckJobListSizes(static_cast<std::int64_t>(job.JobPanels.size()),
                        static_cast<std::int64_t>(job.JobParts.size()));
  for (std::size_t i = 0; !fault && i < job.JobPanels.size(); ++i) {
    fault = CheckPanelRecord(job.JobPanels[i], i);
  }
  for (std::size_t i = 0; !fault && i < job.JobParts.size(); ++i) {
    fault = CheckPartRecord(job.JobParts[i], i);
    if (!fault) fault = CheckDesignation(job.JobDesignations[i], i);
    if (!fault) fault = CheckReference(job.JobReferences[i], i);
  }
  if (!fault) fault = CheckJobCopies(job.JobPanels, job.JobParts);
  if (fault) {
    return ImportError{0, 0, {}, "Le débit importé ne serait pas valide : " + fault->message,
                       false};
  }
  return std::nullopt;
}

std::vector<std::string> SpeciesTheListLacks(const std::vector<ImportedPart>& parts,
                                             const std::vector<std::string>& species) {
  std::vector<std::string> lacking;
  for (const ImportedPart& part : parts) {
    if (!part.SpeciesGiven || NamesNoSpecies(part, species) ||
        std::find(species.begin(), species.end(), part.Species) != species.end() ||
        std::find(lacking.begin(), lacking.end(), part.Species) != lacking.end()) {
      continue;
    }
    lacking.push_back(part.Species);
  }
  return lacking;
}

ImportListChanges CommitImportedParts(const std::vector<ImportedPart>& parts,
                                      const UNITE_MESURE& fileUnit, Settings& settings,
                                      JobState& job) {
  ImportListChanges changes;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const ImportedPart& in = parts[i];
    TPiece part(in.Length, in.Width, in.Thickness, 0);
    part.Quantity = in.Quantity;
    part.Grain = in.Grain;
    part.Number = static_cast<std::int32_t>(job.JobParts.size());
    part.DesignationIndex = static_cast<std::int32_t>(job.JobDesignations.size());

    if (NamesNoSpecies(in, settings.SpeciesNames)) {
      // Apart from every listed species, on a stock panel of its own (a simple job, where a
      // single panel takes every part, gives it species 0).
      part.Species = kNoSpecies;
    } else if (in.SpeciesGiven) {
      bool added = false;
      part.Species = FindOrAppend(settings.SpeciesNames, in.Species, added);
      if (added) changes.SpeciesAdded = true;
    }

    if (in.DesignationGiven) {
      bool added = false;
      FindOrAppend(settings.DesignationNames, in.Designation, added);
      if (added) {
        changes.DesignationsAdded = true;
        if (settings.ImportAddDesignations != 0) settings.DesignationsFileDirty = 1;
      }
    }

    // The part's sizes for a simple job (10 mm thick) and for a complex one, as entered.
    const std::int32_t length = TruncToInt(part.Length);
    const std::int32_t width = TruncToInt(part.Width);
    for (const DIMENSIONS& size :
         {DIMENSIONS{length, width, kSimpleJobSizeThickness, 1},
          DIMENSIONS{length, width, TruncToInt(part.Thickness), 2}}) {
      if (StandardSizeStored(settings.PartSizes, size.Length, size.Width, size.Thickness,
                             size.Kind)) {
        continue;
      }
      settings.PartSizes.push_back(size);
      changes.PartSizesAdded = true;
      if (settings.ImportAddDimensions != 0) settings.PartSizesDirty = 1;
    }

    job.JobParts.push_back(part);
    job.JobReferences.push_back(in.Reference);
    job.JobDesignations.push_back(in.Designation);
  }
  job.Engine.PartCounter = static_cast<int>(job.JobParts.size());

  // The job gets no margin but the default one on the length, which the margins step of the
  // modify flow proposes (the plain margins form then puts it on the width too). The panels are
  // fitted with the margins the job will carry, so the proposed margin is one every part takes.
  MarginsBlock margins;
  margins.LengthMargin = settings.DefaultMargin;
  const ImportPanelSizes sizes{settings.DefaultPanelLength, settings.DefaultPanelWidth,
                               settings.DefaultMargin};
  const bool bars = PartsAllWidthThickness100(job.JobParts);
  const MarginsBlock fitMargins = FitMargins(bars, settings.DefaultMargin);
  if (bars) {
    margins.DifferentiatedMargins = 1;
    CompleteImportedPanelsByLength(job.JobParts, job.JobPanels, fitMargins, settings.DefaultMargin,
                                   job.JobKind);
    job.MarginsAllZero = 1;
  } else {
    CompleteImportedPanels(job.JobParts, job.JobPanels, fitMargins, fileUnit, sizes, job.JobKind);
    job.MarginsAllZero = 0;
  }
  job.JobMargins = margins;
  job.JobKerf = settings.DefaultKerf;
  return changes;
}

}  // namespace tranchex
