// Sending the folder manager's events to a subscriber, as the server does.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <cstdint>

namespace quendrel {

// Calls the sink's OnNewMessage(folderId, newMsgId) through IDispatch; the sink's answer.
HRESULT SendOENewMessage(IDispatch* sink, int32_t folderId, int32_t newMsgId);

}  // namespace quendrel
