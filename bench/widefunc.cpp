// Times splitting (ExplodeW) and whole-word replacement (ReplaceWordsW) on generated German-like
// text of 1 MB and 4 MB (as read from an 8-bit file: a million characters per MB), as the word pipeline uses them: split into lines and words, and run a
// negative list of short words over a page, one call per list word.
#include "engine/u_WideFunc.h"

#include <chrono>
#include <cstdio>
#include <cwctype>
#include <random>
#include <string>

namespace {

const wchar_t* const kSyllables[] = {L"ge", L"ber", L"un", L"ter", L"stra", L"\u00dfe", L"ver", L"lag", L"buch",
                                     L"an", L"ei", L"ne", L"schaft", L"lich", L"\u00e4n", L"der", L"ung", L"k\u00f6",
                                     L"nig", L"wal", L"d\u00fc", L"sen", L"mit", L"tel", L"haus", L"zeit", L"wort"};

const wchar_t* const kShortWords[] = {L"der", L"die", L"das", L"und", L"in", L"zu", L"den", L"mit", L"von", L"ist",
                                      L"auf", L"f\u00fcr", L"im", L"dem", L"nicht", L"ein", L"eine", L"als", L"auch",
                                      L"es", L"an", L"er", L"so", L"dass", L"aus", L"bei", L"nach", L"wie", L"am"};

std::wstring GermanLikeText(size_t characters) {
  std::mt19937 random(42);
  std::uniform_int_distribution<int> syllable(0, std::size(kSyllables) - 1);
  std::uniform_int_distribution<int> shortWord(0, std::size(kShortWords) - 1);
  std::uniform_int_distribution<int> dice(0, 99);
  std::wstring text;
  while (text.size() < characters) {
    int roll = dice(random);
    if (roll < 35) {
      text += kShortWords[shortWord(random)];
    } else {
      std::wstring word;
      for (int n = 1 + dice(random) % 4; n > 0; --n) word += kSyllables[syllable(random)];
      if (roll < 60) word[0] = towupper(word[0]);
      text += word;
    }
    roll = dice(random);
    text += roll < 6 ? L".\r\n" : roll < 12 ? L", " : L" ";
  }
  return text;
}

// The negative list: 229 short words (the common ones, then made-up syllable pairs).
TWideStrArray NegativeList() {
  TWideStrArray words(std::begin(kShortWords), std::end(kShortWords));
  for (size_t i = 0; words.size() < 229; ++i)
    words.push_back(std::wstring(kSyllables[i % std::size(kSyllables)]) + kSyllables[(i * 7 + 3) % std::size(kSyllables)]);
  return words;
}

template <typename Work>
double Seconds(Work work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Run(size_t megabytes) {
  const std::wstring text = GermanLikeText(megabytes << 20);
  TWideStrArray pieces;
  int lines = 0;
  int words = 0;
  double lineTime = Seconds([&] { lines = ExplodeW(L"\r\n", text, pieces); });
  double wordTime = Seconds([&] { words = ExplodeW(L" ", text, pieces); });
  std::printf("ExplodeW      %zu MB: %8d lines in %7.3f s, %8d words in %7.3f s\n", megabytes, lines, lineTime, words,
              wordTime);
  const TWideStrArray negative = NegativeList();
  std::wstring result = text;
  double replaceTime = Seconds([&] {
    for (const auto& word : negative) result = ReplaceWordsW(result, word, L"", true, rfReplaceAll | rfIgnoreCase, L"");
  });
  std::printf("ReplaceWordsW %zu MB: %zu list words, %7.3f s in all (%.2f ms per call), %zu -> %zu characters\n",
              megabytes, negative.size(), replaceTime, replaceTime * 1000 / negative.size(), text.size(), result.size());
}

}  // namespace

int main() {
  Run(1);
  Run(4);
  return 0;
}
