// Decoding the folder and message records that index entries of a store file point to.
#pragma once

#include <cstdint>

#include "store/BufferedReader.h"
#include "store/DbxRecords.h"
#include "store/DbxTextArena.h"

namespace quendrel {

enum class DecodeOutcome {
  kAppended,  // one record was decoded (and, by the Read functions, appended to the list)
  kSkipped,   // nothing at that offset to decode (its own-offset test failed, or not a folder)
  kEndLoad,   // undecodable or unreadable: the load stops, earlier records stay
};

// Real records are a few hundred bytes to a few KiB; a larger body length is taken for damage
// rather than read.
constexpr int32_t kMaxRecordBody = 1 << 20;

// Both decoders also end the load when the file holds fewer bytes than the record's header, entry
// table or data block need: the tree points into a part of the file that is not (or no longer)
// there, as when the mail client truncates or compacts it while we read.
// The Decode functions leave the record's texts in the reader's window, valid until its next read;
// Out is of no use unless the outcome is kAppended.
DecodeOutcome DecodeFolderRecord(BufferedReader& Reader, int32_t RecordOffset, Toe5_FolderInfo& Out);
// Texts (a set of DbxMessageText) are the message's texts that are measured; the others are left
// empty, once checked.
DecodeOutcome DecodeMessageRecord(BufferedReader& Reader, int32_t RecordOffset, Toe5_MessageInfo& Out,
                                  uint32_t Texts = kAllMessageTexts);

// Copies a decoded record's texts into Texts, which the record then shares.
void KeepTexts(Toe5_FolderInfo& Folder, DbxTextArena& Texts);
void KeepTexts(Toe5_MessageInfo& Message, DbxTextArena& Texts);

// Decoding, keeping the texts in Texts and appending to List in one.
DecodeOutcome ReadFolderRecord(BufferedReader& Reader, int32_t RecordOffset, DbxItemList& List,
                               DbxTextArena& Texts);
DecodeOutcome ReadMessageRecord(BufferedReader& Reader, int32_t RecordOffset, DbxItemList& List,
                                DbxTextArena& Texts);

}  // namespace quendrel
