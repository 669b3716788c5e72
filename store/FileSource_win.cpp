#include <windows.h>

#include <algorithm>

#include "store/FileSource.h"

namespace quendrel {
namespace {

class WinFileSource : public ByteSource {
 public:
  explicit WinFileSource(HANDLE File) : file_(File) {}
  ~WinFileSource() override { CloseHandle(file_); }
  WinFileSource(const WinFileSource&) = delete;
  WinFileSource& operator=(const WinFileSource&) = delete;

  std::optional<size_t> ReadAt(uint64_t Offset, std::span<uint8_t> Buffer) override {
    size_t done = 0;
    while (done < Buffer.size()) {
      // Positioned reads through OVERLAPPED on a synchronous handle: no separate seek call.
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(Offset + done);
      at.OffsetHigh = static_cast<DWORD>((Offset + done) >> 32);
      const DWORD want = static_cast<DWORD>(std::min<size_t>(Buffer.size() - done, 1u << 30));
      DWORD got = 0;
      if (!ReadFile(file_, Buffer.data() + done, want, &got, &at)) {
        if (GetLastError() == ERROR_HANDLE_EOF) break;
        return std::nullopt;
      }
      if (got == 0) break;
      done += got;
    }
    return done;
  }

  std::optional<uint64_t> Length() override {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_, &size)) return std::nullopt;
    return static_cast<uint64_t>(size.QuadPart);
  }

 private:
  HANDLE file_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& FileName) {
  // Sharing write lets the mail client keep writing its store while we read; sharing delete lets it
  // rename or compact a folder (replace the file) in the middle of our load instead of failing.
  const HANDLE file =
      CreateFileA(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<WinFileSource>(file);
}

}  // namespace quendrel
