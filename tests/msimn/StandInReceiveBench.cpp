// Benchmark: how fast msimn.exe receives a long Send/Receive into Inbox.dbx, with and without a
// reader polling the file meanwhile. Run under the Wine session:
//   run.sh STATE msimn_receive_bench.exe [MESSAGES]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "store/DbxReader.h"
#include "tests/msimn/StandInHarness.h"
#include "tests/support/TestFiles.h"

namespace {

using namespace std::chrono;
using namespace quendrel;

bool LogHas(const std::string& path, const std::string& text) {
  std::ifstream file(path, std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return content.find(text) != std::string::npos;
}

void Run(unsigned messages, bool withReader) {
  test::ScratchDir store("msimn-bench");
  const std::string log = store.File("log.txt");
  SetEnvironmentVariableA("QUENDREL_STANDIN_STORE", store.Path().string().c_str());
  SetEnvironmentVariableA("QUENDREL_STANDIN_LOG", log.c_str());
  test::StandInProcess client;
  if (!client.Start("--receive " + std::to_string(messages))) return;
  HWND window = test::WaitForClientWindow(seconds(10));
  if (!window) return;
  const std::string done = "received " + std::to_string(messages) + " ";
  const auto start = steady_clock::now();
  PostMessageA(window, WM_COMMAND, test::kSendReceiveWParam, test::kSendReceiveLParam);
  unsigned loads = 0;
  while (!LogHas(log, done) && steady_clock::now() - start < minutes(10)) {
    if (withReader) {
      DbxItemList items;
      LoadDbxItems(store.File("Inbox.dbx"), &items);
      ++loads;
    } else {
      Sleep(5);
    }
  }
  const double ms = duration<double, std::milli>(steady_clock::now() - start).count();
  std::printf("%5u messages %s: %8.0f ms, %.2f ms/message%s\n", messages,
              withReader ? "with reader   " : "without reader", ms, ms / messages,
              withReader ? (", " + std::to_string(loads) + " reader loads").c_str() : "");
  test::CloseClientWindow(seconds(10));
  client.WaitForExit(seconds(10));
}

}  // namespace

int main(int argc, char** argv) {
  unsigned largest = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 2000;
  for (unsigned messages = 250; messages <= largest; messages *= 2) {
    Run(messages, false);
    Run(messages, true);
  }
  return 0;
}
