#include "job/JobFile.h"

#include <optional>
#include <utility>

#include "platform/BinaryIO.h"
#include "platform/FileIO.h"

namespace tranchex {
namespace {

// Offsets of the fields of a stored panel past the TPanneau fields (64 bytes).
constexpr std::size_t kPanelListAreaSize = 3 * 72;  // FreeRects, PlacedParts, CutLines headers

[[noreturn]] void Refuse(const std::string& why) {
  throw JobFileError("Fichier débit non valide : " + why);
}

std::string Who(const char* what, std::size_t index) {
  return std::string(what) + " " + std::to_string(index + 1);
}

void RefuseOnFault(const std::optional<JobRecordFault>& fault) {
  if (fault) Refuse(fault->message);
}

// True when the file starts with the tag, compared byte for byte (the field is never taken as a
// text that might run on past its 4 bytes).
bool StartsWithTag(std::string_view bytes) { return bytes.substr(0, kJobTagSize) == kJobFileTag; }

void WriteRect(BinaryWriter& w, const TRect& r) {
  w.writeI32(r.left);
  w.writeI32(r.top);
  w.writeI32(r.right);
  w.writeI32(r.bottom);
}

TRect ReadRect(BinaryReader& r) {
  TRect rect;
  rect.left = r.readI32();
  rect.top = r.readI32();
  rect.right = r.readI32();
  rect.bottom = r.readI32();
  return rect;
}

void WritePanneau(BinaryWriter& w, const TPanneau& p) {
  w.writeDouble(p.Area);
  WriteRect(w, p.Rect);
  w.writeDouble(p.Length);
  w.writeDouble(p.Width);
  w.writeDouble(p.Thickness);
  w.writeI32(p.Species);
  w.writeI32(p.Grain);
  w.writeI32(p.Quantity);
  w.writeI32(p.DesignationIndex);
}

void ReadPanneau(BinaryReader& r, TPanneau& p) {
  p.Area = r.readDouble();
  p.Rect = ReadRect(r);
  p.Length = r.readDouble();
  p.Width = r.readDouble();
  p.Thickness = r.readDouble();
  p.Species = r.readI32();
  p.Grain = r.readI32();
  p.Quantity = r.readI32();
  p.DesignationIndex = r.readI32();
}

void WriteMargins(BinaryWriter& w, const MarginsBlock& m) {
  w.writeDouble(m.LengthMargin);
  w.writeDouble(m.WidthMargin);
  w.writeDouble(m.ThicknessMargin);
  w.writeU8(m.DifferentiatedMargins);
  w.writeU8(m.ThickerStockAllowed);
  w.writeU16(m.Padding);
  w.writeI32(m.Reserved);
}

MarginsBlock ReadMargins(BinaryReader& r) {
  MarginsBlock m;
  m.LengthMargin = r.readDouble();
  m.WidthMargin = r.readDouble();
  m.ThicknessMargin = r.readDouble();
  m.DifferentiatedMargins = r.readU8();
  m.ThickerStockAllowed = r.readU8();
  m.Padding = r.readU16();
  m.Reserved = r.readI32();
  return m;
}

// A stock panel: its lists are not stored (the three list areas are zeros, so their element
// counts, the placed-parts count at offset 184 among them, are 0).
void WritePanel(BinaryWriter& w, const Panneau_p& p) {
  WritePanneau(w, p);
  w.writeZeros(kPanelListAreaSize);
  w.writeU8(p.GridRotate);
  w.writeZeros(3);
  w.writeI32(p.GridCount);
  w.writeU8(p.GridMode);
  w.writeZeros(3);
  w.writeI32(p.CutLength);
  w.writeI32(p.LastPart);
  w.writeI32(p.EntryIndex);
}

// A stock panel comes back as the copy rule makes it: one free rectangle, the whole panel, no
// part and no line; LastPart -1; DesignationIndex and the grid fields at their starting values.
Panneau_p ReadPanel(BinaryReader& r) {
  TPanneau stored;
  ReadPanneau(r, stored);
  r.skip(kPanelListAreaSize + 12);  // list areas, GridRotate, GridCount, GridMode
  Panneau_p p;
  static_cast<TPanneau&>(p) = stored;
  p.DesignationIndex = 0;
  p.FreeRects.assign(1, MONRect(p.Rect));
  p.CutLength = r.readI32();
  r.skip(4);  // LastPart
  p.LastPart = -1;
  p.EntryIndex = r.readI32();
  return p;
}

void WritePart(BinaryWriter& w, const TPiece& p) {
  WritePanneau(w, p);
  WriteRect(w, p.Footprint);
  w.writeI32(p.Unused);
  w.writeI32(p.Number);
}

TPiece ReadPart(BinaryReader& r) {
  TPiece p;
  ReadPanneau(r, p);
  p.Footprint = ReadRect(r);
  p.Unused = r.readI32();
  p.Number = r.readI32();
  return p;
}

void WriteText(BinaryWriter& w, const std::string& text, std::size_t width, const std::string& who) {
  try {
    w.writeFixedText(text, width);
  } catch (const TextEncodingError& e) {
    throw JobFileError("Le débit ne peut pas être enregistré : " + who + " : " + e.what());
  }
}

}  // namespace

std::string EncodeJobFile(const JobState& job, JobFileForm form) {
  if (const auto fault = CheckJobRecords(job)) {
    throw JobFileError("Le débit ne peut pas être enregistré : " + fault->message);
  }

  BinaryWriter w;
  if (form == JobFileForm::Tagged) w.writeBytes(kJobFileTag);
  w.writeI32(job.JobKind);
  w.writeI32(job.JobKerf);
  WriteMargins(w, job.JobMargins);
  w.writeI32(static_cast<std::int32_t>(job.JobPanels.size()));
  w.writeI32(static_cast<std::int32_t>(job.JobParts.size()));
  for (const Panneau_p& p : job.JobPanels) WritePanel(w, p);
  for (const TPiece& p : job.JobParts) WritePart(w, p);
  for (std::size_t i = 0; i < job.JobDesignations.size(); ++i) {
    WriteText(w, job.JobDesignations[i], kJobDesignationFieldSize, Who("désignation", i));
  }
  for (std::size_t i = 0; i < job.JobReferences.size(); ++i) {
    WriteText(w, job.JobReferences[i], kJobReferenceFieldSize, Who("référence", i));
  }
  return w.take();
}

JobFileContent DecodeJobFile(std::string_view bytes) {
  JobFileContent c;
  try {
    BinaryReader r(bytes);
    if (StartsWithTag(bytes)) r.skip(kJobTagSize);
    c.JobKind = r.readI32();
    c.JobKerf = r.readI32();
    c.JobMargins = ReadMargins(r);
    RefuseOnFault(CheckJobSettings(c.JobKind, c.JobKerf, c.JobMargins));
    const std::int32_t panels = r.readI32();
    const std::int32_t parts = r.readI32();
    RefuseOnFault(CheckJobListSizes(panels, parts));
    // Every record must be there before anything is allocated.
    const auto n1 = static_cast<std::size_t>(panels);
    const auto n2 = static_cast<std::size_t>(parts);
    r.require(n1 * kJobPanelRecordSize +
                  n2 * (kJobPartRecordSize + kJobDesignationFieldSize + kJobReferenceFieldSize));
    c.JobPanels.reserve(n1);
    for (std::size_t i = 0; i < n1; ++i) c.JobPanels.push_back(ReadPanel(r));
    c.JobParts.reserve(n2);
    for (std::size_t i = 0; i < n2; ++i) c.JobParts.push_back(ReadPart(r));
    c.JobDesignations.reserve(n2);
    for (std::size_t i = 0; i < n2; ++i) {
      c.JobDesignations.push_back(r.readFixedText(kJobDesignationFieldSize));
    }
    c.JobReferences.reserve(n2);
    for (std::size_t i = 0; i < n2; ++i) {
      c.JobReferences.push_back(r.readFixedText(kJobReferenceFieldSize));
    }
  } catch (const FileFormatError& e) {
    throw JobFileError(std::string("Fichier débit tronqué : ") + e.what());
  }
  RefuseOnFault(CheckJobRecords(c.JobKind, c.JobKerf, c.JobMargins, c.JobPanels, c.JobParts,
                                c.JobDesignations, c.JobReferences));
  return c;
}

void ApplyJobFileContent(JobState& job, JobFileContent content) {
  ClearJobLists(job);
  job.JobKind = content.JobKind;
  job.JobKerf = content.JobKerf;
  job.JobMargins = content.JobMargins;
  job.JobPanels = std::move(content.JobPanels);
  job.JobParts = std::move(content.JobParts);
  job.JobDesignations = std::move(content.JobDesignations);
  job.JobReferences = std::move(content.JobReferences);
  // A part's number is its position: references, designations and counts are found by it.
  RenumberParts(job.JobParts, job.Engine);
  job.JobLoaded = 0;
}

void SaveJobFile(const JobState& job, const std::filesystem::path& path, JobFileForm form) {
  const std::string bytes = EncodeJobFile(job, form);
  try {
    WriteFileAtomic(path, bytes);
  } catch (const FileAccessError& e) {
    throw JobFileError(e.what());
  }
}

void SaveJobFile(const JobState& job) {
  SaveJobFile(job, std::filesystem::path(job.JobPath), JobFileForm::Tagged);
}

void LoadJobFile(JobState& job, const std::filesystem::path& path) {
  std::string bytes;
  try {
    bytes = ReadFileBytes(path, kMaxJobFileBytes);
  } catch (const FileAccessError& e) {
    throw JobFileError(e.what());
  } catch (const FileFormatError& e) {
    throw JobFileError(e.what());
  }
  ApplyJobFileContent(job, DecodeJobFile(bytes));
}

void LoadJobFile(JobState& job) { LoadJobFile(job, std::filesystem::path(job.JobPath)); }

}  // namespace tranchex
