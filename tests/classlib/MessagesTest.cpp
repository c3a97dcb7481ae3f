// Window procedures bound to an object's method, and the guard around system callbacks.
#include <gtest/gtest.h>

#include "WindowsTestSupport.h"

namespace {

class Receiver : public TObject {
 public:
  std::vector<UINT> seen;
  void Handle(TMessage& message) {
    seen.push_back(message.Msg);
    if (message.Msg == WM_USER + 2) throw Exception("Broken handler");
    message.Result = static_cast<LRESULT>(message.WParam + message.LParam);
  }
};

}  // namespace

TEST(ObjectInstances, APlainWindowProcedureCallsTheBoundMethodOfItsObject) {
  Receiver first, second;
  WNDPROC a = MakeObjectInstance(TWndMethod(&first, &Receiver::Handle));
  WNDPROC b = MakeObjectInstance(TWndMethod(&second, &Receiver::Handle));
  EXPECT_NE(a, b);
  EXPECT_EQ(CallWindowProcA(a, nullptr, WM_USER, 2, 3), 5);
  EXPECT_EQ(CallWindowProcA(b, nullptr, WM_USER + 1, 10, 20), 30);
  EXPECT_EQ(first.seen, std::vector<UINT>{WM_USER});
  EXPECT_EQ(second.seen, std::vector<UINT>{WM_USER + 1});
  FreeObjectInstance(a);
  WNDPROC reused = MakeObjectInstance(TWndMethod(&second, &Receiver::Handle));
  EXPECT_EQ(CallWindowProcA(reused, nullptr, WM_USER, 1, 1), 2);
  EXPECT_EQ(second.seen.size(), 2u);
  FreeObjectInstance(reused);
  FreeObjectInstance(b);
}

TEST(ObjectInstances, AnExceptionStopsAtTheGuardAndReachesTheApplicationsHandler) {
  Receiver receiver;
  WNDPROC procedure = MakeObjectInstance(TWndMethod(&receiver, &Receiver::Handle));
  struct Handler : TObject {
    std::vector<std::string> errors;
    void OnException(TObject*, const std::exception& error) { errors.push_back(error.what()); }
  } handler;
  Application->OnException = TExceptionEvent(&handler, &Handler::OnException);
  EXPECT_EQ(CallWindowProcA(procedure, nullptr, WM_USER + 2, 0, 0), 0);
  EXPECT_EQ(GuardedCallback([]() -> int { throw EAbort("quiet"); }, -1), -1);
  EXPECT_EQ(GuardedCallback([]() -> int { throw std::runtime_error("plain"); }, -2), -2);
  Application->OnException = TExceptionEvent();
  // EAbort is the silent exception: it never reaches the handler.
  EXPECT_EQ(handler.errors, (std::vector<std::string>{"Broken handler", "plain"}));
  FreeObjectInstance(procedure);
}
