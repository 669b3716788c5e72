// quendrel-store.exe run as a user runs it: output streams and exit codes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "tests/support/PrivateRegistry.h"
#include "tests/support/TestFiles.h"
#include "tests/tools/JsonCheck.h"
#include "tools/dbxgen/SampleMail.h"

namespace quendrel {
namespace {

using test::BuildFilePath;
using test::ReadFile;
using test::ScratchDir;

class OwnedHandle {
public:
  explicit OwnedHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ~OwnedHandle() {
    if (handle_ && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  HANDLE get() const { return handle_; }

private:
  HANDLE handle_;
};

struct ToolRun {
  DWORD exitCode = 0xFFFFFFFF;
  std::string out;
  std::string err;
};

std::string ToolPath() { return BuildFilePath(QUENDREL_STORE_EXE); }

ToolRun RunTool(const std::string& arguments, const ScratchDir& scratch) {
  const std::string outPath = scratch.File("stdout.txt");
  const std::string errPath = scratch.File("stderr.txt");
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  ToolRun run;
  {
    OwnedHandle out(CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    OwnedHandle err(CreateFileA(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    std::string commandLine = "\"" + ToolPath() + "\" " + arguments;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
      ADD_FAILURE() << "cannot start " << commandLine;
      return run;
    }
    OwnedHandle process(info.hProcess);
    OwnedHandle thread(info.hThread);
    EXPECT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
    GetExitCodeProcess(process.get(), &run.exitCode);
  }
  run.out = ReadFile(outPath);
  run.err = ReadFile(errPath);
  return run;
}

size_t Lines(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST(StoreToolRun, ShowsFilesAndFolders) {
  test::ClearCurrentUser();
  ScratchDir scratch;
  ScratchDir store;
  ASSERT_TRUE(dbx::WriteDemoStore(store.Path().string()));
  const std::string inbox = "\"" + store.File("Inbox.dbx") + "\"";

  const ToolRun table = RunTool(inbox, scratch);
  EXPECT_EQ(table.exitCode, 0u) << table.err;
  EXPECT_EQ(Lines(table.out), 13u) << table.out;  // heading and 12 messages
  EXPECT_NE(table.out.find("unread"), std::string::npos);
  EXPECT_EQ(table.err, "");

  const ToolRun json = RunTool("--json " + inbox, scratch);
  EXPECT_EQ(json.exitCode, 0u) << json.err;
  EXPECT_TRUE(test::IsValidJson(json.out)) << json.out;
  EXPECT_EQ(json.out.rfind("{\"file\": ", 0), 0u);
  EXPECT_EQ(Lines(json.out), 14u);

  const ToolRun folder = RunTool("--folder \"" + store.Path().string() + "\"", scratch);
  EXPECT_EQ(folder.exitCode, 0u) << folder.err;
  EXPECT_EQ(Lines(folder.out), 6u) << folder.out;  // heading and five files
  EXPECT_NE(folder.out.find("Sent Items.dbx"), std::string::npos);

  const ToolRun help = RunTool("--help", scratch);
  EXPECT_EQ(help.exitCode, 0u);
  EXPECT_NE(help.out.find("usage: quendrel-store"), std::string::npos);
}

TEST(StoreToolRun, DamagedFileIsNoError) {
  ScratchDir scratch;
  const std::string path = scratch.File("Junk.dbx");
  test::WriteFile(path, "not a store file at all");
  const ToolRun run = RunTool("--json \"" + path + "\"", scratch);
  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_TRUE(test::IsValidJson(run.out)) << run.out;
  EXPECT_NE(run.out.find("\"records\": []"), std::string::npos);
}

TEST(StoreToolRun, ErrorsGiveOneLineAndExitCodeOne) {
  ScratchDir scratch;
  struct Case {
    const char* name;
    std::string arguments;
  };
  const std::vector<Case> cases = {
      {"missing file", "\"" + scratch.File("Missing.dbx") + "\""},
      {"a folder given as file", "\"" + scratch.Path().string() + "\""},
      {"missing folder", "--folder \"" + scratch.File("nowhere") + "\""},
      // The tool runs in its own process, outside this test's private registry: the Wine prefix's
      // own user has no mail client settings.
      {"no store folder configured", "--folder"},
      {"no arguments", ""},
      {"unknown option", "--frobnicate x.dbx"},
      {"json without file", "--json"},
      {"too many files", "a.dbx b.dbx"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ToolRun run = RunTool(c.arguments, scratch);
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Lines(run.err), 1u) << run.err;
    EXPECT_EQ(run.err.rfind("quendrel-store: ", 0), 0u) << run.err;
  }
}

}  // namespace
}  // namespace quendrel
