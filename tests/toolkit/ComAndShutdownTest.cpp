// The COM apartment of the user-interface thread, and what the application frees before it ends.
#include <gtest/gtest.h>

#include <objbase.h>

#include <stdexcept>
#include <string>
#include <thread>

#include "toolkit/Application.h"
#include "toolkit/Com.h"
#include "toolkit/Form.h"

namespace quendrel::toolkit {
namespace {

// Whether the calling thread is in an apartment (probed without changing that).
bool InApartment() {
  const HRESULT probe = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (SUCCEEDED(probe)) CoUninitialize();
  return probe != S_OK;
}

TEST(ComTest, AMethodsBarrierTurnsAnExceptionIntoItsAnswer) {
  std::string reported;
  const auto report = [&reported](const std::exception_ptr& error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      reported = e.what();
    }
  };
  EXPECT_EQ(ComGuarded([] { return S_FALSE; }, E_FAIL, report), S_FALSE);
  EXPECT_EQ(reported, "");
  EXPECT_EQ(ComGuarded([]() -> HRESULT { throw std::runtime_error("body failed"); }, DISP_E_EXCEPTION, report),
            DISP_E_EXCEPTION);
  EXPECT_EQ(reported, "body failed");
  // Neither a failing report nor the absence of one lets anything out.
  const auto throwing = [](const std::exception_ptr&) { throw std::logic_error("report failed"); };
  EXPECT_EQ(ComGuarded([]() -> HRESULT { throw 7; }, E_UNEXPECTED, throwing), E_UNEXPECTED);
  EXPECT_EQ(ComGuarded([]() -> HRESULT { throw std::bad_alloc(); }, E_OUTOFMEMORY), E_OUTOFMEMORY);
}

TEST(ComTest, TheApartmentGuardBalancesWhatItDid) {
  // Fresh threads: the test thread's own apartment state is not ours to change.
  std::thread([] {
    {
      ComApartment apartment;
      EXPECT_EQ(apartment.Result(), S_OK);
      {
        ComApartment joined;  // a second guard joins the apartment and leaves it balanced
        EXPECT_EQ(joined.Result(), S_FALSE);
      }
      EXPECT_TRUE(InApartment());
      ComPtr<IBindCtx> context;
      ASSERT_EQ(CreateBindCtx(0, &context), S_OK);
      ComPtr<IUnknown> unknown;
      EXPECT_EQ(context.As(&unknown), S_OK);
    }
    EXPECT_FALSE(InApartment());
  }).join();
  std::thread([] {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    {
      ComApartment apartment;  // the thread is multithreaded already: refused, and nothing to undo
      EXPECT_FALSE(apartment.Initialized());
      EXPECT_EQ(apartment.Result(), RPC_E_CHANGED_MODE);
    }
    CoUninitialize();
    EXPECT_FALSE(InApartment());
  }).join();
}

TEST(ShutdownTest, RunFreesTheFormsBeforeItReturns) {
  bool freed = false;
  auto* form = Application.CreateForm<TForm>();
  form->SetBorderStyle(bsNone);
  form->OnDestroy = [&freed](TComponent*) { freed = true; };
  TWndHookOwner quit = form->HookWindowProc([](TMessage& message, const TWndNext& next) {
    if (message.Msg == WM_APP) Application.Terminate();
    next(message);
  });
  PostMessageA(form->Handle(), WM_APP, 0, 0);
  Application.Run();
  EXPECT_TRUE(freed);  // inside Run: while WinMain (and its COM apartment) still runs
  EXPECT_EQ(Application.ComponentCount(), 0);
  EXPECT_EQ(Application.MainForm(), nullptr);
}

}  // namespace
}  // namespace quendrel::toolkit
