#include "store/OEFolderManagerEvents.h"

#include "store/OEFolderManagerIds.h"

namespace quendrel {

HRESULT SendOENewMessage(IDispatch* sink, int32_t folderId, int32_t newMsgId) {
  VARIANT args[2];
  args[0].vt = VT_I4;  // last argument first
  args[0].lVal = newMsgId;
  args[1].vt = VT_I4;
  args[1].lVal = folderId;
  DISPPARAMS params{args, nullptr, 2, 0};
  return sink->Invoke(kOnNewMessage, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                      nullptr, nullptr);
}

bool ComPeerGone(HRESULT code) {
  return code == RPC_E_DISCONNECTED || code == CO_E_OBJNOTCONNECTED || code == RPC_E_SERVER_DIED ||
         code == RPC_E_SERVER_DIED_DNE || code == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ||
         code == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED);
}

}  // namespace quendrel
