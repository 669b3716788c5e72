// The made-up mail that the stand-in "receives": the same sequence number always gives the same
// sender and subject, so tests and demos can tell which message arrived.
#pragma once

#include <cstdint>
#include <string>

namespace quendrel::standin {

struct GeneratedMail {
  std::string senderName;
  std::string senderAddress;
  std::string subject;
  std::string messageId;
  std::string body;
};

// Mail number `sequence` (1 for the first message ever received into the folder).
GeneratedMail GenerateMail(uint32_t sequence);

}  // namespace quendrel::standin
