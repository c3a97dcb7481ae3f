// Callback guard and object-bound window procedures.
#include "classlib/Messages.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

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

// An object instance is a stub of machine code that loads the address of its slot into ECX and
// jumps to StdWndProc, which the compiler calls with the `this`-style ECX convention. The stubs
// are written a page at a time when the page is made, and the page is then made execute-and-read
// only, so that no page is ever writable and executable at once. What changes from one use to
// the next (the method) lives in the slot, in ordinary data memory.
struct InstanceSlot {
  TWndMethod method;
  InstanceSlot* nextFree = nullptr;
};

LRESULT __attribute__((thiscall))
StdWndProc(InstanceSlot* slot, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  (void)wnd;
  TMessage message;
  message.Msg = msg;
  message.WParam = wParam;
  message.LParam = lParam;
  GuardedCallback([&] { slot->method(message); });
  return message.Result;
}

constexpr size_t kPageSize = 4096;
constexpr size_t kStubSize = 16;
constexpr size_t kStubsPerPage = kPageSize / kStubSize;

// A page of stubs and the slots they load; pages are never given back, as a window may still
// hold one of their procedures, and the list of them is never destroyed, as windows of forms
// freed at program end give their stubs back after other statics are gone.
struct StubPage {
  unsigned char* code = nullptr;
  InstanceSlot slots[kStubsPerPage];
};

std::vector<std::unique_ptr<StubPage>>& Pages() {
  static auto* pages = new std::vector<std::unique_ptr<StubPage>>;
  return *pages;
}

InstanceSlot* freeSlots = nullptr;

void WriteStub(unsigned char* c, InstanceSlot* slot) {
  auto target = reinterpret_cast<uint32_t>(&StdWndProc);
  auto self = reinterpret_cast<uint32_t>(slot);
  c[0] = 0xB9;  // mov ecx, slot
  std::memcpy(c + 1, &self, 4);
  c[5] = 0xB8;  // mov eax, StdWndProc
  std::memcpy(c + 6, &target, 4);
  c[10] = 0xFF;  // jmp eax
  c[11] = 0xE0;
  std::memset(c + 12, 0xCC, kStubSize - 12);  // int3: never reached
}

void AllocatePage() {
  auto page = std::make_unique<StubPage>();
  void* block = VirtualAlloc(nullptr, kPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!block) RaiseLastOSError();
  page->code = static_cast<unsigned char*>(block);
  for (size_t i = 0; i < kStubsPerPage; ++i) WriteStub(page->code + i * kStubSize, &page->slots[i]);
  DWORD old = 0;
  if (!VirtualProtect(block, kPageSize, PAGE_EXECUTE_READ, &old)) {
    DWORD error = GetLastError();
    VirtualFree(block, 0, MEM_RELEASE);
    RaiseLastOSError(error);
  }
  FlushInstructionCache(GetCurrentProcess(), block, kPageSize);
  for (size_t i = kStubsPerPage; i-- > 0;) {
    page->slots[i].nextFree = freeSlots;
    freeSlots = &page->slots[i];
  }
  Pages().push_back(std::move(page));
}

// The page and index of the stub at `code`; nullptr when it is not one of ours.
InstanceSlot* SlotOf(const void* code) {
  auto address = reinterpret_cast<uintptr_t>(code);
  for (const auto& page : Pages()) {
    auto base = reinterpret_cast<uintptr_t>(page->code);
    if (address >= base && address < base + kPageSize && (address - base) % kStubSize == 0)
      return &page->slots[(address - base) / kStubSize];
  }
  return nullptr;
}

unsigned char* StubOf(const InstanceSlot* slot) {
  for (const auto& page : Pages())
    if (slot >= page->slots && slot < page->slots + kStubsPerPage)
      return page->code + (slot - page->slots) * kStubSize;
  return nullptr;
}

}  // namespace

WNDPROC MakeObjectInstance(const TWndMethod& method) {
  if (!freeSlots) AllocatePage();
  InstanceSlot* slot = freeSlots;
  freeSlots = slot->nextFree;
  slot->nextFree = nullptr;
  slot->method = method;
  return reinterpret_cast<WNDPROC>(static_cast<void*>(StubOf(slot)));
}

void FreeObjectInstance(WNDPROC procedure) {
  if (!procedure) return;
  InstanceSlot* slot = SlotOf(reinterpret_cast<void*>(procedure));
  if (!slot) return;
  slot->method = TWndMethod();
  slot->nextFree = freeSlots;
  freeSlots = slot;
}
