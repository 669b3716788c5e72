// The check cycle: refresh the catalogue, drive the mail client, examine the watched folders.
#pragma once

#include "core/CheckHost.h"
#include "toolkit/Registry.h"

namespace quendrel {

// One timer cycle. Registry errors leave it where they happen (what was written stays) and reach the
// caller; everything the run opened is released on every way out.
void CheckMail(CheckHost& host);

// The check started by the store's new-message event: the watched folders only, no catalogue
// refresh and no mail client.
void CheckMailOnEvent(CheckHost& host);

// Examines every watched folder key below the program key open in reg, remembers each folder's
// latest unread message and alerts on folders with new mail (or any unread mail with AlwaysAlert).
// A key that is gone by the time its turn comes (a nested check dropped it) is skipped, not created.
// May leave a folder key open in reg.
void CheckWatchedFolders(toolkit::Registry& reg, bool AlwaysAlert, CheckHost& host);

}  // namespace quendrel
