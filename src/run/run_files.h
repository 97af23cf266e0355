// The files of a run in its folder: the lock that keeps a second run out of
// the folder, the input file opened and checked before any output is
// touched, the removal of an older output and the opening of an output.
// Every failure throws ReadFailure with a message naming the file and what
// is actually wrong.
#pragma once

#include <filesystem>
#include <fstream>
#include <istream>
#include <memory>
#include <span>
#include <streambuf>
#include <string>

namespace gemi {

// Name of the lock file in the run's folder (empty, never written).
inline constexpr const char* kLockFileName = ".gemiguc.kilit";

// What a failed system call says, in words (ASCII), for `err` (an errno value).
std::string systemReason(int err);

// An exclusive advisory lock on the run's folder, held while the object
// lives; the system drops it when the process ends, however it ends. Two
// runs in one folder would write into the same report; the second one is
// refused at once, before it touches any file of the folder.
class FolderLock {
 public:
  explicit FolderLock(const std::filesystem::path& dir);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_ = -1;
};

// The input file, opened without waiting and checked: a regular, readable
// file that is none of `outputs` (through a link or under another name),
// so that truncating an output can never erase the input, and a FIFO or a
// device is refused instead of blocking or growing without end.
class InputFile {
 public:
  InputFile(const std::filesystem::path& path, std::span<const std::filesystem::path> outputs);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  std::istream& stream() { return in_; }

 private:
  std::unique_ptr<std::streambuf> buf_;
  std::istream in_;
};

// Removes an output an earlier run left (nothing when there is none); a
// link under its name is kept and what it points to emptied. A folder under
// its name, or a file that cannot be removed, is a failure.
void removeOldOutput(const std::filesystem::path& path);

// Creates (or empties) an output of the run; a failure says why.
void openForWriting(std::ofstream& f, const std::filesystem::path& path);

}  // namespace gemi
