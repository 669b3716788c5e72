// quendrel-store: shows what the program's reader makes of a store file or a store folder, for
// users who ask why an alert did or did not come.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "store/DbxReader.h"
#include "store/StoreLocator.h"
#include "tools/storetool/AnsiText.h"
#include "tools/storetool/StoreView.h"

namespace {

using namespace quendrel;
using namespace quendrel::storetool;

constexpr const char* kUsage =
    "usage: quendrel-store [--json] FILE.dbx\n"
    "       quendrel-store --folder [DIR]\n"
    "\n"
    "Shows the records of a mail store file exactly as Quendrel reads them, in the order it reads\n"
    "them; the last record is the one Quendrel takes for the latest message.\n"
    "\n"
    "  FILE.dbx       a table: record offset, message index, flags (hex; bit 0x80 = read), read or\n"
    "                 unread, received local date-time, sender, subject\n"
    "  --json         one JSON object instead, texts in UTF-8:\n"
    "                   {\"file\": PATH, \"records\": [{\"offset\": N, \"index\": N, \"flags\": N,\n"
    "                    \"read\": BOOL, \"received_filetime\": N, \"sender\": S, \"subject\": S}, ...]}\n"
    "                 received_filetime is the stored FILETIME (100 ns units since 1601, UTC).\n"
    "                 The folder list file (\"folders.dbx\" in the store folder) gives instead\n"
    "                   {\"file\": PATH, \"folders\": [{\"id\": N, \"parent_id\": N, \"name\": S,\n"
    "                    \"file_name\": S}, ...]}\n"
    "  --folder [DIR] every .dbx file of DIR (default: the mail client's store folder) with its\n"
    "                 record count, unread count and latest message\n"
    "\n"
    "An empty or damaged file is not an error: it shows what Quendrel would find in it.\n"
    "Exit code 1 with a one-line message on errors (missing file, unreadable folder, no store\n"
    "folder configured, bad usage).\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "quendrel-store: %s\n", message.c_str());
  return 1;
}

// The reader is silent about files it cannot open, so the tool asks first.
bool CanOpen(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  return std::ifstream(path, std::ios::binary).is_open();
}

bool IsDbxName(std::string name) {
  if (name.size() < 4) return false;
  std::transform(name.end() - 4, name.end(), name.end() - 4,
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name.ends_with(".dbx");
}

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

int ShowFile(const std::string& path, bool json) {
  if (!CanOpen(path)) return Fail("cannot open " + path);
  DbxItemList items;
  LoadDbxItems(path, &items);
  const std::string text = json ? RecordJson(path, items, AnsiToUtf8) : RecordTable(items);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

int ShowFolder(std::string dir) {
  if (dir.empty()) {
    dir = GetStoreRoot();
    if (dir.empty()) return Fail("no store folder configured for the mail client");
  }
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (IsDbxName(name) && it->is_regular_file(error)) names.push_back(name);
  }
  if (error) return Fail("cannot read folder " + dir);
  // Windows file names compare without case.
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return Lowered(a) < Lowered(b); });

  // Paths are built as the program builds them, so that the folder list is recognised the same way.
  const char separator = std::filesystem::path::preferred_separator == L'\\' ? '\\' : '/';
  const std::string prefix = dir.back() == separator ? dir : dir + separator;
  std::vector<FolderFile> files;
  for (const std::string& name : names) {
    FolderFile file{name, {}};
    LoadDbxItems(prefix + name, &file.items);
    files.push_back(std::move(file));
  }
  const std::string text = FolderTable(files);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "/?")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (!args.empty() && args[0] == "--folder") {
    if (args.size() > 2) return Fail("--folder takes at most one folder (see --help)");
    return ShowFolder(args.size() == 2 ? args[1] : std::string());
  }
  if (args.size() == 1 && !args[0].starts_with("--")) return ShowFile(args[0], false);
  if (args.size() == 2 && args[0] == "--json" && !args[1].starts_with("--")) return ShowFile(args[1], true);
  return Fail("bad usage (see --help)");
}
