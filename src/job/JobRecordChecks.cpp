#include "job/JobRecordChecks.h"

#include <cmath>
#include <iomanip>
#include <sstream>
#include <utility>

#include "platform/Cp1252.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"

namespace tranchex {
namespace {

// A number as the user reads it: a decimal comma, no trailing zeros.
std::string Number(double v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v > 0 ? "infini" : "-infini";
  std::ostringstream os;
  os << std::setprecision(12) << v;
  std::string text = os.str();
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  return text;
}

// A length given in tenths of a millimetre, in millimetres.
std::string Millimetres(double tenths) { return Number(tenths / 10.0) + " mm"; }

JobRecordFault Fault(JobList list, std::size_t index, JobField field, std::string message) {
  return JobRecordFault{list, index, field, std::move(message)};
}

const char* RecordWord(JobList list) {
  switch (list) {
    case JobList::Panels:
      return "Panneau";
    case JobList::Parts:
      return "Pièce";
    case JobList::Designations:
      return "Désignation";
    case JobList::References:
      return "Référence";
    case JobList::Job:
      break;
  }
  return "Débit";
}

std::string Who(JobList list, std::size_t index) {
  return std::string(RecordWord(list)) + " " + std::to_string(index + 1) + " : ";
}

// Above 0 and at most `max`; false for NaN.
bool InSizeRange(double v, double max) { return v > 0.0 && v <= max; }

// From 0 to `max`; false for NaN.
bool InMarginRange(double v, double max) { return v >= 0.0 && v <= max; }

std::optional<JobRecordFault> CheckRecord(const TPanneau& r, JobList list, std::size_t index) {
  const std::string who = Who(list, index);
  const struct {
    double value;
    double max;
    JobField field;
    const char* name;
  } sizes[] = {
      {r.Length, kMaxRecordSize, JobField::Length, "longueur"},
      {r.Width, kMaxRecordSize, JobField::Width, "largeur"},
      {r.Thickness, kMaxRecordThickness, JobField::Thickness, "épaisseur"},
  };
  for (const auto& s : sizes) {
    if (!InSizeRange(s.value, s.max)) {
      return Fault(list, index, s.field,
                   who + s.name + " non valide (" + Millimetres(s.value) + " ; de plus de 0 à " +
                       Millimetres(s.max) + ")");
    }
  }
  // The layouts start from the record's rectangle and the summaries add up its area: both must
  // be those of its length and width. The area is allowed the rounding of another machine.
  if (r.Rect != TRect(0, TruncToInt(r.Width), TruncToInt(r.Length), 0)) {
    return Fault(list, index, JobField::Rect, who + "rectangle incohérent avec les dimensions");
  }
  const double area = r.Length * r.Width;
  if (!(std::fabs(r.Area - area) <= area * 1e-9)) {
    return Fault(list, index, JobField::Area, who + "surface incohérente avec les dimensions");
  }
  if (r.Quantity < 0 || r.Quantity > kMaxQuantity) {
    return Fault(list, index, JobField::Quantity,
                 who + "quantité non valide (" + std::to_string(r.Quantity) + " ; de 0 à " +
                     std::to_string(kMaxQuantity) + ")");
  }
  if (r.Grain < GrainHorizontal || r.Grain > GrainIndifferent) {
    return Fault(list, index, JobField::Grain,
                 who + "sens du fil non valide (" + std::to_string(r.Grain) + " ; 0, 1 ou 2)");
  }
  if (r.Species < 0) {
    return Fault(list, index, JobField::Species,
                 who + "essence non valide (" + std::to_string(r.Species) + ")");
  }
  return std::nullopt;
}

std::optional<JobRecordFault> CheckText(const std::string& text, std::size_t max, JobList list,
                                        std::size_t index) {
  switch (CheckStoredText(text, max)) {
    case StoredTextFault::None:
      break;
    case StoredTextFault::NotStorable:
      // Not quoted: the text itself may not be one a message can show.
      return Fault(
          list, index, JobField::Text,
          Who(list, index) + "le texte contient un caractère qui ne peut pas être enregistré");
    case StoredTextFault::TooLong:
      return Fault(list, index, JobField::Text,
                   Who(list, index) + "le texte \"" + text + "\" dépasse " +
                       std::to_string(max) + " caractères");
  }
  return std::nullopt;
}

template <typename List>
std::int64_t Copies(const List& records) {
  std::int64_t copies = 0;
  for (const auto& r : records) copies += r.Quantity;
  return copies;
}

}  // namespace

std::optional<JobRecordFault> CheckJobSettings(std::int32_t kind, std::int32_t kerf,
                                               const MarginsBlock& margins) {
  if (kind != 1 && kind != 2) {
    return Fault(JobList::Job, 0, JobField::Kind,
                 "type de débit inconnu (" + std::to_string(kind) + ")");
  }
  if (kerf < 0 || kerf > kMaxJobKerf) {
    return Fault(JobList::Job, 0, JobField::Kerf,
                 "trait de scie non valide (" + Millimetres(kerf) + " ; de 0 à " +
                     Millimetres(kMaxJobKerf) + ")");
  }
  const struct {
    double value;
    JobField field;
    const char* name;
  } marginList[] = {
      {margins.LengthMargin, JobField::LengthMargin, "marge sur la longueur"},
      {margins.WidthMargin, JobField::WidthMargin, "marge sur la largeur"},
      {margins.ThicknessMargin, JobField::ThicknessMargin, "marge sur l'épaisseur"},
  };
  for (const auto& m : marginList) {
    if (!InMarginRange(m.value, kMaxJobMargin)) {
      return Fault(JobList::Job, 0, m.field,
                   std::string(m.name) + " non valide (" + Millimetres(m.value) + " ; de 0 à " +
                       Millimetres(kMaxJobMargin) + ")");
    }
  }
  return std::nullopt;
}

std::optional<JobRecordFault> CheckJobListSizes(std::int64_t panels, std::int64_t parts) {
  if (panels < 1 || panels > kMaxJobPanels) {
    return Fault(JobList::Job, 0, JobField::PanelCount,
                 "nombre de panneaux non valide (" + std::to_string(panels) + " ; de 1 à " +
                     std::to_string(kMaxJobPanels) + ")");
  }
  if (parts < 0 || parts > kMaxJobParts) {
    return Fault(JobList::Job, 0, JobField::PartCount,
                 "nombre de pièces non valide (" + std::to_string(parts) + " ; de 0 à " +
                     std::to_string(kMaxJobParts) + ")");
  }
  return std::nullopt;
}

std::optional<JobRecordFault> CheckPanelRecord(const TPanneau& panel, std::size_t index) {
  return CheckRecord(panel, JobList::Panels, index);
}

std::optional<JobRecordFault> CheckPartRecord(const TPanneau& part, std::size_t index) {
  return CheckRecord(part, JobList::Parts, index);
}

std::optional<JobRecordFault> CheckJobCopies(const PanelList& panels, const PartList& parts) {
  const std::int64_t panelCopies = Copies(panels);
  if (panelCopies > kMaxCopies) {
    return Fault(JobList::Job, 0, JobField::PanelCopies,
                 "trop de panneaux à découper (" + std::to_string(panelCopies) + " ; au plus " +
                     std::to_string(kMaxCopies) + ")");
  }
  const std::int64_t partCopies = Copies(parts);
  if (partCopies > kMaxCopies) {
    return Fault(JobList::Job, 0, JobField::PartCopies,
                 "trop de pièces à découper (" + std::to_string(partCopies) + " ; au plus " +
                     std::to_string(kMaxCopies) + ")");
  }
  return std::nullopt;
}

std::optional<JobRecordFault> CheckDesignation(const std::string& text, std::size_t index) {
  return CheckText(text, kMaxDesignationLength, JobList::Designations, index);
}

std::optional<JobRecordFault> CheckReference(const std::string& text, std::size_t index) {
  return CheckText(text, kMaxReferenceLength, JobList::References, index);
}

StoredTextFault CheckStoredText(const std::string& text, std::size_t maxCharacters) {
  const std::optional<std::string> stored = Utf8ToCp1252(text);
  if (!stored || stored->find('\0') != std::string::npos) return StoredTextFault::NotStorable;
  if (stored->size() > maxCharacters) return StoredTextFault::TooLong;
  return StoredTextFault::None;
}

SpeciesNameFault CheckSpeciesName(const std::string& name) {
  return CheckStoredText(name, kMaxSpeciesNameLength);
}

std::optional<std::string> SpeciesNameRefusal(const std::string& name) {
  switch (CheckSpeciesName(name)) {
    case SpeciesNameFault::None:
      break;
    case SpeciesNameFault::TooLong:
      return LoadString(TextId::SpeciesForm::NameTooLong);
    case SpeciesNameFault::NotStorable:
      return LoadString(TextId::SpeciesForm::NameNotStorable);
  }
  return std::nullopt;
}

std::optional<JobRecordFault> CheckJobRecords(std::int32_t kind, std::int32_t kerf,
                                              const MarginsBlock& margins,
                                              const PanelList& panels, const PartList& parts,
                                              const std::vector<std::string>& designations,
                                              const std::vector<std::string>& references) {
  if (auto fault = CheckJobSettings(kind, kerf, margins)) return fault;
  if (auto fault = CheckJobListSizes(static_cast<std::int64_t>(panels.size()),
                                     static_cast<std::int64_t>(parts.size()))) {
    return fault;
  }
  for (std::size_t i = 0; i < panels.size(); ++i) {
    if (auto fault = CheckPanelRecord(panels[i], i)) return fault;
  }
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (auto fault = CheckPartRecord(parts[i], i)) return fault;
  }
  if (auto fault = CheckJobCopies(panels, parts)) return fault;
  if (designations.size() != parts.size() || references.size() != parts.size()) {
    return Fault(JobList::Job, 0, JobField::TextCount,
                 "les désignations et références ne correspondent pas aux pièces (" +
                     std::to_string(designations.size()) + " désignations, " +
                     std::to_string(references.size()) + " références pour " +
                     std::to_string(parts.size()) + " pièces)");
  }
  for (std::size_t i = 0; i < designations.size(); ++i) {
    if (auto fault = CheckDesignation(designations[i], i)) return fault;
  }
  for (std::size_t i = 0; i < references.size(); ++i) {
    if (auto fault = CheckReference(references[i], i)) return fault;
  }
  return std::nullopt;
}

std::optional<JobRecordFault> CheckJobRecords(const JobState& job) {
  return CheckJobRecords(job.JobKind, job.JobKerf, job.JobMargins, job.JobPanels, job.JobParts,
                         job.JobDesignations, job.JobReferences);
}

}  // namespace tranchex
