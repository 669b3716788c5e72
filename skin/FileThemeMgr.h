// Answers key-number queries (1..42) from a loaded theme file.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "skin/ThemeFile.h"

namespace quendrel::skin {

class TSkinFileThemeMgr {
 public:
  // False, keeping the current file, when the file does not exist. Otherwise the current file is let
  // go first and the new one read: when reading throws, no file is loaded any more.
  bool LoadFromFile(const std::string& fileName);
  // Loads bytes that were read already (the same rules as a file, for tests and tools).
  void LoadFromBytes(std::span<const std::byte> bytes);

  bool Loaded() const { return reader_ != nullptr; }
  const TSkinThemeFileReader* Reader() const { return reader_.get(); }

  // The image block of the key's name (a whole BMP file); nullopt without a file or such entry.
  std::optional<std::span<const std::byte>> GetImageBytes(int keyNumber) const;
  // Without a file: False, 0, 0. With one: the reader's answer for the key's name.
  bool GetBool(int keyNumber) const;
  std::int32_t GetInt(int keyNumber) const;
  std::int32_t GetColor(int keyNumber) const;  // colours are integer entries

 private:
  std::unique_ptr<TSkinThemeFileReader> reader_;
};

}  // namespace quendrel::skin
