#include "tools/storetool/StoreView.h"

#include <cstdint>
#include <cstdio>

#include "store/DateTimeMath.h"

namespace quendrel::storetool {

namespace {

std::string Printf(const char* format, auto... args) {
  char text[128];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string Padded(std::string_view text, size_t width) {
  std::string padded(text);
  if (padded.size() < width) padded.append(width - padded.size(), ' ');
  return padded;
}

size_t SenderWidth(const DbxItemList& items) {
  size_t width = 6;
  for (const DbxRecord& record : items)
    if (const auto* message = std::get_if<Toe5_MessageInfo>(&record))
      width = std::max(width, message->SenderName.size());
  return width;
}

std::string MessageLine(const Toe5_MessageInfo& message, size_t senderWidth) {
  return Printf("0x%08X  %7d  0x%06X  %-6s  %s  ", static_cast<uint32_t>(message.RecordOffset),
                message.MessageIndex, static_cast<uint32_t>(message.Flags),
                message.IsRead() ? "read" : "unread",
                FormatDateTime(DbxFileTimeToDateTime(message.ReceivedTime)).c_str()) +
         Padded(message.SenderName, senderWidth) + "  " + std::string(message.Subject) + "\n";
}

bool HoldsFolders(const DbxItemList& items) {
  return !items.empty() && std::holds_alternative<Toe5_FolderInfo>(items.front());
}

}  // namespace

std::string FormatDateTime(DateTime value) {
  const CalendarTime t = DecodeDateTime(value);
  return Printf("%04d-%02d-%02d %02d:%02d:%02d", t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second);
}

std::string JsonString(std::string_view utf8) {
  std::string json = "\"";
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20) {
      json += Printf("\\u%04X", byte);
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string RecordTable(const DbxItemList& items) {
  if (HoldsFolders(items)) {
    std::string table = "     Id   Parent  Name                            File\n";
    for (const DbxRecord& record : items)
      if (const auto* folder = std::get_if<Toe5_FolderInfo>(&record))
        table += Printf("%7d  %7d  ", folder->FolderId, folder->ParentId) + Padded(folder->FolderName, 30) +
                 "  " + std::string(folder->FileName) + "\n";
    return table;
  }
  const size_t senderWidth = SenderWidth(items);
  std::string table = "Offset        Index  Flags     State   Received             " +
                      Padded("Sender", senderWidth) + "  Subject\n";
  for (const DbxRecord& record : items)
    if (const auto* message = std::get_if<Toe5_MessageInfo>(&record)) table += MessageLine(*message, senderWidth);
  return table;
}

std::string RecordJson(std::string_view path, const DbxItemList& items, const ToUtf8& toUtf8) {
  const bool folders = HoldsFolders(items);
  std::string json = "{\"file\": " + JsonString(toUtf8(path)) + (folders ? ", \"folders\": [" : ", \"records\": [");
  bool first = true;
  for (const DbxRecord& record : items) {
    json += first ? "\n  " : ",\n  ";
    first = false;
    if (const auto* message = std::get_if<Toe5_MessageInfo>(&record)) {
      json += "{\"offset\": " + std::to_string(message->RecordOffset) +
              ", \"index\": " + std::to_string(message->MessageIndex) +
              ", \"flags\": " + std::to_string(message->Flags) +
              ", \"read\": " + (message->IsRead() ? "true" : "false") +
              ", \"received_filetime\": " + std::to_string(message->ReceivedTime.Ticks()) +
              ", \"sender\": " + JsonString(toUtf8(message->SenderName)) +
              ", \"subject\": " + JsonString(toUtf8(message->Subject)) + "}";
    } else if (const auto* folder = std::get_if<Toe5_FolderInfo>(&record)) {
      json += "{\"id\": " + std::to_string(folder->FolderId) + ", \"parent_id\": " +
              std::to_string(folder->ParentId) + ", \"name\": " + JsonString(toUtf8(folder->FolderName)) +
              ", \"file_name\": " + JsonString(toUtf8(folder->FileName)) + "}";
    }
  }
  return json + (first ? "]}\n" : "\n]}\n");
}

std::string FolderTable(std::span<const FolderFile> files) {
  size_t nameWidth = 4;
  for (const FolderFile& file : files) nameWidth = std::max(nameWidth, file.name.size());
  std::string table = Padded("File", nameWidth) + "  Records  Unread  Latest\n";
  for (const FolderFile& file : files) {
    table += Padded(file.name, nameWidth) + Printf("  %7zu  ", file.items.size());
    if (HoldsFolders(file.items)) {
      table += "     -  (folder list)\n";
      continue;
    }
    size_t unread = 0;
    for (const DbxRecord& record : file.items)
      if (const auto* message = std::get_if<Toe5_MessageInfo>(&record)) unread += message->IsRead() ? 0 : 1;
    table += Printf("%6zu  ", unread);
    const auto* latest = file.items.empty() ? nullptr : std::get_if<Toe5_MessageInfo>(&file.items.back());
    if (!latest) {
      table += "-\n";
      continue;
    }
    table += FormatDateTime(DbxFileTimeToDateTime(latest->ReceivedTime)) + "  " +
             (latest->IsRead() ? "read    " : "unread  ") + std::string(latest->SenderName) + "  " +
             std::string(latest->Subject) + "\n";
  }
  return table;
}

}  // namespace quendrel::storetool
