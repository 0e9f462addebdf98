#include "job/RecentJobs.h"

#include <algorithm>
#include <fstream>

#include "platform/Cp1252.h"
#include "platform/FileIO.h"

namespace tranchex {
namespace {

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (!DecodeUtf8(text, pos)) return false;
  }
  return true;
}

// The text of a field, or of the part of it the bytes hold.
std::string FieldText(std::string_view field) {
  const std::size_t end = field.find('\0');
  if (end == std::string_view::npos && field.size() < kRecentFieldSize) return {};  // cut short
  const std::string_view text = field.substr(0, std::min(end, field.size()));
  return IsValidUtf8(text) ? std::string(text) : Cp1252ToUtf8(text);
}

void AppendField(std::string& out, const std::string& text) {
  out.append(text);
  out.append(kRecentFieldSize - text.size(), '\0');
}

}  // namespace

void AddRecentJob(const std::string& path, const std::string& name, RecentJobList& list) {
  for (const DEBITS_RECENTS& entry : list) {
    if (entry.Name == name && entry.Path == path) return;
  }
  for (DEBITS_RECENTS& entry : list) {
    if (entry.Name.empty()) {
      entry.Path = path;
      entry.Name = name;
      return;
    }
  }
  std::move(list.begin() + 1, list.end(), list.begin());
  list.back().Path = path;
  list.back().Name = name;
}

RecentJobList DecodeRecentJobs(std::string_view bytes) {
  RecentJobList list;
  std::size_t offset = 0;
  for (DEBITS_RECENTS& entry : list) {
    if (offset >= bytes.size()) break;
    entry.Path = FieldText(bytes.substr(offset, kRecentFieldSize));
    offset += kRecentFieldSize;
    if (offset < bytes.size()) entry.Name = FieldText(bytes.substr(offset, kRecentFieldSize));
    offset += kRecentFieldSize;
  }
  return list;
}

std::string EncodeRecentJobs(const RecentJobList& list) {
  std::string out;
  out.reserve(kRecentJobsFileSize);
  for (const DEBITS_RECENTS& entry : list) {
    const bool fits = entry.Path.size() < kRecentFieldSize && entry.Name.size() < kRecentFieldSize &&
                      entry.Path.find('\0') == std::string::npos &&
                      entry.Name.find('\0') == std::string::npos;
    AppendField(out, fits ? entry.Path : std::string());
    AppendField(out, fits ? entry.Name : std::string());
  }
  return out;
}

std::filesystem::path RecentJobsFilePath(const std::filesystem::path& dataFolder) {
  return dataFolder / kRecentJobsFileName;
}

RecentJobList ReadRecentJobsFile(const std::filesystem::path& file) {
  try {
    return DecodeRecentJobs(ReadFileStart(file, kRecentJobsFileSize));
  } catch (const FileAccessError&) {
    // Missing, unreadable or not a regular file: five free entries.
    return {};
  }
}

void WriteRecentJobsFile(const std::filesystem::path& file, const RecentJobList& list) {
  WriteFileAtomic(file, EncodeRecentJobs(list));
}

}  // namespace tranchex
