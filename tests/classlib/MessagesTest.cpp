// Window procedures bound to an object's method, and the guard around system callbacks.
#include <gtest/gtest.h>

#include <set>

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

// The procedures are machine code: the pages that hold them run and read, but are never
// writable at the same time, even while many instances come and go.
TEST(ObjectInstances, NoPageOfProceduresIsWritableAndExecutableAtOnce) {
  std::vector<Receiver> receivers(600);  // more than one page of procedures
  std::vector<WNDPROC> procedures;
  for (Receiver& receiver : receivers)
    procedures.push_back(MakeObjectInstance(TWndMethod(&receiver, &Receiver::Handle)));
  std::set<uintptr_t> pages;
  for (size_t i = 0; i < procedures.size(); ++i) {
    MEMORY_BASIC_INFORMATION info{};
    ASSERT_NE(VirtualQuery(reinterpret_cast<void*>(procedures[i]), &info, sizeof(info)), 0u);
    EXPECT_EQ(info.Protect, static_cast<DWORD>(PAGE_EXECUTE_READ)) << "procedure " << i;
    pages.insert(reinterpret_cast<uintptr_t>(info.BaseAddress));
    EXPECT_EQ(CallWindowProcA(procedures[i], nullptr, WM_USER, i, 1), static_cast<LRESULT>(i + 1));
  }
  EXPECT_GT(pages.size(), 1u);
  for (size_t i = 0; i < receivers.size(); ++i)
    EXPECT_EQ(receivers[i].seen, std::vector<UINT>{WM_USER}) << "receiver " << i;
  // A freed procedure is handed out again, bound to its new method.
  FreeObjectInstance(procedures[300]);
  Receiver later;
  WNDPROC again = MakeObjectInstance(TWndMethod(&later, &Receiver::Handle));
  EXPECT_EQ(again, procedures[300]);
  EXPECT_EQ(CallWindowProcA(again, nullptr, WM_USER + 1, 4, 5), 9);
  EXPECT_EQ(later.seen, std::vector<UINT>{WM_USER + 1});
  EXPECT_EQ(receivers[300].seen.size(), 1u);
  procedures[300] = again;
  for (WNDPROC procedure : procedures) FreeObjectInstance(procedure);
}

TEST(ObjectInstances, AnExceptionStopsAtTheGuardAndReachesTheApplicationsHandler) {
  Receiver receiver;
  WNDPROC procedure = MakeObjectInstance(TWndMethod(&receiver, &Receiver::Handle));
  wintest::ErrorCatcher handler;
  EXPECT_EQ(CallWindowProcA(procedure, nullptr, WM_USER + 2, 0, 0), 0);
  EXPECT_EQ(GuardedCallback([]() -> int { throw EAbort("quiet"); }, -1), -1);
  EXPECT_EQ(GuardedCallback([]() -> int { throw std::runtime_error("plain"); }, -2), -2);
  EXPECT_EQ(GuardedCallback([]() -> int { throw std::bad_alloc(); }, -3), -3);
  // EAbort is the silent exception: it never reaches the handler; memory running out is
  // reported in words.
  EXPECT_EQ(handler.errors,
            (std::vector<std::string>{"Broken handler", "plain", "Out of memory"}));
  FreeObjectInstance(procedure);
}
