#pragma once
// Reading files named by GBK paths. Files are opened read-only, without
// restricting what other handles may do with them, and read as raw bytes
// (no newline translation).
#include "platform/text.h"

// The whole file as bytes; a missing or unreadable file gives the empty array.
ByteArray ReadWholeFile(const Text& gbkPath);

// An open file, closed by Close() or at the latest on destruction.
class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  explicit ReadOnlyFile(const Text& gbkPath) { Open(gbkPath); }
  ~ReadOnlyFile() { Close(); }
  ReadOnlyFile(ReadOnlyFile&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // Closes any file held, then opens the named one; false when that fails
  // (missing, a directory, no permission).
  bool Open(const Text& gbkPath);
  bool IsOpen() const { return fd_ >= 0; }
  void Close();

  // Every byte from the start of the file; empty when not open or on a read error.
  ByteArray ReadAll() const;

 private:
  int fd_ = -1;
};
