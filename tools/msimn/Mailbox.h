// The stand-in's store: the folder files it keeps and the mail it "receives" into Inbox.dbx.
#pragma once

#include <cstdint>
#include <string>

namespace quendrel::standin {

struct InboxCounts {
  uint32_t total = 0;
  uint32_t unread = 0;
};

class Mailbox {
public:
  explicit Mailbox(std::string folder);

  const std::string& Folder() const { return folder_; }
  std::string InboxPath() const;

  // Creates the folder files and the folder list that are missing; existing files are kept as
  // they are. Returns an error text, empty on success.
  std::string CreateMissingFiles() const;

  // Appends `count` new unread generated messages to Inbox.dbx, generated mail `firstSequence` on.
  bool Receive(uint32_t firstSequence, uint32_t count) const;

  // Rewrites Inbox.dbx with every message marked read.
  bool MarkAllRead() const;

  InboxCounts CountInbox() const;

private:
  std::string folder_;
};

}  // namespace quendrel::standin
