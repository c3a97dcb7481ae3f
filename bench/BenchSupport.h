// Measuring and generating helpers shared by the benchmark programs.
#pragma once
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "classlib/Controls.h"

inline double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Seconds the step takes.
template <class Step>
double Timed(Step step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  return Seconds(start);
}

inline double PeakMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakWorkingSetSize / 1048576.0;
}

// The least and the most of repeated measurements of one thing. The least is the figure least
// disturbed by whatever else the machine was doing; the spread says how much that was.
struct TSpread {
  double Least = 1e300, Most = 0;
  void Add(double seconds) {
    Least = seconds < Least ? seconds : Least;
    Most = seconds > Most ? seconds : Most;
  }
};

// What the windows add: the least time a run through them took against the least of the floor
// (bare controls taking the same texts) and the engine together, and with `rounds` over one the
// spread of each. Ends the line.
inline void PrintWindowsShare(const TSpread& windows, const TSpread& floor, const TSpread& engine, int rounds) {
  std::printf("windows / (floor + engine) = %.3f / (%.3f + %.3f) = %.2f", windows.Least, floor.Least, engine.Least,
              windows.Least / (floor.Least + engine.Least));
  if (rounds > 1)
    std::printf(" (least of %d; windows %.3f-%.3f, floor %.3f-%.3f, engine %.3f-%.3f s)", rounds, windows.Least,
                windows.Most, floor.Least, floor.Most, engine.Least, engine.Most);
  std::printf("\n");
}

// count German-like words of two to four syllables, all different; a Zipf-like choice of
// index (small indices often) makes a few of them common.
inline std::vector<std::wstring> SyllableWords(int count) {
  const wchar_t* syllables[] = {L"ber", L"gen", L"schaf", L"haus", L"lich", L"keit", L"un", L"ver", L"wald",
                                L"stein", L"m\u00FC", L"\u00E4r", L"st\u00FC", L"bau", L"ring", L"feld",
                                L"sch\u00F6n", L"gro\u00DF", L"ach", L"tor", L"lin", L"de", L"ka", L"mo"};
  std::vector<std::wstring> words;
  words.reserve(count);
  for (int i = 0; i < count; ++i) {
    std::wstring word;
    for (int n = i, parts = 2 + i % 3; parts > 0; --parts, n /= 24) word += syllables[n % 24];
    words.push_back(word);
  }
  return words;
}

// A bare system edit control of the same kind as a memo of the program: the same style (multi-line,
// wrapping, scroll bars), extended style, font, size and text limit, a Unicode window in a hidden
// Unicode window of its own, with no program around it. What it takes to hold a text is the
// least any window of that kind can take.
class TBareEdit {
 public:
  explicit TBareEdit(HWND like) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KaptorixBenchBareParent";
    RegisterClassW(&windowClass);  // fails harmlessly when the class exists already
    RECT rect{};
    GetWindowRect(like, &rect);
    m_parent = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0,
                               rect.right - rect.left + 40, rect.bottom - rect.top + 60, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(like, GWL_STYLE)) & ~WS_DISABLED;
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(like, GWL_EXSTYLE));
    m_edit = CreateWindowExW(exStyle, L"EDIT", L"", style | WS_CHILD, 0, 0, rect.right - rect.left,
                             rect.bottom - rect.top, m_parent, nullptr, windowClass.hInstance, nullptr);
    SendMessageW(m_edit, WM_SETFONT, SendMessageW(like, WM_GETFONT, 0, 0), FALSE);
    SendMessageW(m_edit, EM_SETLIMITTEXT, SendMessageW(like, EM_GETLIMITTEXT, 0, 0), 0);
  }
  ~TBareEdit() { DestroyWindow(m_parent); }
  TBareEdit(const TBareEdit&) = delete;
  TBareEdit& operator=(const TBareEdit&) = delete;

  // Seconds for one WM_SETTEXT of the text into the emptied control.
  double Take(const std::wstring& text) {
    SendMessageW(m_edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    const auto start = std::chrono::steady_clock::now();
    SendMessageW(m_edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    const double seconds = Seconds(start);
    SendMessageW(m_edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    return seconds;
  }

 private:
  HWND m_parent = nullptr;
  HWND m_edit = nullptr;
};

// Seconds a control spends in its window procedure while the clock is installed: the messages it
// is sent, counted once however deeply they nest.
class TMessageClock {
 public:
  explicit TMessageClock(TControl* control) : m_control(control), m_next(control->GetWindowProc()) {
    control->SetWindowProc(TWndMethod(this, &TMessageClock::Hook));
  }
  ~TMessageClock() { m_control->SetWindowProc(m_next); }
  TMessageClock(const TMessageClock&) = delete;
  TMessageClock& operator=(const TMessageClock&) = delete;
  double Total() const { return m_seconds; }

 private:
  void Hook(TMessage& message) {
    if (m_depth++ == 0) m_start = std::chrono::steady_clock::now();
    m_next(message);
    if (--m_depth == 0) m_seconds += Seconds(m_start);
  }

  TControl* m_control;
  TWndMethod m_next;
  int m_depth = 0;
  std::chrono::steady_clock::time_point m_start;
  double m_seconds = 0;
};
