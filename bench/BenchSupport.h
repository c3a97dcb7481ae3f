// Measuring and generating helpers shared by the benchmark programs.
#pragma once
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <string>
#include <vector>

inline double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

inline double PeakMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakWorkingSetSize / 1048576.0;
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
