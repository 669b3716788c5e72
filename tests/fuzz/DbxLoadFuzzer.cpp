// Whole store files of any content through one load, as a message file or as the folder list, and
// through the check's one-pass fold: the fold must come to what the loaded list says.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "core/FolderCheck.h"
#include "store/DbxLoad.h"
#include "store/MemorySource.h"

#ifndef QUENDREL_FUZZ_FILE_NAME
#error "QUENDREL_FUZZ_FILE_NAME names the file the bytes are loaded as"
#endif

namespace {

// Every text is read once the load is over: one that still pointed into the reader's buffers
// would be a use after free.
size_t Digest(const quendrel::DbxItemList& list) {
  size_t sum = list.size();
  auto touch = [&sum](std::string_view text) {
    for (const char c : text) sum = sum * 31 + static_cast<unsigned char>(c);
  };
  for (const quendrel::DbxRecord& record : list) {
    if (const auto* m = std::get_if<quendrel::Toe5_MessageInfo>(&record)) {
      for (const std::string_view text :
           {m->AccountKey, m->AccountName, m->MessageId, m->Subject, m->SenderName, m->SenderNameAndAddress,
            m->ReceiverName, m->SenderAddress, m->InReplyToId, m->ServerInfo})
        touch(text);
    } else if (const auto* f = std::get_if<quendrel::Toe5_FolderInfo>(&record)) {
      touch(f->FolderName);
      touch(f->FileName);
    }
  }
  return sum;
}

class NoHost : public quendrel::CheckHost {
 public:
  void SetTrayIconIndex(int) override {}
  void ShowMailAlert(int32_t, const std::string&, const std::string&) override {}
  void ShowUnreadFolders(const std::vector<quendrel::UnreadFolder>&) override {}
  void ProcessMessages() override {}
};

// Remembers nothing at first, then what the verdict remembered.
class Memory : public quendrel::FolderMemory {
 public:
  quendrel::DateTime MailTime() override { return 0; }
  std::string MailReceived() override { return std::string(); }
  void Remember(quendrel::DateTime time, const std::string& sender) override {
    remembered = true;
    this->time = time;
    this->sender = sender;
  }
  bool remembered = false;
  quendrel::DateTime time = 0;
  std::string sender;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quendrel::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
  auto storeRoot = [] { return std::string("C:\\Store"); };
  quendrel::DbxItemList list;
  quendrel::LoadDbxItemsFrom(source, QUENDREL_FUZZ_FILE_NAME, storeRoot, list);
  Digest(list);

  NoHost host;
  quendrel::MessageBreaks breaks(host);
  Memory fromList;
  const quendrel::FolderVerdict expected = quendrel::ExamineFolderItems(list, fromList, breaks);
  quendrel::FolderTallyVisitor fold(breaks);
  quendrel::VisitDbxItemsFrom(source, QUENDREL_FUZZ_FILE_NAME, storeRoot, fold);
  Memory fromFold;
  const quendrel::FolderVerdict folded = fold.tally.Finish(fromFold);
  // A time out of the store's range reads as "now", which moves on between the two.
  constexpr quendrel::DateTime kSecond = 1.0 / 86400;
  if (folded != expected || fromFold.remembered != fromList.remembered ||
      fromFold.sender != fromList.sender || std::fabs(fromFold.time - fromList.time) > kSecond)
    __builtin_trap();
  return 0;
}
