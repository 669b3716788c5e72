#include "tools/msimn/BrowserWindow.h"

#include <cstdio>
#include <utility>

#include "tools/msimn/StandInOptions.h"

namespace quendrel::standin {

namespace {

// Private message: receive the next few messages of a Send/Receive. Small steps keep the window
// answering (and let other processes read between appends) during a long receive; more than one
// message per step because every append rewrites the whole index.
constexpr UINT kReceiveStepMessage = WM_APP + 1;
constexpr uint32_t kMessagesPerStep = 10;

std::string Hex32(LPARAM value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value & 0xFFFFFFFF));
  return text;
}

class PaintScope {
public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
  ~PaintScope() { EndPaint(hwnd_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Dc() const { return dc_; }

private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace

BrowserWindow::BrowserWindow(Mailbox& mailbox, const CommandLog& log, uint32_t receivePerCommand,
                             std::string storeOrigin)
    : mailbox_(mailbox), log_(log), receivePerCommand_(receivePerCommand), storeOrigin_(std::move(storeOrigin)) {}

bool BrowserWindow::Create(HINSTANCE instance, int showCommand) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &BrowserWindow::WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kBrowserClassName;
  if (!RegisterClassExA(&windowClass)) return false;

  // Handed to the window below, which destroys it with itself.
  HMENU menu = CreateMenu();
  AppendMenuA(menu, MF_STRING, kSendReceiveCommand, "&Send/Receive");
  AppendMenuA(menu, MF_STRING, kMarkAllReadCommand, "&Mark all read");
  AppendMenuA(menu, MF_STRING, kExitCommand, "E&xit");

  counts_ = mailbox_.CountInbox();
  hwnd_ = CreateWindowExA(0, kBrowserClassName, kBrowserTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                          CW_USEDEFAULT, 640, 420, nullptr, menu, instance, this);
  if (!hwnd_) {
    DestroyMenu(menu);
    return false;
  }
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  return true;
}

LRESULT CALLBACK BrowserWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* self = static_cast<BrowserWindow*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<BrowserWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT BrowserWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), lParam);
      return 0;
    case kReceiveStepMessage:
      OnReceiveStep();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_DESTROY:
      SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd_, message, wParam, lParam);
  }
}

void BrowserWindow::OnCommand(WORD id, LPARAM lParam) {
  switch (id) {
    case kSendReceiveCommand:
      log_.Append("WM_COMMAND " + std::to_string(id) + " lParam=" + Hex32(lParam));
      if (receivePerCommand_ == 0) {
        SetLastAction("Send/Receive: nothing to receive");
        log_.Append("received 0 inbox=" + std::to_string(counts_.total));
        return;
      }
      // A command during a receive adds to it, as a second click would queue on the server.
      if (pendingReceive_ == 0) {
        receivedInBatch_ = 0;
        counts_ = mailbox_.CountInbox();
        nextSequence_ = counts_.total + 1;
        PostMessageA(hwnd_, kReceiveStepMessage, 0, 0);
      }
      pendingReceive_ = pendingReceive_ > UINT32_MAX - receivePerCommand_ ? UINT32_MAX
                                                                          : pendingReceive_ + receivePerCommand_;
      SetLastAction("Send/Receive: receiving");
      return;
    case kMarkAllReadCommand:
      SetLastAction(mailbox_.MarkAllRead() ? "marked all read" : "mark all read failed");
      counts_ = mailbox_.CountInbox();
      log_.Append("marked all read inbox=" + std::to_string(counts_.total));
      return;
    case kExitCommand:
      DestroyWindow(hwnd_);
      return;
    default:
      return;
  }
}

void BrowserWindow::OnReceiveStep() {
  if (pendingReceive_ == 0) return;
  const uint32_t count = pendingReceive_ < kMessagesPerStep ? pendingReceive_ : kMessagesPerStep;
  if (!mailbox_.Receive(nextSequence_, count)) {
    // The file is held or broken: give up this batch rather than spin on it.
    pendingReceive_ = 0;
    counts_ = mailbox_.CountInbox();
    SetLastAction("Send/Receive failed after " + std::to_string(receivedInBatch_) + " message(s)");
    log_.Append("receive failed after " + std::to_string(receivedInBatch_));
    return;
  }
  pendingReceive_ -= count;
  receivedInBatch_ += count;
  nextSequence_ += count;
  if (pendingReceive_ > 0) {
    counts_.total += count;
    counts_.unread += count;
    SetLastAction("Send/Receive: received " + std::to_string(receivedInBatch_) + ", " +
                  std::to_string(pendingReceive_) + " to go");
    PostMessageA(hwnd_, kReceiveStepMessage, 0, 0);
    return;
  }
  counts_ = mailbox_.CountInbox();
  SetLastAction("Send/Receive: received " + std::to_string(receivedInBatch_) + " message(s)");
  log_.Append("received " + std::to_string(receivedInBatch_) + " inbox=" + std::to_string(counts_.total));
  if (receivedInBatch_ > 0 && OnMailStored) OnMailStored(nextSequence_ - 1);
}

void BrowserWindow::SetLastAction(std::string action) {
  lastAction_ = std::move(action);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void BrowserWindow::OnPaint() {
  PaintScope paint(hwnd_);
  RECT area{};
  GetClientRect(hwnd_, &area);
  InflateRect(&area, -8, -8);
  std::string text = "Store folder: " + mailbox_.Folder() + "  (" + storeOrigin_ + ")\n" +
                     "Inbox: " + std::to_string(counts_.total) + " messages, " +
                     std::to_string(counts_.unread) + " unread\n" +
                     "Each Send/Receive receives " + std::to_string(receivePerCommand_) +
                     " new message(s)\n" + "Last action: " + lastAction_ + "\n\n" + HelpText();
  // Stock font: selected for the paint and put back, never freed.
  HGDIOBJ oldFont = SelectObject(paint.Dc(), GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(paint.Dc(), TRANSPARENT);
  DrawTextA(paint.Dc(), text.c_str(), static_cast<int>(text.size()), &area,
            DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK);
  SelectObject(paint.Dc(), oldFont);
}

}  // namespace quendrel::standin
