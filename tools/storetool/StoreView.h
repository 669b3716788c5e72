// What quendrel-store prints: store file records as a table or as JSON, and a folder summary.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "store/DbxRecords.h"
#include "store/DbxTime.h"

namespace quendrel::storetool {

// Converts the system's ANSI text to UTF-8 (the platform's code page conversion in the tool).
using ToUtf8 = std::function<std::string(std::string_view)>;

// "YYYY-MM-DD HH:MM:SS" of a date-time value (seconds truncated, as the clock shows them).
std::string FormatDateTime(DateTime value);

// A JSON string literal, quotes included, of UTF-8 text.
std::string JsonString(std::string_view utf8);

// One line per record in list order, under a heading line. Texts stay in the ANSI code page.
std::string RecordTable(const DbxItemList& items);

// One JSON object: {"file": ..., "records": [...]} for message records, {"file": ..., "folders": [...]}
// when the reader decoded the file as the folder list.
std::string RecordJson(std::string_view path, const DbxItemList& items, const ToUtf8& toUtf8);

// One store file of a folder and what the reader made of it.
struct FolderFile {
  std::string name;
  DbxItemList items;
};

// One line per file: record count, unread count and the latest (last) record.
std::string FolderTable(std::span<const FolderFile> files);

}  // namespace quendrel::storetool
