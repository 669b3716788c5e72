#include "tools/dbxgen/MessageList.h"

#include <cstdio>
#include <optional>
#include <string>

#include "tools/dbxgen/SampleMail.h"

namespace quendrel::dbx {

namespace {

std::vector<std::string> SplitTabs(std::string_view line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
    fields.emplace_back(line.substr(start, tab - start));
  fields.emplace_back(line.substr(start));
  return fields;
}

std::optional<uint64_t> ParseUtc(const std::string& text) {
  int year, month, day, hour, minute, second;
  char tail;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &year, &month, &day, &hour, &minute, &second,
                  &tail) != 6)
    return std::nullopt;
  if (year < 1601 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 ||
      minute > 59 || second < 0 || second > 59)
    return std::nullopt;
  return FileTimeFromUtc(year, month, day, hour, minute, second);
}

std::optional<MessageSpec> ParseLine(std::string_view line, int32_t index) {
  const std::vector<std::string> fields = SplitTabs(line);
  if (fields.size() != 5 || (fields[0] != "read" && fields[0] != "unread")) return std::nullopt;
  const std::optional<uint64_t> received = ParseUtc(fields[1]);
  if (!received) return std::nullopt;
  MessageSpec message;
  message.index = index;
  message.read = fields[0] == "read";
  message.receivedTime = *received;
  message.sentTime = *received;
  message.senderName = fields[2];
  message.senderAddress = fields[3];
  message.subject = fields[4];
  return message;
}

}  // namespace

MessageList ParseMessageList(std::string_view text) {
  MessageList list;
  int lineNumber = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    std::optional<MessageSpec> message = ParseLine(line, static_cast<int32_t>(list.messages.size() + 1));
    if (!message) {
      list.messages.clear();
      list.badLine = lineNumber;
      return list;
    }
    list.messages.push_back(std::move(*message));
  }
  return list;
}

}  // namespace quendrel::dbx
