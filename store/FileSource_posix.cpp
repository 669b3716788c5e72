#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "store/FileSource.h"

namespace quendrel {
namespace {

class PosixFileSource : public ByteSource {
 public:
  explicit PosixFileSource(int Fd) : fd_(Fd) {}
  ~PosixFileSource() override { ::close(fd_); }
  PosixFileSource(const PosixFileSource&) = delete;
  PosixFileSource& operator=(const PosixFileSource&) = delete;

  std::optional<size_t> ReadAt(uint64_t Offset, std::span<uint8_t> Buffer) override {
    size_t done = 0;
    while (done < Buffer.size()) {
      const ssize_t got =
          ::pread(fd_, Buffer.data() + done, Buffer.size() - done, static_cast<off_t>(Offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return std::nullopt;
      if (got == 0) break;
      done += static_cast<size_t>(got);
    }
    return done;
  }

  std::optional<uint64_t> Length() override {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return std::nullopt;
    return static_cast<uint64_t>(info.st_size);
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& FileName) {
  const int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixFileSource>(fd);
}

}  // namespace quendrel
