#include "tools/msimn/MailGenerator.h"

#include <array>
#include <string_view>

namespace quendrel::standin {

namespace {

constexpr std::array<std::string_view, 8> kFirstNames = {"Ada", "Brendan", "Chiara", "Dmitri",
                                                         "Efua", "Farid", "Greta", "Hiroshi"};
constexpr std::array<std::string_view, 5> kLastNames = {"Lindqvist", "Okafor", "Moreau", "Tanaka",
                                                        "Novak"};
constexpr std::array<std::string_view, 7> kTopics = {
    "Quarterly figures", "Lunch on Friday?", "Re: build server", "Holiday photos",
    "Invoice",           "Meeting notes",    "Your parcel"};

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

GeneratedMail GenerateMail(uint32_t sequence) {
  // Coprime table sizes walk through all 40 name pairings before repeating one.
  const std::string_view first = kFirstNames[sequence % kFirstNames.size()];
  const std::string_view last = kLastNames[sequence % kLastNames.size()];
  const std::string number = std::to_string(sequence);

  GeneratedMail mail;
  mail.senderName = std::string(first) + " " + std::string(last);
  mail.senderAddress = Lower(first) + "." + Lower(last) + "@example.com";
  mail.subject = std::string(kTopics[sequence % kTopics.size()]) + " #" + number;
  mail.messageId = "<standin." + number + "@quendrel.test>";
  mail.body = "Message " + number + " from " + mail.senderName + ".\r\n";
  return mail;
}

}  // namespace quendrel::standin
