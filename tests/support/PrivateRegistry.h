// A private HKEY_CURRENT_USER for one test process (Windows build only).
#pragma once
#ifdef _WIN32
#include <windows.h>

#include <string>

namespace quendrel::test {

// Redirects HKEY_CURRENT_USER of this process into a fresh key below the real one, and
// removes that key again when it goes. Code under test keeps using HKEY_CURRENT_USER as it is.
class PrivateCurrentUser {
public:
  PrivateCurrentUser();
  ~PrivateCurrentUser();
  PrivateCurrentUser(const PrivateCurrentUser&) = delete;
  PrivateCurrentUser& operator=(const PrivateCurrentUser&) = delete;

private:
  std::string path_;
  HKEY key_ = nullptr;
};

// Empties the private HKEY_CURRENT_USER of the running test process.
void ClearCurrentUser();

}  // namespace quendrel::test
#endif
