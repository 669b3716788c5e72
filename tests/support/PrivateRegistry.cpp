#include "tests/support/PrivateRegistry.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "toolkit/Registry.h"

namespace quendrel::test {

PrivateCurrentUser::PrivateCurrentUser() {
  static std::atomic<unsigned> made{0};
  path_ = "Software\\QuendrelTests\\" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(GetTickCount()) + "-" + std::to_string(made++);
  // Not volatile: a volatile key refuses the ordinary (non-volatile) subkeys the code under test creates.
  LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key_, nullptr);
  if (rc == ERROR_SUCCESS) rc = RegOverridePredefKey(HKEY_CURRENT_USER, key_);
  if (rc != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot set up a private HKEY_CURRENT_USER (error %ld)\n", rc);
    std::exit(2);
  }
}

PrivateCurrentUser::~PrivateCurrentUser() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(key_);
  toolkit::DeleteKeyTree(HKEY_CURRENT_USER, path_.c_str());
}

void ClearCurrentUser() { toolkit::DeleteKeyTree(HKEY_CURRENT_USER, nullptr); }

}  // namespace quendrel::test
