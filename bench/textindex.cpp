// Builds the text index of a file, or of generated German-like text, with the
// factory options, and prints pages, words, time, throughput and peak memory for
// 1x, 2x, 4x and 8x the input; compares the store with a plain linear-scan store.
// Each size is also run through the program's windows (made, not shown), as the
// text wizard runs it, and the result memo is compared with the engine's text.
//
//   bench_textindex [--pages N] [--file PATH] [--pages-by-numbers] [--out FILE]
#include <windows.h>

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
#include "tests/support/HtmlReference.h"

namespace {

struct Args {
  int pages = 1000;
  std::wstring file;
  bool byNumbers = false;
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

// Factory options on the file; by page numbers, the numbers are detected first.
TTextIndexOptions OptionsFor(const std::wstring& path, bool byNumbers) {
  TTextIndexOptions options = FactoryTextIndexOptions();
  options.SourcePath = path;
  options.PagesByLine = !byNumbers;
  if (byNumbers) options.PageList = FindPageNumbers(SplitTextLines(LoadTextFileW(path)), TPageNumberCriteria{});
  return options;
}

std::wstring RunOnce(const std::wstring& path, bool byNumbers, int scale) {
  auto start = std::chrono::steady_clock::now();
  TTextIndexOptions options = OptionsFor(path, byNumbers);
  double detect = Seconds(start);
  // Seconds spent up to each step: reading the source, the pages, post-processing.
  double reading = 0, pages = 0, refreshing = 0;
  TIndexStore store;
  TTextIndexRunResult result = RunTextIndex(options, store, [&](TTextIndexStep step, const std::wstring&, int) {
    double now = Seconds(start);
    if (step == TTextIndexStep::ReadingPage && reading == 0) reading = now;
    if (step == TTextIndexStep::Refreshing) pages = now;
    if (step == TTextIndexStep::Writing) refreshing = now;
  });
  double seconds = Seconds(start);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  double megabytes = data.nFileSizeLow / 1048576.0;
  std::printf("%dx: %.2f MB, %zu pages, %zu entries, %.3f s, %.2f MB/s, peak memory %.1f MB\n", scale, megabytes,
              result.PageCount, store.EntryCount(), seconds, megabytes / seconds, PeakMegabytes());
  std::printf("    detect %.3f, read and cut %.3f, pages %.3f, split and sort %.3f, write %.3f s\n", detect,
              reading - detect, pages - reading, refreshing - pages, seconds - refreshing);
  return result.Output;
}

// The windows of the program in its order of creation, kept for every run.
void MakeWindows() {
  start = new Tstart(Application);
  prog = new Tprog(Application);
  negliste = new Tnegliste(Application);
  posliste = new Tposliste(Application);
  szkriterien = new Tszkriterien(Application);
  design = new Tdesign(Application);
}

// The run as the text wizard makes it: the file named on the source page (and, for page
// numbers, loaded into the source memo and searched), factory options on every control.
void RunThroughWindows(const std::wstring& path, bool byNumbers, const std::wstring& engineOutput) {
  auto start = std::chrono::steady_clock::now();
  prog->edit_quelle->SetText(path);
  prog->sz_zeilezuseite->SetChecked(!byNumbers);
  prog->sz_auslesen->SetChecked(byNumbers);
  if (byNumbers) {
    prog->original->SetText(LoadTextFileW(path));
    FindPageNumbers();
  }
  BuildTextIndex();
  double seconds = Seconds(start);
  bool same = prog->output->GetText() == engineOutput;
  std::printf("    through the windows: %.3f s (loading and detection included), result memo %s\n", seconds,
              same ? "identical" : "DIFFERENT");
  prog->original->Clear();
  prog->output->Clear();
}

}  // namespace

int main(int argc, char** argv) {
  RegisterUnicodeLayer();
  Args args = ParseArgs(argc, argv);
  std::wstring base = args.file.empty() ? TBookWriter().Book(args.pages) : LoadTextFileW(args.file);
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  std::wstring path = std::wstring(folder) + L"kx_bench_textindex.txt";
  std::wstring output;
  MakeWindows();
  for (int scale : {1, 2, 4, 8}) {
    std::wstring text;
    for (int i = 0; i < scale; ++i) text += base;
    SaveTextFileW(text, path, 65001, false);
    text = std::wstring();
    std::wstring written = RunOnce(path, args.byNumbers, scale);
    RunThroughWindows(path, args.byNumbers, written);
    if (scale == 1) {
      output = written;
      CompareStores(OptionsFor(path, args.byNumbers));
    }
  }
  DeleteFileW(path.c_str());
  if (!args.out.empty()) SaveTextFileW(output, args.out, 65001, false);
  return 0;
}
