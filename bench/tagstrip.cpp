// Tag stripping (StripHtmlTags) on ordinary HTML and on hostile shapes of text, each at 1x, 2x,
// 4x and 8x a base size: characters per second for each. Time linear in the text shows as the
// same rate at every size, for the hostile shapes as for the ordinary page.
//
//   bench_tagstrip [--chars N] [--check N] [--shape K] [--budget S]
//
// --chars N is the base size in characters (default 200000). --check N compares every shape at N
// characters (default 20000, 0 for none) with the straightforward whole-text form and prints
// "DIFFERENT" where they part. --shape K measures only the K-th shape (from 1). A shape whose run
// took more than S seconds (default 60) is not measured at the larger sizes.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine/u_HtmlHelpers.h"
#include "tests/support/HtmlReference.h"
#include "bench/BenchSupport.h"

namespace {

// Paragraphs of German-like words with emphasis, links, entities and a comment now and then, as
// a page of a web site has them.
std::wstring OrdinaryHtml(size_t chars) {
  static const std::vector<std::wstring> words = SyllableWords(5000);
  std::mt19937 random(1848);
  std::wstring text = L"<html><head><title>Seite</title></head>\r\n<body>\r\n<p class=\"text\">";
  for (int w = 1; text.size() < chars; ++w) {
    std::wstring word = words[random() % words.size()];
    const unsigned roll = random() % 200;
    if (roll < 5) word = L"<b>" + word + L"</b>";
    else if (roll < 6) word = L"<a href=\"seite" + std::to_wstring(random() % 500) + L".htm\">" + word + L"</a>";
    else if (roll < 7) word = L"<!-- " + word + L" -->" + word;
    text += word;
    text += w % 12 == 0 ? L".</p>\r\n<p class=\"text\">" : (roll % 17 == 0 ? L" &amp; " : L" ");
  }
  return text + L"</p>\r\n</body></html>\r\n";
}

std::wstring Repeated(const std::wstring& piece, size_t chars) {
  std::wstring text;
  text.reserve(chars + piece.size());
  while (text.size() < chars) text += piece;
  return text;
}

// A long span in angle brackets (a comment, a script), then a stretch of text holding many "<"
// before its one ">" (a formula, a listing, a mail quoted with "<<").
std::wstring LongTagThenManyOpenings(size_t chars) {
  return L"<!--" + Repeated(L"x ", chars / 2) + L"-->" + Repeated(L"a<", chars / 2) + L">";
}

// The same long span, then many "<" that no tag takes, then a short tag repeated: every one of
// its copies ends behind all those "<".
std::wstring LongTagThenOpeningsBeforeManyTags(size_t chars) {
  return L"<!--" + Repeated(L"x ", chars / 3) + L"--><b>" + Repeated(L"<", chars / 3) + Repeated(L"w<b>", chars / 3);
}

// Many different tags, each of them twice: once where it is taken, once behind a "<" that stays.
std::wstring ManyTagsBehindStrayOpenings(size_t chars) {
  std::wstring first, second;
  for (int i = 0; first.size() + second.size() < chars; ++i) {
    const std::wstring tag = L"<t" + std::to_wstring(i) + L">";
    first += tag;
    second += L"<" + tag;
  }
  return L"<!--" + Repeated(L"x ", chars / 4) + L"-->" + first + second;
}

// A tag whose end many later stretches share, then one short tag made anew again and again (each
// time from a tag taken just before inside it), each time ending one of many "<a" before a ">".
std::wstring OneTagMadeAgainAndAgain(size_t chars) {
  std::wstring creators;
  size_t count = 0;
  for (; creators.size() < chars / 2; ++count) {
    const std::wstring inner = L"<y" + std::to_wstring(count) + L">";
    creators += inner + L"<a" + inner + L">";
  }
  return L"<c" + Repeated(L"<a", chars / 8) + L" . >" + creators + Repeated(L"<a", chars / 8) + L" . >" +
         std::wstring(count, L'>');
}

struct TShape {
  const char* name;
  std::function<std::wstring(size_t)> make;
};

// Characters per second of the stripper on the text (the least time of a few runs for short ones).
double CharsPerSecond(const std::wstring& text) {
  TSpread spread;
  for (int run = 0; run < 5 && (run == 0 || spread.Least < 0.2); ++run) spread.Add(Timed([&] { StripHtmlTags(text); }));
  return text.size() / std::max(spread.Least, 1e-9);
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  size_t base = 200000, check = 20000, only = 0;
  double budget = 60;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i];
    if (a == "--chars") base = std::strtoul(argv[i + 1], nullptr, 10);
    else if (a == "--check") check = std::strtoul(argv[i + 1], nullptr, 10);
    else if (a == "--shape") only = std::strtoul(argv[i + 1], nullptr, 10);
    else if (a == "--budget") budget = std::atof(argv[i + 1]);
  }
  const TShape shapes[] = {{"ordinary HTML", OrdinaryHtml},
                           {"long tag, then many '<' before one '>'", LongTagThenManyOpenings},
                           {"long tag, many '<', then one tag many times", LongTagThenOpeningsBeforeManyTags},
                           {"many tags, each again behind a '<'", ManyTagsBehindStrayOpenings},
                           {"one tag made anew for each of many '>'", OneTagMadeAgainAndAgain}};
  std::printf("characters per second of StripHtmlTags, base size %zu characters\n", base);
  std::printf("%-46s %14s %14s %14s %14s\n", "shape", "1x", "2x", "4x", "8x");
  for (size_t k = 0; k < std::size(shapes); ++k) {
    if (only != 0 && only != k + 1) continue;
    std::printf("%-46s", shapes[k].name);
    bool slow = false;
    for (size_t times : {1, 2, 4, 8}) {
      if (slow) {
        std::printf(" %14s", "skipped");
        continue;
      }
      const std::wstring text = shapes[k].make(base * times);
      const double rate = CharsPerSecond(text);
      std::printf(" %14.0f", rate);
      slow = text.size() / rate > budget;
    }
    std::printf("\n");
  }
  if (check == 0) return 0;
  for (const auto& shape : shapes) {
    const std::wstring text = shape.make(check);
    const bool same = StripHtmlTags(text) == DecodeHtmlReferencesForWords(reference::StripTags(text));
    std::printf("%-46s at %zu characters: %s\n", shape.name, check, same ? "identical" : "DIFFERENT");
  }
  return 0;
}
