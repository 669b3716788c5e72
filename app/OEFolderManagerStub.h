// Stands in for the bridge to the mail store's folder manager until the COM one exists: starting
// to watch always succeeds, and new-message events come only from NewMessage (tests, demo hooks).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/Component.h"

namespace quendrel {

using TOENewMessageEvent =
    std::function<void(toolkit::TComponent* Sender, int32_t folderId, int32_t newMsgId)>;

class TOEFolderManagerStub : public toolkit::TComponent {
 public:
  explicit TOEFolderManagerStub(toolkit::TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TOEFolderManagerStub"; }

  // The folder manager's first operation; the real server's answer is ignored anyway.
  void InvokeFirstMethod() { ++invocations_; }
  int Invocations() const { return invocations_; }
  // Delivers a new-message event as the server would.
  void NewMessage(int32_t folderId, int32_t newMsgId) {
    if (OnNewMessage) OnNewMessage(this, folderId, newMsgId);
  }

  TOENewMessageEvent OnNewMessage;

 private:
  int invocations_ = 0;
};

}  // namespace quendrel
