// System functions that not every Windows the program runs on offers. The program is built
// against the XP API and imports nothing newer, so that it loads there; what later systems add
// is looked up when first needed, with what an older system does in its place.
#pragma once

#include "classlib/WinApi.h"

// The entry `name` of the system library `module` (loaded when it is not yet), or nullptr when
// the system lacks the library or the entry.
void* SystemEntry(const char* module, const char* name);

template <class F>
F SystemFunction(const char* module, const char* name) {
  return reinterpret_cast<F>(SystemEntry(module, name));
}

// Deletes the key `name` (which must have no subkeys) below `parent`, in the registry view
// `view` (0, KEY_WOW64_64KEY or KEY_WOW64_32KEY). A system without the call that chooses the
// view is a 32-bit one, which has only the one view. Gives the system's error code.
LONG DeleteRegistryKey(HKEY parent, const char* name, REGSAM view);

// Milliseconds since the system started, 64 bits wide: the system's own count where it has
// one; on XP the 32-bit count, carried past its wrap after 49.7 days (as long as some caller
// reads it at least every 24 days). Also serves the runtime's thread library, which asks for
// GetTickCount64 by name.
unsigned long long TickCount64();

// The 64-bit count once the 32-bit count reads `now`, when `last` was the count before. A
// reading up to 24 days ahead of `last`'s low half moves the count forward (across a wrap);
// one behind it, as another thread's earlier reading can be, lies just behind `last`.
unsigned long long AdvanceTickCount(unsigned long long last, DWORD now);
