#include "engine/u_IndexStore.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "classlib/WinApi.h"
#include "engine/u_WideFunc.h"
#include "engine/u_WideFuncText.h"
#include "ucode/UCodeClasses.h"
#include "ucode/UCodeSysUtils.h"

namespace {

constexpr wchar_t kItemSeparator = L'|';

// Words are the same entry when their wide upper-case forms are equal.
std::wstring IndexWordKey(const std::wstring& word) { return WideUpperCase(word); }

std::vector<std::wstring> SplitAt(const std::wstring& separator, const std::wstring& text) {
  TWideStrArray pieces;
  ExplodeW(separator, text, pieces);
  return std::vector<std::wstring>(pieces.begin(), pieces.end());
}

// Case-insensitive order in the user locale's collation: the wide string list's
// own comparison decides. The locale's sort keys are only a first guess (on some
// systems they disagree with the comparison for a few characters): the lines are
// ordered by their keys, then a natural merge sort by the comparison itself puts
// them in its order. When the keys agree, that is one pass of n - 1 comparisons;
// when they do not, it costs no more than any other sort by the comparison.
std::string CollationKey(const std::wstring& line) {
  constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int length = static_cast<int>(line.size());
  int size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, line.data(), length, nullptr, 0);
  std::string key(size > 0 ? size : 0, '\0');
  if (size > 0)
    LCMapStringW(LOCALE_USER_DEFAULT, kFlags, line.data(), length, reinterpret_cast<LPWSTR>(key.data()), size);
  return key;
}

std::vector<size_t> SortedOrderIgnoringCase(const std::vector<std::wstring>& lines) {
  std::vector<size_t> order(lines.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  if (order.size() < 2) return order;
  {
    std::vector<std::string> keys;
    keys.reserve(lines.size());
    for (const auto& line : lines) keys.push_back(CollationKey(line));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
  }
  const TUCodeStringList comparer;
  auto before = [&](size_t a, size_t b) { return comparer.CompareStrings(lines[a], lines[b]) < 0; };
  // Ascending runs, then pairs of neighbouring runs merged until one is left.
  std::vector<size_t> runStarts{0};
  for (size_t i = 1; i < order.size(); ++i)
    if (before(order[i], order[i - 1])) runStarts.push_back(i);
  std::vector<size_t> merged(order.size());
  while (runStarts.size() > 1) {
    std::vector<size_t> nextStarts;
    for (size_t r = 0; r < runStarts.size(); r += 2) {
      const size_t first = runStarts[r];
      const size_t middle = r + 1 < runStarts.size() ? runStarts[r + 1] : order.size();
      const size_t last = r + 2 < runStarts.size() ? runStarts[r + 2] : order.size();
      nextStarts.push_back(first);
      std::merge(order.begin() + first, order.begin() + middle, order.begin() + middle, order.begin() + last,
                 merged.begin() + first, before);
    }
    order.swap(merged);
    runStarts.swap(nextStarts);
  }
  return order;
}

bool ReadWholeTextFile(const std::wstring& path, std::wstring& text) {
  if (!WideFileExists(path)) return false;
  text = LoadTextFileW(path);
  return true;
}

int LetterBucket(wchar_t c) {
  if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return c >= L'A' && c <= L'Z' ? c - L'A' : -1;
}

bool EndsWithItem(const std::wstring& pages, const std::wstring& item) {
  if (pages.size() == item.size()) return pages == item;
  if (pages.size() < item.size() + 1) return false;
  size_t start = pages.size() - item.size();
  return pages[start - 1] == kItemSeparator && pages.compare(start, item.size(), item) == 0;
}

std::unordered_set<std::wstring> ItemsOf(const std::wstring& pages) {
  std::unordered_set<std::wstring> items;
  size_t start = 0;
  for (;;) {
    size_t bar = pages.find(kItemSeparator, start);
    items.insert(pages.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start));
    if (bar == std::wstring::npos) return items;
    start = bar + 1;
  }
}

void ReplaceChar(std::wstring& text, wchar_t from, wchar_t to) {
  std::replace(text.begin(), text.end(), from, to);
}

}  // namespace

int BuilderBucketOf(const std::wstring& word) {
  if (word.empty()) return kOtherBucket;
  int bucket = LetterBucket(word[0]);
  if (bucket >= 0) return bucket;
  switch (word[0]) {
    case L'\u00C4': case L'\u00E4': return L'A' - L'A';
    case L'\u00D6': case L'\u00F6': return L'O' - L'A';
    case L'\u00DC': case L'\u00FC': return L'U' - L'A';
    default: return kOtherBucket;
  }
}

int ShortBucketOf(const std::wstring& word) {
  int bucket = word.empty() ? -1 : LetterBucket(word[0]);
  return bucket >= 0 ? bucket : kOtherBucket;
}

wchar_t BucketLetter(int bucket) { return static_cast<wchar_t>(L'A' + bucket); }

// Finds entries by upper-cased word, and page items of entries that were tested
// for duplicates. Rebuilt from the bucket whenever it is missing.
struct TIndexStore::Lookup {
  std::unordered_map<std::wstring, size_t> byWord;
  std::unordered_map<size_t, std::unordered_set<std::wstring>> itemsOf;
};

TIndexStore::TIndexStore() = default;
TIndexStore::~TIndexStore() = default;
TIndexStore::TIndexStore(TIndexStore&&) noexcept = default;
TIndexStore& TIndexStore::operator=(TIndexStore&&) noexcept = default;

TIndexStore::TIndexStore(const TIndexStore& other) : m_buckets(other.m_buckets) {}

TIndexStore& TIndexStore::operator=(const TIndexStore& other) {
  if (this != &other) {
    m_buckets = other.m_buckets;
    for (auto& lookup : m_lookups) lookup.reset();
  }
  return *this;
}

void TIndexStore::Clear() {
  for (auto& bucket : m_buckets) bucket.clear();
  for (auto& lookup : m_lookups) lookup.reset();
}

size_t TIndexStore::EntryCount() const {
  size_t count = 0;
  for (const auto& bucket : m_buckets) count += bucket.size();
  return count;
}

TIndexStore::Lookup& TIndexStore::LookupOf(int bucket) {
  auto& lookup = m_lookups[bucket];
  if (!lookup) {
    lookup = std::make_unique<Lookup>();
    const auto& entries = m_buckets[bucket];
    lookup->byWord.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) lookup->byWord.emplace(IndexWordKey(entries[i].Word), i);
  }
  return *lookup;
}

void TIndexStore::AddOccurrence(const std::wstring& word, const std::wstring& item,
                                bool removeDuplicatePages) {
  int bucket = BuilderBucketOf(word);
  Lookup& lookup = LookupOf(bucket);
  auto [found, isNew] = lookup.byWord.emplace(IndexWordKey(word), m_buckets[bucket].size());
  if (isNew) {
    m_buckets[bucket].push_back(TIndexEntry{word, item});
    return;
  }
  size_t index = found->second;
  TIndexEntry& entry = m_buckets[bucket][index];
  // An item holding "|" reads as several items and is never one of the entry's.
  const bool single = item.find(kItemSeparator) == std::wstring::npos;
  auto items = lookup.itemsOf.find(index);
  if (removeDuplicatePages && single) {
    if (EndsWithItem(entry.Pages, item)) return;
    if (items == lookup.itemsOf.end()) items = lookup.itemsOf.emplace(index, ItemsOf(entry.Pages)).first;
    if (items->second.count(item)) return;
  }
  if (items != lookup.itemsOf.end()) {
    if (single) items->second.insert(item);
    else items->second.merge(ItemsOf(item));
  }
  entry.Pages += kItemSeparator;
  entry.Pages += item;
}

void TIndexStore::Append(int bucket, TIndexEntry entry) {
  if (m_lookups[bucket]) m_lookups[bucket]->byWord.emplace(IndexWordKey(entry.Word), m_buckets[bucket].size());
  m_buckets[bucket].push_back(std::move(entry));
}

void TIndexStore::SetBucket(int bucket, std::vector<TIndexEntry> entries) {
  m_buckets[bucket] = std::move(entries);
  m_lookups[bucket].reset();
}

std::vector<TIndexEntry> TIndexStore::TakeBucket(int bucket) {
  m_lookups[bucket].reset();
  return std::exchange(m_buckets[bucket], {});
}

void AddTextIndexEntry(TIndexStore& store, const std::wstring& word, const std::wstring& label,
                       const std::wstring& link, bool removeDuplicatePages) {
  store.AddOccurrence(word, label + L'>' + link, removeDuplicatePages);
}

TIndexStore SplitJoinedEntries(TIndexStore store) {
  TIndexStore result(std::move(store));
  for (int b = 0; b < kIndexBucketCount; ++b) {
    std::vector<TIndexEntry> entries = result.TakeBucket(b);
    const size_t present = entries.size();
    std::vector<std::pair<int, TIndexEntry>> added;
    for (size_t i = 0; i < present; ++i) {
      TIndexEntry& entry = entries[i];
      if (entry.Word.find(L'&') == std::wstring::npos) continue;
      std::vector<std::wstring> parts = SplitAt(L"&", entry.Word);
      ReplaceChar(entry.Word, L'&', L' ');
      for (const auto& part : parts) {
        if (part.empty()) continue;
        std::wstring word = part + L"; " + entry.Word;
        int target = ShortBucketOf(word);
        added.emplace_back(target, TIndexEntry{std::move(word), entry.Pages});
      }
    }
    result.SetBucket(b, std::move(entries));
    // Appended after the bucket's own entries were handled; they hold no "&",
    // so handling them again in their bucket's turn would change nothing.
    for (auto& [target, entry] : added) result.Append(target, std::move(entry));
  }
  return result;
}

TIndexStore UnjoinEntries(TIndexStore store) {
  TIndexStore result;
  for (int b = 0; b < kIndexBucketCount; ++b) {
    std::vector<TIndexEntry> entries = store.TakeBucket(b);
    for (auto& entry : entries) ReplaceChar(entry.Word, L'&', L' ');
    result.SetBucket(b, std::move(entries));
  }
  return result;
}

TIndexStore SortIndexBuckets(TIndexStore store) {
  TIndexStore result;
  for (int b = 0; b < kIndexBucketCount; ++b) {
    std::vector<TIndexEntry> entries = store.TakeBucket(b);
    std::vector<std::wstring> lines;
    lines.reserve(entries.size());
    for (const auto& entry : entries) lines.push_back(entry.Word + L':' + entry.Pages);
    std::vector<size_t> order = SortedOrderIgnoringCase(lines);
    std::vector<TIndexEntry> sorted;
    sorted.reserve(entries.size());
    for (size_t i : order) sorted.push_back(std::move(entries[i]));
    result.SetBucket(b, std::move(sorted));
  }
  return result;
}

TIndexStore ParseIndexData(const std::vector<std::wstring>& lines, const TIndexDataReadOptions& options) {
  TIndexStore store;
  for (const auto& line : lines) {
    size_t colon = line.find(L':');
    if (colon == std::wstring::npos || colon == 0 || line.find(L'>') == std::wstring::npos) continue;
    TIndexEntry entry{line.substr(0, colon), line.substr(colon + 1)};
    // Entries of an earlier split pass are made anew by this run's pass.
    if (options.joinedWordsAgain && entry.Word.find(L"; ") != std::wstring::npos) continue;
    // Joined again, a stored "Hans Peter" meets this run's "Hans&Peter" and takes its pages.
    if (options.joinedWordsAgain || options.joinWords) ReplaceChar(entry.Word, L' ', L'&');
    int bucket = BuilderBucketOf(entry.Word);
    store.Append(bucket, std::move(entry));
  }
  return store;
}

std::vector<std::wstring> FormatIndexData(const TIndexStore& store) {
  std::vector<std::wstring> lines;
  lines.reserve(store.EntryCount());
  for (int b = 0; b < kIndexBucketCount; ++b)
    for (const auto& entry : store.Bucket(b)) lines.push_back(entry.Word + L':' + entry.Pages);
  return lines;
}

std::wstring IndexDataText(const TIndexStore& store) {
  std::wstring text;
  for (const auto& line : FormatIndexData(store)) text += line + L"\r\n";
  return text;
}

std::wstring WithIndexExtension(const std::wstring& fileName) {
  return fileName.find(L".idx") == std::wstring::npos ? fileName + L".idx" : fileName;
}

std::vector<std::wstring> SplitTextLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c != L'\r' && c != L'\n' && c != L'\u2028') continue;
    lines.push_back(text.substr(start, i - start));
    if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

TIndexFileResult LoadIndexFile(const std::wstring& path, const TIndexDataReadOptions& options) {
  TIndexFileResult result;
  std::wstring text;
  result.FileFound = ReadWholeTextFile(path, text);
  if (result.FileFound) result.Store = ParseIndexData(SplitTextLines(text), options);
  return result;
}
