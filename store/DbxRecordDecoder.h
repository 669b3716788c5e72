// Decoding the folder and message records that index entries of a store file point to.
#pragma once

#include <cstdint>

#include "store/BufferedReader.h"
#include "store/DbxRecords.h"
#include "store/DbxTextArena.h"

namespace quendrel {

enum class DecodeOutcome {
  kAppended,  // one record went to the list
  kSkipped,   // nothing at that offset to decode (its own-offset test failed, or not a folder)
  kEndLoad,   // undecodable or unreadable: the load stops, earlier records stay
};

// Real records are a few hundred bytes to a few KiB; a larger body length is taken for damage
// rather than read.
constexpr int32_t kMaxRecordBody = 1 << 20;

// Both decoders also end the load when the file holds fewer bytes than the record's header, entry
// table or data block need: the tree points into a part of the file that is not (or no longer)
// there, as when the mail client truncates or compacts it while we read.
// The texts of an appended record are kept in Texts, which the record then shares.
DecodeOutcome ReadFolderRecord(BufferedReader& Reader, int32_t RecordOffset, DbxItemList& List,
                               DbxTextArena& Texts);
DecodeOutcome ReadMessageRecord(BufferedReader& Reader, int32_t RecordOffset, DbxItemList& List,
                                DbxTextArena& Texts);

}  // namespace quendrel
