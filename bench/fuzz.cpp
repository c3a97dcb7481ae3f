// Feeds generated and mutated inputs, reproducible from a seed, to the tag stripper, the link
// extraction and import of HTML documents (files in a scratch folder), the text-file reader in
// every encoding and the index data reader; checks them against straightforward forms where
// one exists, and counts mismatches, exceptions, inputs over the time limit and the peak memory.
// Exits with 1 when anything went wrong.
//
//   bench_fuzz [--count N] [--seed S] [--limit-ms MS] [--memory-mb MB]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "classlib/ListView.h"
#include "ucode/UCodeRegistration.h"
#include "engine/u_HtmlHelpers.h"
#include "engine/u_IndexStore.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_funktionen.h"
#include "tests/support/HtmlReference.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"
#include "ucode/UCodeComCtrls.h"
#include "bench/BenchSupport.h"

namespace {

struct Args {
  int count = 2000;
  unsigned seed = 1;
  int limitMs = 2000;
  int memoryMb = 1024;
};

Args ParseArgs(int argc, char** argv) {
  Args args;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--count" && i + 1 < argc) args.count = atoi(argv[++i]);
    else if (a == "--seed" && i + 1 < argc) args.seed = static_cast<unsigned>(atol(argv[++i]));
    else if (a == "--limit-ms" && i + 1 < argc) args.limitMs = atoi(argv[++i]);
    else if (a == "--memory-mb" && i + 1 < argc) args.memoryMb = atoi(argv[++i]);
  }
  return args;
}

// Inputs made of pieces that matter to the routines, then mutated character by character.
class TInputs {
 public:
  explicit TInputs(unsigned seed) : m_random(seed) {}

  std::wstring Markup(size_t maxPieces) {
    static const wchar_t* const pieces[] = {
        L"<",       L">",        L"<b>",     L"</b>",      L"<a href=\"", L"\">",     L"</a>",   L"<a href=\"b.htm\">",
        L"\"",      L"&amp;",    L"&uuml;",  L"&#228;",    L"&#x1F600;",  L"&",       L"&#",     L";",
        L" ",       L".",        L"\r\n",    L"\n",        L"Haus",       L"gr\u00FC", L"\u20AC", L"\U0001F600",
        L"<p x=1>", L"<!-- c -->", L"<a<b>", L"<b>>",      L"c.txt",      L"sub/",    L"..\\",   L"\xD800"};
    std::wstring text;
    const size_t count = m_random() % (maxPieces + 1);
    for (size_t i = 0; i < count; ++i) text += pieces[m_random() % std::size(pieces)];
    return Mutate(text);
  }

  std::wstring Mutate(std::wstring text) {
    const int mutations = static_cast<int>(m_random() % 4);
    for (int m = 0; m < mutations && !text.empty(); ++m) {
      const size_t at = m_random() % text.size();
      switch (m_random() % 3) {
        case 0: text[at] = static_cast<wchar_t>(m_random() % 0x10000); break;
        case 1: text.erase(at, 1 + m_random() % 4); break;
        default: text.insert(at, text.substr(at, m_random() % 8)); break;
      }
    }
    return text;
  }

  std::string Bytes(size_t maxLength) {
    std::string bytes(m_random() % (maxLength + 1), '\0');
    for (auto& b : bytes) b = static_cast<char>(m_random());
    return bytes;
  }

  std::wstring TextWithoutSurrogates(size_t maxLength) {
    std::wstring text;
    const size_t length = m_random() % (maxLength + 1);
    while (text.size() < length) {
      unsigned cp = m_random() % 4 == 0 ? 0x10000 + m_random() % 0xFFFFF : 1 + m_random() % 0xFFFD;
      if (cp >= 0xD800 && cp <= 0xDFFF) continue;
      if (text.empty() && cp == 0xFEFF) continue;
      text += CodePointToWideStr(static_cast<int>(cp));
    }
    return text;
  }

  unsigned Next() { return m_random(); }

 private:
  std::mt19937 m_random;
};

// The links as the plain reading of the rules finds them: the rest of the text cut down step by
// step; a link whose quotes or tag end are missing ends the search.
std::vector<THtmlLink> PlainLinks(std::wstring text) {
  std::vector<THtmlLink> links;
  text = WideAdjustLineBreaks(text);
  for (;;) {
    size_t at = text.find(L"<a href");
    if (at == std::wstring::npos) return links;
    text.erase(0, at);
    size_t quote = text.find(L'"');
    if (quote == std::wstring::npos) return links;
    text.erase(0, quote + 1);
    size_t close = text.find(L'"');
    size_t gt = text.find(L'>');
    if (close == std::wstring::npos || gt == std::wstring::npos) return links;
    THtmlLink link;
    link.Href = text.substr(0, close);
    size_t lt = text.find(L'<');
    if (lt != std::wstring::npos && lt > gt) link.Label = text.substr(gt + 1, lt - gt - 1);
    auto trim = [](std::wstring s) {
      while (!s.empty() && s.back() < 0x21) s.pop_back();
      size_t b = 0;
      while (b < s.size() && s[b] < 0x21) ++b;
      return s.substr(b);
    };
    link.Href = trim(DecodeHtmlCharacterReferences(link.Href));
    link.Label = trim(DecodeHtmlCharacterReferences(link.Label));
    links.push_back(link);
    text.erase(0, gt);
  }
}

struct TTally {
  const char* name;
  long inputs = 0, mismatches = 0, exceptions = 0, slow = 0;
  double longestMs = 0;
};

class TFuzzer {
 public:
  TFuzzer(const Args& args) : m_args(args), m_inputs(args.seed) {}

  // Runs one input; the check returns false on a mismatch.
  void Run(TTally& tally, const std::function<bool()>& check, const std::wstring& shown) {
    ++tally.inputs;
    const auto start = std::chrono::steady_clock::now();
    bool ok = true;
    try {
      ok = check();
    } catch (const std::exception& e) {
      ++tally.exceptions;
      if (tally.exceptions <= 3) std::printf("  %s: exception %s\n", tally.name, e.what());
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    tally.longestMs = std::max(tally.longestMs, ms);
    if (ms > m_args.limitMs) ++tally.slow;
    if (!ok && ++tally.mismatches <= 3) std::printf("  %s: mismatch on input %ld (%zu units)\n", tally.name, tally.inputs, shown.size());
  }

  TInputs& Inputs() { return m_inputs; }

 private:
  const Args& m_args;
  TInputs m_inputs;
};

std::wstring ScratchFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"kx_fuzz_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"sub").c_str(), nullptr);
  SaveTextFileW(L"b", folder + L"b.htm", kEncodingUtf8, false);
  SaveTextFileW(L"c", folder + L"c.txt", kEncodingUtf8, false);
  SaveTextFileW(L"d", folder + L"sub\\d.htm", kEncodingUtf8, false);
  return folder;
}

const int kEncodings[] = {kEncodingAnsi, kEncodingUtf16LE, kEncodingUtf16BE, kEncodingUtf7Ansi, kEncodingUtf7,
                          kEncodingUtf8,  kEncodingUtf8BOM, kEncodingUtf32LE, kEncodingUtf32BE};

// Encodings whose files say what they are, so that a text comes back whole.
bool RoundTrips(int encoding) {
  return encoding == kEncodingUtf16LE || encoding == kEncodingUtf16BE || encoding == kEncodingUtf8 ||
         encoding == kEncodingUtf8BOM || encoding == kEncodingUtf32LE || encoding == kEncodingUtf32BE ||
         encoding == kEncodingUtf7;
}

}  // namespace

int main(int argc, char** argv) {
  RegisterUnicodeLayer();
  const Args args = ParseArgs(argc, argv);
  TFuzzer fuzzer(args);
  TInputs& in = fuzzer.Inputs();
  const std::wstring folder = ScratchFolder();
  const std::wstring document = folder + L"doc.htm", textFile = folder + L"text.bin";
  TTally strip{"StripHtmlTags"}, links{"ImportHtmlLinks"}, reader{"text-file reader"}, idx{"index data reader"};
  TComponent owner(nullptr);
  auto* list = new TUCodeListView(&owner);
  const auto begin = std::chrono::steady_clock::now();

  for (int i = 0; i < args.count; ++i) {
    const std::wstring markup = in.Markup(i % 10 == 0 ? 400 : 40);
    fuzzer.Run(strip, [&] { return StripHtmlTags(markup) == DecodeHtmlReferencesForWords(reference::StripTags(markup)); }, markup);

    const std::wstring page = in.Markup(30);
    fuzzer.Run(links, [&] {
      const std::vector<THtmlLink> found = ExtractHtmlLinks(page), plain = PlainLinks(page);
      bool same = found.size() == plain.size();
      for (size_t k = 0; same && k < found.size(); ++k)
        same = found[k].Href == plain[k].Href && found[k].Label == plain[k].Label;
      SaveTextFileW(page, document, kEncodingUtf8BOM, true);
      list->Clear();
      ImportHtmlLinks(document, list, TFileListOptions{(i & 1) != 0, (i & 2) != 0, (i & 4) != 0});
      int existing = 0;
      for (const auto& link : plain) existing += WideFileExists(LinkTargetPath(document, link.Href)) ? 1 : 0;
      // Without the test for doubles every link to an existing file is a row.
      return same && ((i & 1) != 0 ? list->GetItems()->GetCount() <= existing : list->GetItems()->GetCount() == existing);
    }, page);

    const int encoding = kEncodings[in.Next() % std::size(kEncodings)];
    const std::wstring text = in.TextWithoutSurrogates(i % 10 == 0 ? 2000 : 60);
    fuzzer.Run(reader, [&] {
      SaveTextFileW(text, textFile, encoding, true);
      const bool whole = LoadTextFileW(textFile) == text;
      // The same file with damaged bytes must still read (or be refused with an error).
      std::string bytes;
      {
        HANDLE file = CreateFileW(textFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        DWORD size = GetFileSize(file, nullptr), read = 0;
        bytes.resize(size);
        if (size) ReadFile(file, bytes.data(), size, &read, nullptr);
        CloseHandle(file);
      }
      for (int m = static_cast<int>(in.Next() % 4); m > 0 && !bytes.empty(); --m) bytes[in.Next() % bytes.size()] = static_cast<char>(in.Next());
      if (in.Next() % 4 == 0) bytes = in.Bytes(64);
      HANDLE file = CreateFileW(textFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      DWORD written = 0;
      if (!bytes.empty()) WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
      CloseHandle(file);
      try {
        LoadTextFileW(textFile);
      } catch (const EUCodeGeneralError&) {
        // a damaged UTF-7 body is refused
      }
      return whole || !RoundTrips(encoding);
    }, text);

    const std::wstring data = in.Markup(20) + L":" + in.Markup(10) + L"\r\n" + in.Markup(30);
    fuzzer.Run(idx, [&] {
      const std::vector<std::wstring> lines = SplitTextLines(data);
      size_t expected = 0;
      for (const auto& line : lines) {
        const size_t colon = line.find(L':');
        if (colon != std::wstring::npos && colon > 0 && line.find(L'>') != std::wstring::npos) ++expected;
      }
      SaveTextFileW(data, textFile, kEncodingUtf8, false);
      const TIndexFileResult loaded = LoadIndexFile(textFile, TIndexDataReadOptions{false});
      return loaded.FileFound && loaded.Store.EntryCount() == expected;
    }, data);

    if (PeakMegabytes() > args.memoryMb) {
      std::printf("memory ceiling of %d MB passed after %d rounds\n", args.memoryMb, i + 1);
      break;
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  bool failed = PeakMegabytes() > args.memoryMb;
  std::printf("seed %u, %.1f s, peak memory %.1f MB\n", args.seed, seconds, PeakMegabytes());
  for (const TTally* t : {&strip, &links, &reader, &idx}) {
    std::printf("%-18s %8ld inputs, %ld mismatches, %ld exceptions, %ld over %d ms (longest %.1f ms)\n", t->name,
                t->inputs, t->mismatches, t->exceptions, t->slow, args.limitMs, t->longestMs);
    failed = failed || t->mismatches > 0 || t->exceptions > 0 || t->slow > 0;
  }
  for (const wchar_t* name : {L"doc.htm", L"text.bin", L"b.htm", L"c.txt", L"sub\\d.htm"}) DeleteFileW((folder + name).c_str());
  RemoveDirectoryW((folder + L"sub").c_str());
  RemoveDirectoryW(folder.c_str());
  return failed ? 1 : 0;
}
