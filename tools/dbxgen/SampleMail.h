// Plausible, deterministic sample mail for demo stores and benchmark files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/dbxwriter/DbxWriter.h"

namespace quendrel::dbx {

// FILETIME ticks of a UTC calendar time (proleptic Gregorian, no range checks).
uint64_t FileTimeFromUtc(int year, int month, int day, int hour, int minute, int second);

struct SampleOptions {
  int count = 0;
  int unread = 0;        // the newest `unread` messages are unread, the others read
  uint64_t seed = 1;
  int32_t firstIndex = 1;  // 0: leave indexes for AppendMessages to assign
  uint64_t startTime = FileTimeFromUtc(2026, 11, 2, 8, 0, 0);  // received time of the first message
};

// Messages in receiving order, each a little later than the one before; the same seed gives the
// same messages.
std::vector<MessageSpec> SampleMessages(const SampleOptions& options);

// Writes a demo store into dir (which must exist): Inbox with read and unread mail, Sent Items,
// Deleted Items, an empty Outbox and the folder list "Folders.dbx" naming them. False on failure.
bool WriteDemoStore(const std::string& dir);

}  // namespace quendrel::dbx
