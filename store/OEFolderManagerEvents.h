// Calls between the folder manager and its subscribers, used by both sides.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <cstdint>

namespace quendrel {

// Calls the sink's OnNewMessage(folderId, newMsgId) through IDispatch; the sink's answer.
HRESULT SendOENewMessage(IDispatch* sink, int32_t folderId, int32_t newMsgId);

// The process on the other side has gone: its proxies answer with one of these from then on.
bool ComPeerGone(HRESULT code);

}  // namespace quendrel
