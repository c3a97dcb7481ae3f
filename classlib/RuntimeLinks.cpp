#include "classlib/RuntimeLinks.h"

#include <atomic>

void* SystemEntry(const char* module, const char* name) {
  HMODULE library = GetModuleHandleA(module);
  if (library == nullptr) library = LoadLibraryA(module);  // kept for the rest of the run
  if (library == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(library, name));
}

LONG DeleteRegistryKey(HKEY parent, const char* name, REGSAM view) {
  using TRegDeleteKeyExA = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
  static const auto deleteKeyEx = SystemFunction<TRegDeleteKeyExA>("advapi32.dll", "RegDeleteKeyExA");
  if (view != 0 && deleteKeyEx != nullptr) return deleteKeyEx(parent, name, view, 0);
  return RegDeleteKeyA(parent, name);
}

unsigned long long AdvanceTickCount(unsigned long long last, DWORD now) {
  const DWORD ahead = now - static_cast<DWORD>(last);
  if (ahead < 0x80000000u) return last + ahead;
  return last - static_cast<DWORD>(static_cast<DWORD>(last) - now);
}

// No guarded statics here: the thread library calls this from inside its own locking, and a
// static's first-use guard locks through the thread library.
unsigned long long TickCount64() {
  using TGetTickCount64 = ULONGLONG(WINAPI*)();
  static std::atomic<int> lookedUp{0};
  static std::atomic<TGetTickCount64> system{nullptr};
  if (lookedUp.load(std::memory_order_acquire) == 0) {
    system.store(SystemFunction<TGetTickCount64>("kernel32.dll", "GetTickCount64"), std::memory_order_relaxed);
    lookedUp.store(1, std::memory_order_release);
  }
  if (TGetTickCount64 count = system.load(std::memory_order_relaxed)) return count();

  // 0 until the first reading; a count of 0 itself is only ever read in the system's first
  // millisecond.
  static std::atomic<unsigned long long> last{0};
  static_assert(std::atomic<unsigned long long>::is_always_lock_free);
  unsigned long long seen = last.load();
  for (;;) {
    const DWORD now = GetTickCount();
    if (seen == 0) {
      if (last.compare_exchange_weak(seen, now)) return now;
      continue;
    }
    const unsigned long long next = AdvanceTickCount(seen, now);
    if (next <= seen || last.compare_exchange_weak(seen, next)) return next;
  }
}

namespace {

ULONGLONG WINAPI RuntimeTickCount64() { return TickCount64(); }

}  // namespace

// The runtime's thread library was built for Vista and calls GetTickCount64 through its import
// slot. This slot takes the place of the system's, so that the program carries no import that
// XP lacks: the program's link asks for it by name, and the linker finds it in this unit before
// it reaches the system's import library.
extern "C" ULONGLONG(WINAPI* const RuntimeTickCount64Slot)() __asm__("__imp__GetTickCount64@0");
extern "C" ULONGLONG(WINAPI* const RuntimeTickCount64Slot)() = &RuntimeTickCount64;
