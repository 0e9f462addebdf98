#pragma once
// The rules every job keeps, wherever it comes from or goes: the entry dialogs, the import, the
// job file (read and written) and the cutting pipeline all check a job with these, so that a job
// one of them accepts is accepted by all the others: a job that can be laid out can be saved and
// opened again, and a job file that opens can be laid out (unless no stock panel takes a part).
//
// Lengths are in tenths of a millimetre. A limit of the entry dialogs is stated here once; each
// dialog refuses the bound itself where its own field says so (the margins dialogs take a kerf
// below 50 mm), while a job holding the bound is still a sound job.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/Records.h"
#include "job/JobState.h"

namespace tranchex {

// Length and width of a panel or part: above 0, at most 1 km. The options let a shop raise the
// largest length and width it may enter up to 1 km, no further, so every entered size is inside;
// and every size stays far inside the integer range of the layouts.
inline constexpr double kMaxRecordSize = 10000000.0;
// Thickness of a panel or part: above 0, at most 150 mm, the thickest stock panel the panel
// dialog takes (a part is never thicker than the panels it is cut from).
inline constexpr double kMaxRecordThickness = 1500.0;
// Copies of one panel or part entry: 0 to 100 000 (an entry of quantity 0 lays out nothing).
inline constexpr std::int32_t kMaxQuantity = 100000;
// Copies in all, of the stock panels and of the parts, each list on its own: at most 1 000 000,
// past what any shop cuts in one job; more would only make the layout run out of memory.
inline constexpr std::int64_t kMaxCopies = 1000000;
// Saw kerf: 0 to 50 mm. The margins dialogs take a kerf below 50 mm; job files have always been
// read with 50 mm itself.
inline constexpr std::int32_t kMaxJobKerf = 500;
// Each of the three margins: 0 to 100 mm. The margins dialogs take a margin on the length or the
// width below 100 mm, and a thickness margin of twice a per-face value below 50 mm.
inline constexpr double kMaxJobMargin = 1000.0;
// Entries: 1 to 10 000 stock panels (a job without stock has nothing to cut from), 0 to 10 000
// parts. Every part of the largest job has letters of its own (ColumnLetters, up to three).
inline constexpr std::int32_t kMaxJobPanels = 10000;
inline constexpr std::int32_t kMaxJobParts = 10000;
// Texts, in characters of Windows-1252 (the job file's code page): a designation at most 49, a
// reference at most 3; no NUL inside, which would end the stored text early.
inline constexpr std::size_t kMaxDesignationLength = 49;
inline constexpr std::size_t kMaxReferenceLength = 3;
// A wood species name: at most 49 characters of Windows-1252, as its 50-byte field in the species
// file holds it with its closing NUL.
inline constexpr std::size_t kMaxSpeciesNameLength = 49;

// The list that holds the faulty record; Job for the job's own values and for the list sizes.
enum class JobList { Job, Panels, Parts, Designations, References };

enum class JobField {
  Kind,             // 1 simple job, 2 complex job
  Kerf,
  LengthMargin,
  WidthMargin,
  ThicknessMargin,
  PanelCount,       // entries of the stock list
  PartCount,        // entries of the part list
  TextCount,        // designations and references: one of each per part
  PanelCopies,      // copies in all
  PartCopies,
  Length,
  Width,
  Thickness,
  Rect,             // the record's rectangle: the whole record, from its length and width
  Area,             // length x width
  Quantity,
  Grain,
  Species,
  Text,             // a designation or a reference
};

// The first rule a job breaks.
struct JobRecordFault {
  JobList list = JobList::Job;
  std::size_t index = 0;  // position of the record in its list; 0 for the job's own values
  JobField field = JobField::Kind;
  std::string message;    // in French, naming the record and the value, e.g.
                          // "Pièce 3 : épaisseur non valide (160 mm ; de plus de 0 à 150 mm)"
};

// Kind 1 or 2, kerf 0 to kMaxJobKerf, each margin a finite number from 0 to kMaxJobMargin.
std::optional<JobRecordFault> CheckJobSettings(std::int32_t kind, std::int32_t kerf,
                                               const MarginsBlock& margins);

// 1 to kMaxJobPanels stock panels, 0 to kMaxJobParts parts.
std::optional<JobRecordFault> CheckJobListSizes(std::int64_t panels, std::int64_t parts);

// A stock panel or part record, at `index` of its list: length and width above 0 and at most
// kMaxRecordSize, thickness above 0 and at most kMaxRecordThickness (NaN and infinities
// refused), the rectangle and the area those of its length and width, quantity 0 to
// kMaxQuantity, grain 0 to 2, species 0 or more. A species past the species list is accepted:
// the job may come from another machine, and the lists show it as "Non spécifié".
std::optional<JobRecordFault> CheckPanelRecord(const TPanneau& panel, std::size_t index);
std::optional<JobRecordFault> CheckPartRecord(const TPanneau& part, std::size_t index);

// At most kMaxCopies copies in all in each list (the records' quantities checked first).
std::optional<JobRecordFault> CheckJobCopies(const PanelList& panels, const PartList& parts);

// A designation or reference at `index` of its list: Windows-1252 text of at most
// kMaxDesignationLength or kMaxReferenceLength characters, without NUL.
std::optional<JobRecordFault> CheckDesignation(const std::string& text, std::size_t index);
std::optional<JobRecordFault> CheckReference(const std::string& text, std::size_t index);

// How a text fares as a field of our Windows-1252 files holding at most maxCharacters of it: a
// longer text would come back cut short, a character the code page lacks would stop the file
// being written, a NUL would end the field early.
enum class StoredTextFault {
  None,
  TooLong,      // over maxCharacters characters
  NotStorable,  // a character Windows-1252 cannot hold, or a NUL
};
StoredTextFault CheckStoredText(const std::string& text, std::size_t maxCharacters);

// A species name an entry dialog is about to add to the species list: a stored text of at most
// kMaxSpeciesNameLength characters.
using SpeciesNameFault = StoredTextFault;
SpeciesNameFault CheckSpeciesName(const std::string& name);

// The same, as the message a form shows: nothing when the name can be kept.
std::optional<std::string> SpeciesNameRefusal(const std::string& name);

// Every rule above, on a whole job: settings, list sizes, each panel, each part, the copies,
// one designation and one reference per part, each text. Returns the first fault.
std::optional<JobRecordFault> CheckJobRecords(std::int32_t kind, std::int32_t kerf,
                                              const MarginsBlock& margins,
                                              const PanelList& panels, const PartList& parts,
                                              const std::vector<std::string>& designations,
                                              const std::vector<std::string>& references);
std::optional<JobRecordFault> CheckJobRecords(const JobState& job);

}  // namespace tranchex
