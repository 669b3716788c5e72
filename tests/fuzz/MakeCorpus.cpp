// Writes the seed corpus of the store fuzzers: small files from the store writer, intact and damaged.
//   store_fuzz_corpus OUT_DIR   (creates OUT_DIR/messages and OUT_DIR/folders)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tools/dbxwriter/DbxWriter.h"

namespace {

using namespace quendrel::dbx;

void Save(const std::filesystem::path& dir, const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<MessageSpec> Messages(int count) {
  std::vector<MessageSpec> messages;
  for (int i = 1; i <= count; ++i) {
    MessageSpec m;
    m.index = i;
    m.read = i % 2 == 0;
    m.sentTime = 0x01D5000000000000ull + uint64_t(i) * 600'000'000;
    m.receivedTime = m.sentTime + 50'000'000;
    m.senderName = "Sender " + std::to_string(i);
    m.senderAddress = "s" + std::to_string(i) + "@example.org";
    m.subject = "Subject " + std::to_string(i);
    m.messageId = "<" + std::to_string(i) + "@example.org>";
    m.body = i % 3 == 0 ? std::string(600, 'b') : std::string();
    messages.push_back(m);
  }
  return messages;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: store_fuzz_corpus OUT_DIR\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  const struct {
    const char* name;
    std::function<void(DbxWriteOptions&)> set;
  } variants[] = {
      {"plain", [](auto&) {}},
      {"deep", [](auto& o) { o.maxEntriesPerNode = 2; }},
      {"flags_in_data",
       [](auto& o) {
         o.flagsTag = FlagsTag::Data;
         o.maxEntriesPerNode = 3;
       }},
      {"cycle",
       [](auto& o) {
         o.maxEntriesPerNode = 2;
         o.damage.cycleToRootNode = 2;
       }},
      {"shared_record", [](auto& o) { o.damage.sharedRecordItem = 2; }},
      {"bad_node",
       [](auto& o) {
         o.maxEntriesPerNode = 2;
         o.damage.wrongSelfOffsetNode = 1;
       }},
      {"bad_record", [](auto& o) { o.damage.wrongSelfOffsetItem = 1; }},
      {"huge_count",
       [](auto& o) {
         o.maxEntriesPerNode = 2;
         o.damage.oversizeEntryCountNode = 1;
       }},
      {"record_past_end", [](auto& o) { o.damage.recordPastEndItem = 3; }},
      {"child_past_end",
       [](auto& o) {
         o.maxEntriesPerNode = 2;
         o.damage.childPastEndNode = 0;
       }},
  };
  const std::vector<MessageSpec> messages = Messages(6);
  const std::vector<FolderSpec> folders = {{1, 0, "Local Folders", ""},
                                           {2, 1, "Inbox", "Inbox.dbx"},
                                           {3, 1, "Outbox", "Outbox.dbx"},
                                           {4, 2, "Lists", "Lists.dbx"}};
  for (const auto& v : variants) {
    DbxWriteOptions options;
    v.set(options);
    Save(out / "messages", std::string(v.name) + ".dbx", BuildMessageFile(messages, options));
    Save(out / "folders", std::string(v.name) + ".dbx", BuildFolderListFile(folders, options));
  }
  return 0;
}
