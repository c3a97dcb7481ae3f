// Builds the text index of a file, or of generated German-like text, with the
// factory options, and prints pages, words, time, throughput and peak memory for
// 1x, 2x, 4x and 8x the input; compares the store with a plain linear-scan store.
// Each size is also run through the program's windows (made, not shown) as a user runs the
// text wizard: the path typed on the source page (the file goes into the source memo), the
// page-number page (detection fills its list), the summary page and the run (the index goes
// into the result memo), each step timed and the result memo compared with the engine's text.
// Beside it, in the same process and on the same texts, stand the engine's own steps and the
// floor: bare system edit controls of the memos' kind taking the source text and the index.
// The ratio of the windows' time to floor and engine together is what the windows add.
//
//   bench_textindex [--pages N] [--file PATH] [--pages-by-numbers] [--sizes K] [--repeat R] [--out FILE]
//
// --sizes K runs the first K of the sizes 1x, 2x, 4x and 8x. --repeat R measures engine, floor
// and windows R times each and takes the least of each for the ratio.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "ucode/UCodeRegistration.h"
#include "engine/u_PageNumbers.h"
#include "engine/u_TextIndex.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_WordLists.h"
#include "forms/u_design.h"
#include "forms/u_prog.h"
#include "forms/u_start.h"
#include "forms/u_szkriterien.h"
#include "forms/u_textix.h"
#include "forms/u_wortlisten.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"
#include "bench/BenchSupport.h"
#include "bench/BenchWindows.h"
#include "tests/support/HtmlReference.h"

namespace {

struct Args {
  int pages = 1000;
  std::wstring file;
  bool byNumbers = false;
  int sizes = 4;
  int repeat = 1;
  std::wstring out;
};

std::wstring Widen(const char* s) { return std::wstring(s, s + strlen(s)); }

Args ParseArgs(int argc, char** argv) {
  Args args;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--pages" && i + 1 < argc) args.pages = atoi(argv[++i]);
    else if (a == "--file" && i + 1 < argc) args.file = Widen(argv[++i]);
    else if (a == "--out" && i + 1 < argc) args.out = Widen(argv[++i]);
    else if (a == "--pages-by-numbers") args.byNumbers = true;
    else if (a == "--sizes" && i + 1 < argc) args.sizes = atoi(argv[++i]);
    else if (a == "--repeat" && i + 1 < argc) args.repeat = std::max(1, atoi(argv[++i]));
  }
  return args;
}

// German-like words from syllables; a Zipf-like choice makes a few words common.
class TBookWriter {
 public:
  TBookWriter() : m_random(1848), m_words(SyllableWords(80000)) {}

  std::wstring Book(int pages) {
    std::wstring text;
    const auto& stop = FactoryNegativeWords();
    for (int page = 1; page <= pages; ++page) {
      for (int line = 0; line < 30; ++line) {
        for (int w = 0; w < 11; ++w) {
          double u = std::uniform_real_distribution<double>(0.0, 1.0)(m_random);
          if (u < 0.12) {
            text += stop[m_random() % stop.size()];
          } else {
            std::wstring word = m_words[static_cast<size_t>(80000 * u * u * u) % m_words.size()];
            if (m_random() % 3 == 0) word[0] = WideUpperCase(word.substr(0, 1))[0];
            text += word;
          }
          text += (m_random() % 13 == 0) ? L", " : L" ";
        }
        text += (m_random() % 4 == 0) ? L"17.\r\n" : L".\r\n";
      }
      text += std::to_wstring(page) + L"\r\n";
    }
    return text;
  }

 private:
  std::mt19937 m_random;
  std::vector<std::wstring> m_words;
};

struct Occurrence {
  std::wstring word, item;
};

std::vector<Occurrence> Occurrences(const TTextIndexOptions& options) {
  std::vector<Occurrence> all;
  TWordPipeline pipeline(options.Pipeline);
  for (const auto& page : ReadTextPages(options).Pages) {
    TWordPipeline::Result words = pipeline.Run(page.Text);
    for (auto* list : {&words.Phrases, &words.Words})
      for (auto& w : *list) all.push_back({w, page.Label + L">-"});
  }
  return all;
}

void CompareStores(const TTextIndexOptions& options) {
  std::vector<Occurrence> all = Occurrences(options);
  auto start = std::chrono::steady_clock::now();
  TIndexStore store;
  for (const auto& o : all) store.AddOccurrence(o.word, o.item, true);
  double ours = Seconds(start);
  start = std::chrono::steady_clock::now();
  reference::FileIndexStore literal;
  for (const auto& o : all) literal.Add(o.word, o.item, true);
  double plain = Seconds(start);
  std::printf("store: %zu occurrences, %zu entries: hashed %.3f s, linear scan %.3f s, ratio %.0fx\n", all.size(),
              store.EntryCount(), ours, plain, plain / (ours > 0 ? ours : 1e-9));
}

// Factory options on the file, whose text is `source`; by page numbers, the numbers are detected
// in it first.
TTextIndexOptions OptionsFor(const std::wstring& path, bool byNumbers, const std::wstring& source) {
  TTextIndexOptions options = FactoryTextIndexOptions();
  options.SourcePath = path;
  options.PagesByLine = !byNumbers;
  if (byNumbers) options.PageList = FindPageNumbers(SplitTextLines(source), TPageNumberCriteria{});
  return options;
}

// The engine's share of what the windows do: the file read for the source memo, the page
// numbers detected in its text, and the run, which reads the file again.
struct TEngineRun {
  double load = 0, detect = 0, run = 0;
  std::wstring source, output;
  double Total() const { return load + detect + run; }
};

TEngineRun RunEngine(const std::wstring& path, bool byNumbers, int scale) {
  TEngineRun engine;
  auto start = std::chrono::steady_clock::now();
  engine.source = LoadTextFileW(path);
  engine.load = Seconds(start);
  start = std::chrono::steady_clock::now();
  const TTextIndexOptions options = OptionsFor(path, byNumbers, engine.source);
  engine.detect = Seconds(start);
  // Seconds spent up to each step: reading the source, the pages, post-processing.
  double reading = 0, pages = 0, refreshing = 0;
  TIndexStore store;
  start = std::chrono::steady_clock::now();
  TTextIndexRunResult result = RunTextIndex(options, store, [&](TTextIndexStep step, const std::wstring&, int) {
    double now = Seconds(start);
    if (step == TTextIndexStep::ReadingPage && reading == 0) reading = now;
    if (step == TTextIndexStep::Refreshing) pages = now;
    if (step == TTextIndexStep::Writing) refreshing = now;
  });
  engine.run = Seconds(start);
  engine.output = std::move(result.Output);
  const double megabytes = engine.source.size() * 1.0 / 1048576.0;
  const double seconds = engine.Total();
  std::printf("%dx: %.2f M characters, %zu pages, %zu entries, %.3f s, %.2f M characters/s, peak memory %.1f MB\n",
              scale, megabytes, result.PageCount, store.EntryCount(), seconds, megabytes / seconds, PeakMegabytes());
  std::printf("    engine: load %.3f, detect %.3f, read and cut %.3f, pages %.3f, split and sort %.3f, write %.3f s\n",
              engine.load, engine.detect, reading, pages - reading, refreshing - pages, engine.run - refreshing);
  return engine;
}

// The least two system edit controls of the memos' kind take for the source text and the index.
double Floor(const TEngineRun& engine) {
  const double source = TBareEdit(prog->original->GetHandle()).Take(engine.source);
  const double index = TBareEdit(prog->output->GetHandle()).Take(engine.output);
  std::printf("    floor, bare edit controls: source text %.3f, index %.3f = %.3f s\n", source, index, source + index);
  return source + index;
}

// The run as a user makes it in the text wizard: the path typed on the source page (the file
// goes into the source memo), next to the page-number page (detection fills the list), next to
// the summary, "Index erstellen" (the run, the index into the result memo). Factory options on
// every other control.
double RunThroughWindows(const std::wstring& path, bool byNumbers, const std::wstring& engineOutput) {
  prog->qu_datei->SetChecked(true);
  prog->sz_zeilezuseite->SetChecked(!byNumbers);
  prog->sz_auslesen->SetChecked(byNumbers);
  DescribeTextIndexSettings(prog->tt1);
  const double load = Timed(
      [&] { SendMessageW(prog->edit_quelle->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str())); });
  const double pages = Timed([] { prog->bt2Click(prog->bt2); });
  const double summary = Timed([] {
    prog->bt2Click(prog->bt2);
    prog->bt2Click(prog->bt2);
  });
  double run = 0, memo = 0;
  {
    TMessageClock clock(prog->output);
    run = Timed([] { prog->ft_startClick(prog->ft_start); });
    memo = clock.Total();
  }
  const bool same = prog->output->GetText() == engineOutput;
  const double total = load + pages + summary + run;
  std::printf("    through the windows: source memo %.3f, page numbers %.3f, summary %.3f, run %.3f (result memo "
              "%.3f) = %.3f s, result memo %s\n",
              load, pages, summary, run, memo, total, same ? "identical" : "DIFFERENT");
  prog->edit_quelle->SetText(L"");
  prog->original->Clear();
  prog->sz_libo->GetItems()->Clear();
  prog->output->Clear();
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);  // each figure as soon as it is measured
  RegisterUnicodeLayer();
  Args args = ParseArgs(argc, argv);
  std::wstring base = args.file.empty() ? TBookWriter().Book(args.pages) : LoadTextFileW(args.file);
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  std::wstring path = std::wstring(folder) + L"kx_bench_textindex.txt";
  std::wstring output;
  MakeTextWizardWindows();
  for (int scale = 1; scale < (1 << args.sizes) && scale <= 8; scale *= 2) {
    std::wstring text;
    for (int i = 0; i < scale; ++i) text += base;
    SaveTextFileW(text, path, 65001, false);
    text = std::wstring();
    TSpread engineTimes, floorTimes, windowsTimes;
    TEngineRun engine;
    for (int round = 0; round < args.repeat; ++round) {
      engine = RunEngine(path, args.byNumbers, scale);
      engineTimes.Add(engine.Total());
      floorTimes.Add(Floor(engine));
      windowsTimes.Add(RunThroughWindows(path, args.byNumbers, engine.output));
    }
    std::printf("    ");
    PrintWindowsShare(windowsTimes, floorTimes, engineTimes, args.repeat);
    if (scale == 1) {
      output = std::move(engine.output);
      CompareStores(OptionsFor(path, args.byNumbers, engine.source));
    }
  }
  DeleteFileW(path.c_str());
  if (!args.out.empty()) SaveTextFileW(output, args.out, 65001, false);
  return 0;
}
