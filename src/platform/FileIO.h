#pragma once
// Whole-file reading with a size bound, and atomic writing: a file is written whole or not at all.

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tranchex {

class FileAccessError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the whole file. Throws FileAccessError when it can't be opened or read, or is not a
// regular file (a FIFO is refused at once, never waited on), and FileFormatError when it is
// larger than maxBytes.
std::string ReadFileBytes(const std::filesystem::path& path, std::size_t maxBytes);
// The same for the first maxBytes of a file; a longer file is no fault.
std::string ReadFileStart(const std::filesystem::path& path, std::size_t maxBytes);

// The file a path names once its symbolic links are followed (a link whose target is missing
// names that target); a path that is no link is itself.
std::filesystem::path ResolveLinks(const std::filesystem::path& path);

// Throws FileAccessError when the path, its links followed, names something other than a
// regular file (a FIFO, a device, a folder): writing to a FIFO would wait for a reader for
// ever. A path that names nothing yet is no fault.
void RefuseNonRegularTarget(const std::filesystem::path& path);

// Whether the permission bits `mode` of a file owned by `owner` and `group` let `user`, member
// of `groups`, write it: the owner's bits for its owner, else the group's bits for a member of
// its group, else the others' bits. Decided by the bits alone, so that a file the user made
// read-only stays so for an administrator too.
bool PermissionsAllowWriting(mode_t mode, uid_t owner, gid_t group, uid_t user,
                             std::span<const gid_t> groups);

// The name of the temporary file that a write of `fileName` starts from, before the six
// characters that make it unique: "." + the name + ".tranchex-", the name shortened (at a
// character's start) so that the whole stays within `nameMax` bytes. The mark is this
// program's own: the clean-up of leftovers never takes a file another program or the user made.
std::string TemporaryNamePrefix(const std::string& fileName, std::size_t nameMax);

// The folder meant to hold `path` (its links followed) when it does not exist or is not a
// folder, so that no file can be made there; nothing when it is there.
std::optional<std::filesystem::path> MissingFolder(const std::filesystem::path& path);

// Writes a temporary file beside the target, flushes it to disk and renames it over the target.
// Through a symbolic link the target is the link's file, and the link stays. An existing file
// that is not a regular file, or whose permission bits do not let us write it (read-only for
// us, whoever we are), is not replaced; a folder that does not let us create a file is named
// as the cause, and so is a folder that does not exist. On any failure the target is untouched,
// the temporary file removed, and FileAccessError thrown. The temporary files an earlier write
// of the same file left behind (a program killed part-way) are removed; one still being written,
// by this process or another, is left alone, and two writes of one file at once both succeed.
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tranchex
