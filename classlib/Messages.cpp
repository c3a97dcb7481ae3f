// Callback guard and object-bound window procedures.
#include "classlib/Messages.h"

#include <cstring>
#include <new>

TExceptionHandlerProc ApplicationHandleException = nullptr;
TApplicationWindowProc ApplicationWindow = nullptr;

void HandleCallbackException() noexcept {
  try {
    if (ApplicationHandleException) ApplicationHandleException();
  } catch (...) {
    // The error handler failed itself: nothing sensible is left to do but go on.
  }
}

namespace {

// An object instance: a few bytes of machine code that load the instance's address into ECX
// and jump to StdWndProc, which the compiler calls with `this`-style ECX convention.
struct ObjectInstance {
  unsigned char code[16];
  TWndMethod method;
  ObjectInstance* nextFree;
};

LRESULT __attribute__((thiscall))
StdWndProc(ObjectInstance* instance, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  (void)wnd;
  TMessage message;
  message.Msg = msg;
  message.WParam = wParam;
  message.LParam = lParam;
  GuardedCallback([&] { instance->method(message); });
  return message.Result;
}

constexpr size_t kBlockSize = 4096;
ObjectInstance* freeInstances = nullptr;

void AllocateBlock() {
  void* block = VirtualAlloc(nullptr, kBlockSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
  if (!block) RaiseLastOSError();
  auto* first = static_cast<ObjectInstance*>(block);
  const size_t count = kBlockSize / sizeof(ObjectInstance);
  for (size_t i = 0; i < count; ++i) {
    first[i].nextFree = freeInstances;
    freeInstances = &first[i];
  }
}

void WriteCode(ObjectInstance* instance) {
  auto target = reinterpret_cast<uint32_t>(&StdWndProc);
  auto self = reinterpret_cast<uint32_t>(instance);
  unsigned char* c = instance->code;
  c[0] = 0xB9;  // mov ecx, instance
  std::memcpy(c + 1, &self, 4);
  c[5] = 0xB8;  // mov eax, StdWndProc
  std::memcpy(c + 6, &target, 4);
  c[10] = 0xFF;  // jmp eax
  c[11] = 0xE0;
  FlushInstructionCache(GetCurrentProcess(), c, sizeof(instance->code));
}

}  // namespace

WNDPROC MakeObjectInstance(const TWndMethod& method) {
  if (!freeInstances) AllocateBlock();
  ObjectInstance* instance = freeInstances;
  freeInstances = instance->nextFree;
  new (&instance->method) TWndMethod(method);
  instance->nextFree = nullptr;
  WriteCode(instance);
  return reinterpret_cast<WNDPROC>(static_cast<void*>(instance->code));
}

void FreeObjectInstance(WNDPROC procedure) {
  if (!procedure) return;
  auto* instance = reinterpret_cast<ObjectInstance*>(reinterpret_cast<void*>(procedure));
  instance->method.~TWndMethod();
  instance->nextFree = freeInstances;
  freeInstances = instance;
}
