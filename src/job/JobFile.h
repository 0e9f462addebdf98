#pragma once
// The job file (".deb"): the job's input, written whole and read back whole. Nothing computed is
// stored; after a load the caller runs the cutting pipeline.
//
// Layout (little-endian, int32 integers, IEEE 754 doubles, lengths in tenths of a millimetre):
//   tag        4 bytes   kJobFileTag: "1.6" and its NUL; absent in the untagged form
//   JobKind    int32     1 simple, 2 complex
//   JobKerf    int32     0 to 500
//   JobMargins 32 bytes  3 doubles, 2 flag bytes, 2 padding bytes, a reserved int32
//   N1, N2     int32     stock panels (1 to 10000), parts
//   N1 x 304   stock panels: the TPanneau fields, three list areas (written as zeros), the grid
//              fields, CutLength, LastPart, EntryIndex
//   N2 x 88    parts: the TPanneau fields, Footprint, 4 bytes carried unchanged, Number
//   N2 x 50    designations, Windows-1252, NUL-terminated (at most 49 characters)
//   N2 x 4     references, Windows-1252, NUL-terminated (at most 3 characters)
// A reader recognises the tagged form by its first 4 bytes and reads the untagged form
// otherwise. Bytes after the last reference are ignored.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Records.h"
#include "job/JobState.h"

namespace tranchex {

// A job file that cannot be read or written; what() says why, in French. The job in memory is
// left as it was.
class JobFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class JobFileForm {
  Tagged,    // written by Save and Save as
  Untagged,  // written when a modified job is saved at close
};

inline constexpr std::size_t kJobTagSize = 4;
// The first bytes of the tagged form: the text "1.6" and its NUL. Part of the format: the language
// texts hold the same text, but no edit of them changes what a file starts with.
inline constexpr std::string_view kJobFileTag{"1.6\0", kJobTagSize};
inline constexpr std::size_t kJobHeaderSize = 48;  // kind, kerf, margins, N1, N2
inline constexpr std::size_t kJobPanelRecordSize = 304;
inline constexpr std::size_t kJobPartRecordSize = 88;
inline constexpr std::size_t kJobDesignationFieldSize = 50;
inline constexpr std::size_t kJobReferenceFieldSize = 4;
inline constexpr std::int32_t kMaxJobKerf = 500;
inline constexpr std::int32_t kMaxJobPanels = 10000;
// The most parts a job file may hold. More than 676 parts (the last two-letter reference) is
// allowed: such a job is saved and opened again like any other.
inline constexpr std::int32_t kMaxJobParts = 10000;
inline constexpr std::size_t kMaxJobFileBytes =
    kJobTagSize + kJobHeaderSize + kMaxJobPanels * kJobPanelRecordSize +
    kMaxJobParts * (kJobPartRecordSize + kJobDesignationFieldSize + kJobReferenceFieldSize);

// What a job file holds.
struct JobFileContent {
  std::int32_t JobKind = 0;
  std::int32_t JobKerf = 0;
  MarginsBlock JobMargins;
  PanelList JobPanels;  // each with FreeRects = [Rect], no part, no line, LastPart -1
  PartList JobParts;    // as stored, numbers included
  std::vector<std::string> JobDesignations;
  std::vector<std::string> JobReferences;
};

// The bytes of the job file of the job. Refuses (JobFileError) a job that the reader would
// refuse, so that every file written opens again: a kind other than 1 or 2, a kerf outside 0 to
// 500, margins that are not finite numbers of 0 or more, no stock panel or more than 10000,
// more than kMaxJobParts parts, designations and references out of step with the parts, a
// record that DecodeJobFile refuses, or a text that its field cannot hold.
std::string EncodeJobFile(const JobState& job, JobFileForm form = JobFileForm::Tagged);

// Reads the bytes of a job file, tagged or untagged. Throws JobFileError on a short file or a
// value out of range: a kind other than 1 or 2, a kerf outside 0 to 500, margins that are not
// finite numbers of 0 or more, a panel count outside 1 to 10000, a part count below 0 or above
// kMaxJobParts, counts the file's size cannot hold, or a record with a length, width or
// thickness that is not a finite number above 0, a quantity outside 0 to 100000, a grain
// outside 0 to 2 or a negative species. A species past the species list is kept: the job may
// come from another machine.
JobFileContent DecodeJobFile(std::string_view bytes);

// Replaces the job with the content: the entered lists, kind, kerf and margins. The layout and
// the derived lists are emptied and JobLoaded cleared (the pipeline rebuilds them); the parts
// are renumbered 0..n-1, their positions, and the part counter set to n. Path, name, criterion,
// new-panel choice and the other flags are left alone.
void ApplyJobFileContent(JobState& job, JobFileContent content);

// Writes the job to the file, atomically: the old file stays whole until the new one is
// complete. Throws JobFileError when the job cannot be written (see EncodeJobFile) or the file
// cannot be; the caller then leaves the job marked modified. The job is not changed.
void SaveJobFile(const JobState& job, const std::filesystem::path& path,
                 JobFileForm form = JobFileForm::Tagged);
// The tagged form at JobPath.
void SaveJobFile(const JobState& job);

// Replaces the job with the file's content (ApplyJobFileContent). Throws JobFileError when the
// file cannot be opened or read; the job is then not changed at all.
void LoadJobFile(JobState& job, const std::filesystem::path& path);
// The file at JobPath.
void LoadJobFile(JobState& job);

}  // namespace tranchex
