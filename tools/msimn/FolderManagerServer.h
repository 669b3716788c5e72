// The stand-in's folder manager: a local COM server for the mail store's folder-manager class,
// the running object while the client runs, telling every subscriber of new mail.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace quendrel::standin {

class FolderManagerObject;
class FolderManagerFactory;

class FolderManagerServer {
public:
  FolderManagerServer();
  ~FolderManagerServer();
  FolderManagerServer(const FolderManagerServer&) = delete;
  FolderManagerServer& operator=(const FolderManagerServer&) = delete;

  // Offers the class to other processes and registers the running object. Needs a COM apartment
  // on this thread. Returns an error text, empty on success.
  std::string Start();
  void Stop();
  // Calls OnNewMessage(folderId, newMsgId) on every subscriber; returns how many took it.
  int FireNewMessage(int32_t folderId, int32_t newMsgId);
  int Subscribers() const;

private:
  FolderManagerObject* object_ = nullptr;  // one reference held while started
  std::unique_ptr<FolderManagerFactory> factory_;
  DWORD classCookie_ = 0;
  DWORD runningCookie_ = 0;
};

// Writes the class (local server: this exe) and the type library into HKLM, or takes them out
// again. Returns an error text, empty on success.
std::string RegisterServer();
std::string UnregisterServer();

}  // namespace quendrel::standin
