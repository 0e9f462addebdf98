#pragma once
// The five most recently saved jobs and their file "DBRS.dat" in the data folder: five entries
// in index order, each a 255-byte path field then a 255-byte name field (2550 bytes, no header).
// A field holds the text and a NUL; the bytes after the NUL mean nothing. The texts are file
// paths of this system, written as UTF-8; a field that is not valid UTF-8 (a file written
// elsewhere in Windows-1252) is read as Windows-1252.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "job/Settings.h"

namespace tranchex {

inline constexpr const char* kRecentJobsFileName = "DBRS.dat";
inline constexpr std::size_t kRecentFieldSize = 255;
inline constexpr std::size_t kRecentEntrySize = 2 * kRecentFieldSize;
inline constexpr std::size_t kRecentJobsFileSize = kRecentJobCount * kRecentEntrySize;

// Enters a saved job in the list. An entry with the same name and path (exact comparison) leaves
// the list as it is; otherwise the first free entry (empty name) takes it; when none is free the
// oldest entry (index 0) is dropped, the others move one place down and the job takes index 4.
void AddRecentJob(const std::string& path, const std::string& name, RecentJobList& list);

// The entries a file's bytes hold, in index order: at most five, and never more than the bytes
// hold; the others are free. A field cut short by the end of the bytes gives its text only when
// its NUL is there, an empty text otherwise.
RecentJobList DecodeRecentJobs(std::string_view bytes);

// The 2550 bytes of the file. An entry whose path or name needs more than 254 bytes cannot be
// stored whole: it is written free (a cut path would open another file).
std::string EncodeRecentJobs(const RecentJobList& list);

// "DBRS.dat" in the data folder.
std::filesystem::path RecentJobsFilePath(const std::filesystem::path& dataFolder);

// The list of the recent-jobs file; five free entries when the file is missing or cannot be
// read. Only the first 2550 bytes of a longer file are read.
RecentJobList ReadRecentJobsFile(const std::filesystem::path& file);

// Replaces the recent-jobs file atomically. Throws FileAccessError when it cannot be written;
// the old file is then untouched.
void WriteRecentJobsFile(const std::filesystem::path& file, const RecentJobList& list);

}  // namespace tranchex
