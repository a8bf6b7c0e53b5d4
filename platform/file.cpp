#include "platform/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/codepage.h"

namespace {

// The file system takes UTF-8 names; a text ends at its first NUL.
std::string FileSystemName(const Text& gbkPath) {
  return Utf16ToUtf8(GbkToUtf16(std::string_view(gbkPath.c_str())));
}

}  // namespace

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

bool ReadOnlyFile::Open(const Text& gbkPath) {
  Close();
  const std::string name = FileSystemName(gbkPath);
  if (name.empty()) return false;
  int fd;
  do {
    fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void ReadOnlyFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

ByteArray ReadOnlyFile::ReadAll() const {
  if (fd_ < 0) return {};
  ByteArray bytes;
  struct stat info {};
  if (::fstat(fd_, &info) == 0 && info.st_size > 0) bytes.reserve(static_cast<std::size_t>(info.st_size));
  char chunk[65536];
  off_t offset = 0;
  for (;;) {
    // pread: from the start whatever was read before, and the handle's own
    // position is left alone.
    ssize_t got = ::pread(fd_, chunk, sizeof chunk, offset);
    if (got < 0 && errno == ESPIPE) got = ::read(fd_, chunk, sizeof chunk);  // a pipe has no start to go back to
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return {};
    if (got == 0) break;
    bytes.append(chunk, static_cast<std::size_t>(got));
    offset += got;
  }
  return bytes;
}

ByteArray ReadWholeFile(const Text& gbkPath) {
  ReadOnlyFile file(gbkPath);
  return file.ReadAll();
}
