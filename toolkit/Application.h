// TApplication: the program's message loop, its hidden window and its error box (the
// `Application` object).
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/Control.h"
#include "toolkit/HookChain.h"

namespace quendrel::toolkit {

class TForm;

// Sees a message of the application's window before it does, newest hook first; true marks it
// handled (older hooks and the window do not see it).
using TApplicationHook = std::function<bool(TMessage& message)>;
using TExceptionEvent = std::function<void(TComponent* Sender, const std::exception_ptr& error)>;
// Sees each message the loop takes from the queue before it is dispatched, newest hook first;
// Handled true drops it (older hooks do not see it).
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;

// The application's hidden window is the owner of every form and carries the program's taskbar
// button (forms are owned windows, which get none), the way classic RAD programs work: minimizing
// the main form minimizes this window, and hiding it removes the button.
class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;
  std::string ClassName() const override { return "TApplication"; }

  void Initialize() {}
  // The form, owned by the application; the first one created becomes the main form.
  template <class T>
  T* CreateForm() {
    T* form = new T(this);  // owned by the application from here on
    if (mainForm_ == nullptr) mainForm_ = form;
    form->DoCreate();
    return form;
  }
  template <class T>
  void CreateForm(T*& reference) {
    reference = CreateForm<T>();
  }
  TForm* MainForm() const { return mainForm_; }
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool value) { showMainForm_ = value; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // Shows the main form (unless ShowMainForm is false) and handles messages until Terminate.
  void Run();
  // Handles every message waiting now, then returns. Handlers may call it again (nested).
  void ProcessMessages();
  // Handles one message if there is one; false when the queue was empty.
  bool HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }
  void Minimize();
  void Restore();

  // The hidden window (made on first use).
  HWND Handle();
  void ShowTaskbarWindow();
  // Hooks held by their owners, any number of each, like a control's window-procedure hooks.
  [[nodiscard]] THookOwner HookMainWindow(TApplicationHook hook) { return windowHooks_.Add(std::move(hook)); }
  [[nodiscard]] THookOwner HookMessages(TMessageEvent hook) { return messageHooks_.Add(std::move(hook)); }

  // Frees the forms and components the application owns (forms last made first), while the
  // program still runs: Run does it when its loop ends.
  void DestroyComponents();

  // The default error box with the exception's text, or OnException when assigned. One box at a
  // time: errors arriving while it is up (a failing timer) are dropped.
  void HandleException(const std::exception_ptr& error);
  // MessageBoxA owned by the active form (or the main form). (windows.h makes the name MessageBoxA.)
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);

  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  TExceptionEvent OnException;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TDispatchScope;
  friend class TForm;
  void EnterDispatch(const TComponent* target);
  void LeaveDispatch();
  // Called by a form for its CM_RELEASE; it is freed when nothing of it is in dispatch any more.
  void ReleaseForm(TForm* form);
  void ForgetRelease(const TForm* form);
  void FreeReleasedForms();
  bool InDispatch(const TComponent& root) const;

  static LRESULT CALLBACK WndProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  void Dispatch(MSG& msg);
  // The message hooks, then Dispatch, behind the barrier; then forms released meanwhile go.
  void ProcessMessage(MSG& msg);

  HWND handle_ = nullptr;  // owned; DestroyWindow in the destructor
  TForm* mainForm_ = nullptr;  // owned through the component tree
  bool showMainForm_ = true;
  bool terminated_ = false;
  std::string title_ = "Quendrel";
  THookChain<TApplicationHook> windowHooks_;
  THookChain<TMessageEvent> messageHooks_;
  // What our window procedures are handling now, outermost first. Compared, never dereferenced:
  // an entry may have been freed by its own handler.
  std::vector<const TComponent*> dispatching_;
  std::vector<TForm*> released_;  // owned by their owners; freed here when out of dispatch
  bool freeingReleased_ = false;
  bool showingError_ = false;
};

// The toolkit's one application object, as the program's design expects it.
extern TApplication Application;

}  // namespace quendrel::toolkit
