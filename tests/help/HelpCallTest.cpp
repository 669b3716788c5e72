// "Help" on the Setting page and in the tray menu: the shell is asked to open the help file beside
// the program, by its full path. A stand-in help viewer, registered for ".chm" for the length of the
// test, writes down what the shell handed it.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "app/ShellOpen.h"
#include "tests/app/AppFixture.h"
#include "tests/support/TestFiles.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Menu.h"
#include "toolkit/Registry.h"

namespace quendrel::test {
namespace {

constexpr char kClasses[] = "Software\\Classes";
constexpr char kProgId[] = "Quendrel.HelpCallTest";

LSTATUS SetDefault(const std::string& key, const std::string& value) {
  return toolkit::SetKeyValue(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_SZ, value.c_str(),
                         static_cast<DWORD>(value.size() + 1));
}

// ".chm" opened by cmd.exe echoing its argument into a file. The shell reads machine-wide classes,
// so the previous association is put back afterwards.
class HelpViewerStandIn {
public:
  explicit HelpViewerStandIn(const std::string& record) {
    char old[256] = {};
    DWORD size = sizeof old - 1, type = 0;
    hadAssociation_ = toolkit::GetKeyValue(HKEY_LOCAL_MACHINE, (std::string(kClasses) + "\\.chm").c_str(), nullptr,
                                           &type, old, &size) == ERROR_SUCCESS &&
                      type == REG_SZ;
    oldAssociation_ = old;
    const std::string command = "C:\\windows\\system32\\cmd.exe /c echo %1>\"" + record + "\"";
    registered_ = SetDefault(std::string(kClasses) + "\\" + kProgId + "\\shell\\open\\command", command) ==
                      ERROR_SUCCESS &&
                  SetDefault(std::string(kClasses) + "\\.chm", kProgId) == ERROR_SUCCESS;
  }
  ~HelpViewerStandIn() {
    if (hadAssociation_) {
      SetDefault(std::string(kClasses) + "\\.chm", oldAssociation_);
    } else {
      toolkit::DeleteKeyTree(HKEY_LOCAL_MACHINE, (std::string(kClasses) + "\\.chm").c_str());
    }
    toolkit::DeleteKeyTree(HKEY_LOCAL_MACHINE, (std::string(kClasses) + "\\" + kProgId).c_str());
  }
  HelpViewerStandIn(const HelpViewerStandIn&) = delete;
  HelpViewerStandIn& operator=(const HelpViewerStandIn&) = delete;
  bool Registered() const { return registered_; }

private:
  bool hadAssociation_ = false;
  std::string oldAssociation_;
  bool registered_ = false;
};

// What the stand-in viewer was given, quotes and line end taken off ("" if it never ran).
std::string WaitForOpened(const std::string& record) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    std::error_code error;
    if (std::filesystem::file_size(record, error) > 0 && !error) {
      std::string text;
      for (char ch : ReadFile(record)) {
        if (ch != '"' && ch != '\r' && ch != '\n') text += ch;
      }
      while (!text.empty() && text.back() == ' ') text.pop_back();
      return text;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return "";
}

class HelpCallTest : public AppTest {};

TEST_F(HelpCallTest, HelpButtonAndTrayMenuOpenTheHelpFileBesideTheProgram) {
  // The shell opens only a file that exists; the real one lands beside quendrel.exe, not the test.
  const std::string help = HelpFilePath();
  const bool madeHelp = !std::filesystem::exists(help);
  if (madeHelp) WriteFile(help, "stand-in help file");
  struct RemoveMade {
    bool made;
    std::string path;
    ~RemoveMade() {
      if (made) std::filesystem::remove(path);
    }
  } removeMade{madeHelp, help};

  ScratchDir scratch("helpcall");
  const std::string record = scratch.File("opened.txt");
  HelpViewerStandIn viewer(record);
  ASSERT_TRUE(viewer.Registered());

  QuietMailClient();
  TForm1& form = Launch();
  const struct {
    const char* what;
    std::function<void()> click;
  } cases[] = {{"Help button", [&] { form.Button3->Click(); }},
               {"tray menu Help", [&] { form.Exit1->Click(); }}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(record);
    c.click();
    EXPECT_EQ(WaitForOpened(record), help);
  }
  EXPECT_TRUE(errors_.empty());
}

}  // namespace
}  // namespace quendrel::test
