#pragma once
// The job file (".deb"): the job's input, written whole and read back whole. Nothing computed is
// stored; after a load the caller runs the cutting pipeline.
//
// Layout (little-endian, int32 integers, IEEE 754 doubles, lengths in tenths of a millimetre):
//   tag        4 bytes   kJobFileTag: "1.6" and its NUL; absent in the untagged form
//   JobKind    int32     1 simple, 2 complex
//   JobKerf    int32     tenths of a millimetre
//   JobMargins 32 bytes  3 doubles, 2 flag bytes, 2 padding bytes, a reserved int32
//   N1, N2     int32     stock panels, parts
//   N1 x 304   stock panels: the TPanneau fields, three list areas (written as zeros), the grid
//              fields, CutLength, LastPart, EntryIndex
//   N2 x 88    parts: the TPanneau fields, Footprint, 4 bytes carried unchanged, Number
//   N2 x 50    designations, Windows-1252, NUL-terminated (at most 49 characters)
//   N2 x 4     references, Windows-1252, NUL-terminated (at most 3 characters)
// A reader recognises the tagged form by its first 4 bytes and reads the untagged form
// otherwise. Bytes after the last reference are ignored. What the values may be, the counts
// included, is the job's own rule (JobRecordChecks.h): the file holds any job that keeps it.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Records.h"
#include "job/JobRecordChecks.h"
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

// The bytes of the job file of the job. Refuses (JobFileError) a job that breaks a rule of
// CheckJobRecords (JobRecordChecks.h), so that every file written opens again.
std::string EncodeJobFile(const JobState& job, JobFileForm form = JobFileForm::Tagged);

// Reads the bytes of a job file, tagged or untagged. Throws JobFileError on a short file, on
// counts the file's size cannot hold, or on a job that breaks a rule of CheckJobRecords (the
// kind, kerf and margins and the counts are checked as soon as they are read). A species past
// the species list is kept: the job may come from another machine.
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
