// Builds a file index (XHTML page and plain text) and a keyword index of generated HTML and
// text documents through the program's windows (made, not shown) with their factory options,
// and prints documents, entries, seconds, throughput and peak memory for N documents and for
// ten times as many. Each file index run through the windows (the summary page, then "Index
// erstellen": the run, the page or text into the result memo) stands beside the engine's own
// run and the floor, a bare system edit control of the result memo's kind taking the same text,
// all in the same process; the ratio of the windows' time to floor and engine together is what
// the windows add. On the N documents it also measures the tag stripper and the file index's
// store against their straightforward forms and checks that both give the same.
//
//   bench_fileindex [--docs N] [--words W] [--scale S] [--no-reference] [--engine-runs R] [--no-steps]
//                   [--repeat R] [--no-keyword-index]
//
// --repeat R makes each file index run through the windows, with the engine's and the floor's
// beside it, R times, and takes the least of each for the ratio. --no-keyword-index leaves out
// the keyword index.
//
// --no-steps leaves out the engine's and the floor's runs beside the windows' and the keyword
// index's memo alone, for numbers of documents whose results take minutes to enter a memo.
//
// --engine-runs R runs only the engine (file index and keyword index, without the windows) R times
// on the N documents: for profiling, and for numbers of documents whose results no memo could hold.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "ucode/UCodeRegistration.h"
#include "classlib/MessageBoxes.h"
#include "classlib/WebBrowser.h"
#include "engine/u_FileIndex.h"
#include "engine/u_HtmlHelpers.h"
#include "engine/u_KeywordIndex.h"
#include "engine/u_TempFiles.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_WordLists.h"
#include "forms/u_fileix.h"
#include "forms/u_hdesign.h"
#include "forms/u_prog.h"
#include "forms/u_quhopt.h"
#include "forms/u_sdesign.h"
#include "forms/u_start.h"
#include "forms/u_textdesign.h"
#include "forms/u_wortlisten.h"
#include "tests/support/HtmlReference.h"
#include "ucode/UCodeSysUtils.h"
#include "bench/BenchSupport.h"

namespace {

struct Args {
  int docs = 1000;
  int words = 5000;
  int scale = 10;
  bool reference = true;
  int engineRuns = 0;  // only this many file index runs of the engine (for profiling)
  bool steps = true;
  int repeat = 1;
  bool keywords = true;
};

Args ParseArgs(int argc, char** argv) {
  Args args;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--docs" && i + 1 < argc) args.docs = atoi(argv[++i]);
    else if (a == "--words" && i + 1 < argc) args.words = atoi(argv[++i]);
    else if (a == "--scale" && i + 1 < argc) args.scale = atoi(argv[++i]);
    else if (a == "--no-reference") args.reference = false;
    else if (a == "--engine-runs" && i + 1 < argc) args.engineRuns = atoi(argv[++i]);
    else if (a == "--no-steps") args.steps = false;
    else if (a == "--no-keyword-index") args.keywords = false;
    else if (a == "--repeat" && i + 1 < argc) args.repeat = std::max(1, atoi(argv[++i]));
  }
  return args;
}

// German-like words from syllables, a Zipf-like choice making a few words common; every other
// document is an HTML page with paragraphs, emphasis, links and entities.
class TDocumentWriter {
 public:
  TDocumentWriter() : m_random(1848), m_words(SyllableWords(60000)) {}

  // Sentences as German has them: a capitalised noun mostly after an article or a lower-case
  // word, a few common nouns, many rare ones.
  std::wstring Document(int number, int words, bool html) {
    std::wstring text = html ? L"<html><head><title>Dokument " + std::to_wstring(number) +
                                   L"</title></head>\r\n<body>\r\n<p class=\"text\">"
                             : L"";
    const auto& stop = FactoryNegativeWords();
    bool noun = false;
    for (int w = 1; w <= words; ++w) {
      const double u = std::uniform_real_distribution<double>(0.0, 1.0)(m_random);
      std::wstring word;
      if (!noun && m_random() % 4 == 0) {
        word = m_words[static_cast<size_t>(60000 * u * u * u) % m_words.size()];
        word[0] = WideUpperCase(word.substr(0, 1))[0];
        noun = true;
      } else {
        word = m_random() % 3 == 0 ? stop[m_random() % stop.size()] : m_words[static_cast<size_t>(3000 * u * u)];
        noun = false;
      }
      if (html && m_random() % 40 == 0) word = L"<b>" + word + L"</b>";
      if (html && m_random() % 200 == 0)
        word = L"<a href=\"seite" + std::to_wstring(m_random() % 500) + L".htm\">" + word + L"</a>";
      text += word;
      text += w % 12 == 0 ? (html ? L".</p>\r\n<p class=\"text\">" : L".\r\n") : (m_random() % 17 == 0 ? L" &amp; " : L" ");
    }
    return text + (html ? L"</p>\r\n</body></html>\r\n" : L"\r\n");
  }

 private:
  std::mt19937 m_random;
  std::vector<std::wstring> m_words;
};

void MakeWindows() {
  start = new Tstart(Application);
  prog = new Tprog(Application);
  negliste = new Tnegliste(Application);
  posliste = new Tposliste(Application);
  new Tquhopt(Application);
  new Thdesign(Application);
  new Ttextdesign(Application);
  new Tsdesign(Application);
}

double FolderMegabytes(const std::vector<std::wstring>& paths) {
  double bytes = 0;
  for (const auto& path : paths) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) bytes += data.nFileSizeLow;
  }
  return bytes / 1048576.0;
}

void Report(const char* what, size_t docs, size_t entries, double seconds, double megabytes) {
  std::printf("  %-22s %6zu documents, %8zu entries, %7.3f s, %6.2f MB/s, peak memory %.1f MB\n", what, docs,
              entries, seconds, megabytes / seconds, PeakMegabytes());
}

// A browser that takes the page and keeps only its length, so that the runs do not pile up
// copies of their pages.
class TDiscardingBrowser : public IWebBrowserEngine {
 public:
  bool Attach(HWND, const RECT&) override { return true; }
  void Detach() override {}
  void SetBounds(const RECT&) override {}
  void Navigate(const std::wstring&) override {
    m_document = true;
    if (OnDocumentComplete) OnDocumentComplete();
  }
  bool HasDocument() override { return m_document; }
  void WriteDocument(const std::wstring& html) override { m_written = html.size(); }
  std::wstring GetLocationURL() override { return L"about:blank"; }

 private:
  bool m_document = false;
  size_t m_written = 0;
};

// The engine's run on the options the windows hold, on a store of its own; its text.
std::wstring EngineRun(double& seconds) {
  const TFileIndexOptions options = ReadFileIndexOptions();
  TIndexStore store;
  TFileIndexRunResult result;
  seconds = Timed([&] { result = RunFileIndex(options, store, [](TFileIndexStep, const std::wstring&, int) {}); });
  return std::move(result.Output);
}

// File index runs as a user makes them: the summary page, then "Index erstellen" (the run, the
// page to the browser, the text into the result memo), `repeat` times. With `beside`, the
// engine's own run and the floor (a bare edit control of the result memo's kind taking the same
// text) are measured before each and the ratio of the least times is printed.
void FileIndexThroughWindows(const char* what, size_t docs, double megabytes, bool beside, int repeat) {
  TSpread engineTimes, floorTimes, windowsTimes;
  for (int round = 0; round < repeat; ++round) {
    if (beside) {
      double engine = 0;
      const std::wstring text = EngineRun(engine);
      engineTimes.Add(engine);
      floorTimes.Add(TBareEdit(prog->doutput->GetHandle()).Take(text));
    }
    const double summary = Timed([] { DescribeFileIndexSettings(prog->td3); });
    double run = 0, memo = 0;
    {
      TMessageClock clock(prog->doutput);
      run = Timed([] { prog->dstartClick(prog->dstart); });
      memo = clock.Total();
    }
    windowsTimes.Add(summary + run);
    Report(what, docs, prog->FileIndexStore().EntryCount(), summary + run, megabytes);
    std::printf("  %-22s summary %.3f s, run %.3f s (result memo %.3f s), %.1f M characters\n", "", summary, run, memo,
                prog->doutput->GetText().size() / 1048576.0);
    prog->doutput->Clear();
  }
  if (!beside) return;
  std::printf("  %-22s floor: a bare edit control; ", "");
  PrintWindowsShare(windowsTimes, floorTimes, engineTimes, repeat);
}

// The engine's steps of one file index run (XHTML page and plain text) and of one keyword index
// run, without the windows: documents, entries, seconds, seconds per document, MB/s, peak memory.
void EngineSteps(const std::vector<std::wstring>& paths) {
  const double megabytes = FolderMegabytes(paths);
  TFileIndexOptions options = ReadFileIndexOptions();
  for (bool html : {true, false}) {
    options.HtmlOutput = html;
    double firstFile = 0, refreshing = 0, writing = 0;
    auto start = std::chrono::steady_clock::now();
    TIndexStore store;
    const TFileIndexRunResult result = RunFileIndex(options, store, [&](TFileIndexStep step, const std::wstring&, int) {
      if (step == TFileIndexStep::ReadingFile && firstFile == 0) firstFile = Seconds(start);
      if (step == TFileIndexStep::Refreshing) refreshing = Seconds(start);
      if (step == TFileIndexStep::Writing) writing = Seconds(start);
    });
    const double seconds = Seconds(start);
    std::printf("engine, file index %-5s %6zu documents, %8zu entries, %7.3f s (%.2f ms per document), %6.2f MB/s, "
                "peak memory %.1f MB; documents %.3f s, split and sort %.3f s, writing %.3f s (%.1f MB of output)\n",
                html ? "XHTML" : "text", paths.size(), store.EntryCount(), seconds, 1000 * seconds / paths.size(),
                megabytes / seconds, PeakMegabytes(), refreshing - firstFile, writing - refreshing, seconds - writing,
                result.Output.size() / 1048576.0);
  }
  auto start = std::chrono::steady_clock::now();
  const std::wstring keywords =
      RunKeywordIndex(ReadKeywordIndexOptions(), [](TKeywordIndexStep, const std::wstring&, int) {});
  const double seconds = Seconds(start);
  std::printf("engine, keyword index     %6zu documents, %7.3f s (%.2f ms per document), %6.2f MB/s, peak memory "
              "%.1f MB (%.1f MB of output)\n",
              paths.size(), seconds, 1000 * seconds / paths.size(), megabytes / seconds, PeakMegabytes(),
              keywords.size() / 1048576.0);
}

void RunThroughWindows(const std::vector<std::wstring>& paths, const Args& args) {
  const double megabytes = FolderMegabytes(paths);
  std::printf("%zu documents, %.1f MB\n", paths.size(), megabytes);
  prog->qulist->Clear();
  prog->squlist->Clear();
  auto start = std::chrono::steady_clock::now();
  AddFilesToFileList(prog->qulist, paths, ReadFileListOptions(), nullptr);
  std::printf("  %-22s %6d rows, %7.3f s\n", "file list filled", prog->qulist->GetItems()->GetCount(), Seconds(start));
  prog->htmlindex->SetChecked(true);
  FileIndexThroughWindows("file index, XHTML", paths.size(), megabytes, args.steps, args.repeat);
  prog->textindex->SetChecked(true);
  FileIndexThroughWindows("file index, text", paths.size(), megabytes, args.steps, args.repeat);
  if (!args.keywords) return;
  AddFilesToFileList(prog->squlist, paths, ReadFileListOptions(), nullptr);
  start = std::chrono::steady_clock::now();
  const std::wstring keywords = RunKeywordIndex(ReadKeywordIndexOptions(), [](TKeywordIndexStep, const std::wstring&, int) {});
  Report("keyword index, engine", paths.size(), paths.size(), Seconds(start), megabytes);
  std::printf("  %-22s %.1f MB of text\n", "", keywords.size() / 1048576.0);
  start = std::chrono::steady_clock::now();
  BuildKeywordIndex();
  Report("keyword index, memo", paths.size(), paths.size(), Seconds(start), megabytes);
  prog->soutput->Clear();
  if (!args.steps) return;
  start = std::chrono::steady_clock::now();
  prog->soutput->SetText(keywords);
  std::printf("  %-22s %.3f s\n", "keyword text to memo", Seconds(start));
  prog->soutput->Clear();
}

// The tag stripper and the store against their straightforward forms, on the same documents
// with the options the windows hold.
void CompareWithReference(const std::vector<std::wstring>& paths) {
  const TFileIndexOptions options = ReadFileIndexOptions();
  std::vector<std::wstring> texts;
  auto start = std::chrono::steady_clock::now();
  for (const auto& path : paths) texts.push_back(LoadTextFileW(path));
  std::printf("reading the documents: %.3f s\n", Seconds(start));
  start = std::chrono::steady_clock::now();
  std::vector<std::wstring> stripped;
  for (const auto& text : texts) stripped.push_back(StripHtmlTags(text));
  const double ours = Seconds(start);
  start = std::chrono::steady_clock::now();
  size_t differing = 0;
  for (size_t i = 0; i < texts.size(); ++i)
    if (DecodeHtmlReferencesForWords(reference::StripTags(texts[i])) != stripped[i]) ++differing;
  const double plain = Seconds(start);
  std::printf("tag stripping: %.3f s, straightforward %.3f s, ratio %.0fx, %zu documents differ\n", ours, plain,
              plain / ours, differing);

  std::vector<TWordPipeline::Result> documents;
  TWordPipeline pipeline(options.Pipeline);
  start = std::chrono::steady_clock::now();
  for (const auto& text : stripped) documents.push_back(pipeline.Run(text));
  std::printf("word pipeline: %.3f s\n", Seconds(start));
  auto label = [](size_t i) { return L"Dokument " + std::to_wstring(i); };
  size_t occurrences = 0;
  for (const auto& d : documents) occurrences += d.Phrases.size() + d.Words.size();
  for (bool doubles : {true, false}) {
    start = std::chrono::steady_clock::now();
    TIndexStore store;
    std::unordered_set<std::wstring> items;
    for (size_t i = 0; i < documents.size(); ++i)
      AddFileIndexDocument(store, documents[i], label(i), WideExtractFileName(paths[i]), doubles, items);
    const double hashed = Seconds(start);
    start = std::chrono::steady_clock::now();
    reference::FileIndexStore literal;
    for (size_t i = 0; i < documents.size(); ++i) {
      const std::wstring item = label(i) + L">" + WideExtractFileName(paths[i]);
      for (auto* list : {&documents[i].Phrases, &documents[i].Words})
        for (const auto& w : *list) literal.Add(w, item, doubles);
    }
    const double scanned = Seconds(start);
    size_t same = 0;
    for (int b = 0; b < kIndexBucketCount; ++b) {
      const auto& mine = store.Bucket(b);
      const auto& theirs = literal.Bucket(b);
      for (size_t i = 0; i < mine.size() && i < theirs.size(); ++i)
        if (mine[i].Word == theirs[i].word && mine[i].Pages == theirs[i].pages) ++same;
    }
    std::printf("store (doubles %s): %zu occurrences, %zu entries: %.3f s, straightforward %.3f s, ratio %.0fx, "
                "%zu of %zu entries identical\n",
                doubles ? "removed" : "kept", occurrences, store.EntryCount(), hashed, scanned, scanned / hashed, same,
                store.EntryCount());
  }
  // One document of 1 MB of markup, as a long page would be.
  std::wstring big;
  for (size_t i = 0; i < texts.size() && big.size() < 1048576; i += 2) big += texts[i];
  start = std::chrono::steady_clock::now();
  const std::wstring fast = StripHtmlTags(big);
  const double one = Seconds(start);
  start = std::chrono::steady_clock::now();
  const bool agree = DecodeHtmlReferencesForWords(reference::StripTags(big)) == fast;
  const double plainOne = Seconds(start);
  std::printf("tag stripping of %.1f MB in one document: %.3f s, straightforward %.3f s, ratio %.0fx, %s\n",
              big.size() / 1048576.0, one, plainOne, plainOne / one, agree ? "identical" : "DIFFERENT");
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);  // each figure as soon as it is measured
  RegisterUnicodeLayer();
  SetWebBrowserEngineFactory([] { return std::make_unique<TDiscardingBrowser>(); });
  // A run that fails says so here instead of waiting for a click.
  SetMessageBoxAnswerer([](const TMessageBoxRequest& request) {
    std::printf("message box: %s: %s\n", request.Caption.c_str(), request.Text.c_str());
    std::fflush(stdout);
    return IDOK;
  });
  const Args args = ParseArgs(argc, argv);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"kx_bench_fileindex\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  TDocumentWriter writer;
  std::vector<std::wstring> paths;
  const int total = args.docs * args.scale;
  for (int i = 0; i < total; ++i) {
    const bool html = i % 2 == 0;
    paths.push_back(folder + L"dokument" + std::to_wstring(i) + (html ? L".htm" : L".txt"));
    SaveTextFileW(writer.Document(i, args.words, html), paths.back(), 65001, false);
  }
  MakeWindows();
  if (args.engineRuns > 0) {
    const std::vector<std::wstring> documents(paths.begin(), paths.begin() + args.docs);
    prog->qulist->Clear();
    prog->squlist->Clear();
    AddFilesToFileList(prog->qulist, documents, ReadFileListOptions(), nullptr);
    AddFilesToFileList(prog->squlist, documents, ReadFileListOptions(), nullptr);
    for (int run = 0; run < args.engineRuns; ++run) EngineSteps(documents);
  } else {
    try {
      RunThroughWindows(std::vector<std::wstring>(paths.begin(), paths.begin() + args.docs), args);
      if (args.scale > 1) RunThroughWindows(paths, args);
    } catch (const std::exception& error) {
      std::printf("run failed: %s\n", error.what());
    }
    if (args.reference) CompareWithReference(std::vector<std::wstring>(paths.begin(), paths.begin() + args.docs));
  }
  for (const auto& path : paths) DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());
  DeleteTempFiles();  // the preview page of the runs, which the program deletes when it closes
  Application->DestroyComponents();
  return 0;
}
