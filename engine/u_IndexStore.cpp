#include "engine/u_IndexStore.h"

#include <algorithm>
#include <cstdint>
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

// Words are the same entry when their wide upper-case forms are equal. The platform upper-cases
// unit by unit, so its answer for every unit, asked once, serves every word.
const wchar_t* UpperUnits() {
  static const std::wstring table = [] {
    std::wstring units(0x10000, L'\0');
    for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<wchar_t>(i);
    return WideUpperCase(units);
  }();
  return table.data();
}

uint32_t UpperCaseHash(std::wstring_view word) {
  const wchar_t* upper = UpperUnits();
  uint32_t hash = 2166136261u;
  for (wchar_t c : word) hash = (hash ^ static_cast<uint16_t>(upper[static_cast<uint16_t>(c)])) * 16777619u;
  return hash ^ (hash >> 15);
}

bool SameUpperCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  const wchar_t* upper = UpperUnits();
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && upper[static_cast<uint16_t>(a[i])] != upper[static_cast<uint16_t>(b[i])]) return false;
  return true;
}

std::vector<std::wstring> SplitAt(const std::wstring& separator, const std::wstring& text) {
  TWideStrArray pieces;
  ExplodeW(separator, text, pieces);
  return std::vector<std::wstring>(pieces.begin(), pieces.end());
}

// Case-insensitive order in the user locale's collation: the wide string list's own comparison
// decides. The locale's sort keys of the lines' beginnings are only a first guess (on some systems
// keys disagree with the comparison for a few characters, and the beginning of a line does not
// decide every pair): the lines are ordered by those keys, then a natural merge sort by the
// comparison itself puts them in its order. When the guess is right, that is one pass of n - 1
// comparisons; when it is not, it costs no more than any other sort by the comparison.
std::string CollationKey(const wchar_t* text, size_t length) {
  constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int units = static_cast<int>(length);
  int size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, text, units, nullptr, 0);
  std::string key(size > 0 ? size : 0, '\0');
  if (size > 0) LCMapStringW(LOCALE_USER_DEFAULT, kFlags, text, units, reinterpret_cast<LPWSTR>(key.data()), size);
  return key;
}

// Units of a line its first-guess key is made of: the word and the first document or two.
constexpr size_t kGuessLength = 64;

std::vector<size_t> SortedOrderIgnoringCase(const std::vector<std::wstring>& lines) {
  std::vector<size_t> order(lines.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  if (order.size() < 2) return order;
  {
    std::vector<std::string> keys;
    keys.reserve(lines.size());
    for (const auto& line : lines) keys.push_back(CollationKey(line.data(), std::min(line.size(), kGuessLength)));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
  }
  const TUCodeStringList comparer;
  auto compare = [&](size_t a, size_t b) { return comparer.CompareStrings(lines[a], lines[b]); };
  auto before = [&](size_t a, size_t b) { return compare(a, b) < 0; };
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
  // Lines the comparison finds equal stand in the order of the keys of the whole lines, then in
  // the order they were added, whatever the first guess made of them.
  for (size_t first = 0; first < order.size();) {
    size_t last = first + 1;
    while (last < order.size() && compare(order[last - 1], order[last]) == 0) ++last;
    if (last - first > 1) {
      std::vector<std::pair<std::string, size_t>> equal;
      for (size_t i = first; i < last; ++i)
        equal.emplace_back(CollationKey(lines[order[i]].data(), lines[order[i]].size()), order[i]);
      std::sort(equal.begin(), equal.end());
      for (size_t i = first; i < last; ++i) order[i] = equal[i - first].second;
    }
    first = last;
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
  InsertItemPieces(pages, items);
  return items;
}

void ReplaceChar(std::wstring& text, wchar_t from, wchar_t to) {
  std::replace(text.begin(), text.end(), from, to);
}

}  // namespace

int BuilderBucketOf(std::wstring_view word) {
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

// Finds entries by their upper-cased word through an open-addressed table of entry numbers
// (the words are not copied: a candidate is compared with the entry's own word unit by unit),
// and keeps the page items of entries that were tested for duplicates. Rebuilt from the bucket
// whenever it is missing.
struct TIndexStore::Lookup {
  struct TEntryMark {
    uint32_t hash;
    uint32_t document;  // the last document that entered its item through AddDocumentOccurrence
    uint32_t waitingUnits = 0;  // of the entry's waiting items with their separators
  };
  std::vector<uint32_t> slots;  // entry number + 1; 0 is free
  std::vector<TEntryMark> marks;  // one per entry of the bucket
  std::unordered_map<size_t, std::unordered_set<std::wstring>> itemsOf;
  // Items holding "|" that an entry is known to hold whole: each is searched for in the entry's
  // pages once, until the entry takes it.
  std::unordered_map<size_t, std::unordered_set<std::wstring>> wholeItemsOf;

  static constexpr size_t kNone = static_cast<size_t>(-1);

  // Keeps the sets of the entry `index` up to date with an item it took.
  void Took(size_t index, const std::wstring& item) {
    const bool single = item.find(kItemSeparator) == std::wstring::npos;
    if (!itemsOf.empty()) {
      auto items = itemsOf.find(index);
      if (items != itemsOf.end()) {
        if (single) items->second.insert(item);
        else InsertItemPieces(item, items->second);
      }
    }
    if (!single && !wholeItemsOf.empty()) {
      auto whole = wholeItemsOf.find(index);
      if (whole != wholeItemsOf.end()) whole->second.insert(item);
    }
  }

  // Whether the entry holds an item that holds "|".
  bool HoldsWhole(size_t index, const std::wstring& pages, const std::wstring& item) {
    auto& known = wholeItemsOf[index];
    if (known.count(item)) return true;
    if (!PagesHoldItem(pages, item)) return false;
    known.insert(item);
    return true;
  }

  size_t Find(const std::vector<TIndexEntry>& entries, std::wstring_view word, uint32_t hash) const {
    if (slots.empty()) return kNone;
    const size_t mask = slots.size() - 1;
    for (size_t s = hash & mask;; s = (s + 1) & mask) {
      const uint32_t slot = slots[s];
      if (slot == 0) return kNone;
      const size_t index = slot - 1;
      if (marks[index].hash == hash && SameUpperCase(entries[index].Word, word)) return index;
    }
  }

  // Enters the entry `index` (the last one of the bucket) under its word, unless an earlier
  // entry has the word already: the first one added keeps it.
  void Add(const std::vector<TIndexEntry>& entries, size_t index) {
    const uint32_t hash = UpperCaseHash(entries[index].Word);
    marks.push_back(TEntryMark{hash, 0});
    if (Find(entries, entries[index].Word, hash) != kNone) return;
    if ((++used) * 2 > slots.size()) Grow();
    Place(hash, index);
  }

 private:
  size_t used = 0;

  void Place(uint32_t hash, size_t index) {
    const size_t mask = slots.size() - 1;
    size_t s = hash & mask;
    while (slots[s] != 0) s = (s + 1) & mask;
    slots[s] = static_cast<uint32_t>(index + 1);
  }

  void Grow() {
    std::vector<uint32_t> old = std::move(slots);
    slots.assign(std::max<size_t>(16, old.size() * 2), 0);
    for (uint32_t slot : old)
      if (slot != 0) Place(marks[slot - 1].hash, slot - 1);
  }
};

TIndexStore::TIndexStore() = default;
TIndexStore::~TIndexStore() = default;
TIndexStore::TIndexStore(TIndexStore&&) noexcept = default;
TIndexStore& TIndexStore::operator=(TIndexStore&&) noexcept = default;

TIndexStore::TIndexStore(const TIndexStore& other) {
  other.WriteWaitingItems();
  m_buckets = other.m_buckets;
  m_documentItems = other.m_documentItems;
}

TIndexStore& TIndexStore::operator=(const TIndexStore& other) {
  if (this != &other) {
    other.WriteWaitingItems();
    DropWaitingItems();
    m_buckets = other.m_buckets;
    m_documentItems = other.m_documentItems;
    for (auto& lookup : m_lookups) lookup.reset();
  }
  return *this;
}

void TIndexStore::Clear() {
  DropWaitingItems();
  for (auto& bucket : m_buckets) bucket.clear();
  for (auto& lookup : m_lookups) lookup.reset();
  m_documentItems.clear();
}

void TIndexStore::DropWaitingItems() {
  m_waiting.clear();
  for (auto& lookup : m_lookups)
    if (lookup)
      for (auto& mark : lookup->marks) mark.waitingUnits = 0;
}

// In the order the items came, every entry first takes the room for all of its waiting items,
// then each item goes to the end of its entry's page text: the passes run along the items, and
// each page text is allocated once.
void TIndexStore::WriteWaitingItems() const {
  if (m_waiting.empty()) return;
  for (const TWaitingItem& waiting : m_waiting) {
    const int bucket = static_cast<int>(waiting.entry % kIndexBucketCount);
    const size_t index = waiting.entry / kIndexBucketCount;
    Lookup::TEntryMark& mark = m_lookups[bucket]->marks[index];
    if (mark.waitingUnits == 0) continue;
    std::wstring& pages = m_buckets[bucket][index].Pages;
    const size_t needed = pages.size() + mark.waitingUnits;
    // Exactly the room needed when the items of a run are written at its end; twice the room when
    // an entry is written again and again, so that it grows in linear time.
    if (needed > pages.capacity()) pages.reserve(std::max(needed, 2 * pages.capacity()));
    mark.waitingUnits = 0;
  }
  for (const TWaitingItem& waiting : m_waiting) {
    const int bucket = static_cast<int>(waiting.entry % kIndexBucketCount);
    const size_t index = waiting.entry / kIndexBucketCount;
    const std::wstring& item = m_documentItems[waiting.document - 1];
    std::wstring& pages = m_buckets[bucket][index].Pages;
    pages += kItemSeparator;
    pages += item;
    m_lookups[bucket]->Took(index, item);
  }
  m_waiting.clear();
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
    lookup->marks.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) lookup->Add(entries, i);
  }
  return *lookup;
}

size_t TIndexStore::FindOrAdd(int bucket, std::wstring_view word, const std::wstring& item, bool& added) {
  Lookup& lookup = LookupOf(bucket);
  auto& entries = m_buckets[bucket];
  const uint32_t hash = UpperCaseHash(word);
  size_t index = lookup.Find(entries, word, hash);
  added = index == Lookup::kNone;
  if (added) {
    index = entries.size();
    entries.push_back(TIndexEntry{std::wstring(word), item});
    lookup.Add(entries, index);
  }
  return index;
}

void TIndexStore::AddOccurrence(std::wstring_view word, const std::wstring& item,
                                bool removeDuplicatePages) {
  const int bucket = BuilderBucketOf(word);
  bool added = false;
  const size_t index = FindOrAdd(bucket, word, item, added);
  if (added) return;
  if (m_lookups[bucket]->marks[index].waitingUnits != 0) WriteWaitingItems();
  Lookup& lookup = *m_lookups[bucket];
  TIndexEntry& entry = m_buckets[bucket][index];
  if (removeDuplicatePages) {
    if (EndsWithItem(entry.Pages, item)) return;
    if (item.find(kItemSeparator) == std::wstring::npos) {
      auto items = lookup.itemsOf.find(index);
      if (items == lookup.itemsOf.end()) items = lookup.itemsOf.emplace(index, ItemsOf(entry.Pages)).first;
      if (items->second.count(item)) return;
    } else if (lookup.HoldsWhole(index, entry.Pages, item)) {
      return;
    }
  }
  AppendItem(lookup, index, entry, item);
}

void TIndexStore::AppendItem(Lookup& lookup, size_t index, TIndexEntry& entry, const std::wstring& item) {
  lookup.Took(index, item);
  // Room in powers of two: the blocks a growing entry gives back are the very sizes the next
  // ones ask for, so the heap uses its free blocks again instead of keeping them in every size.
  const size_t needed = entry.Pages.size() + 1 + item.size();
  if (needed > entry.Pages.capacity()) {
    size_t room = 32;
    while (room - 1 < needed) room *= 2;
    entry.Pages.reserve(room - 1);
  }
  entry.Pages += kItemSeparator;
  entry.Pages += item;
}

uint32_t TIndexStore::NewDocument(const std::wstring& item) {
  m_documentItems.push_back(item);
  return static_cast<uint32_t>(m_documentItems.size());
}

void TIndexStore::AddDocumentOccurrence(std::wstring_view word, uint32_t document) {
  const int bucket = BuilderBucketOf(word);
  bool added = false;
  const size_t index = FindOrAdd(bucket, word, m_documentItems[document - 1], added);
  Lookup::TEntryMark& mark = m_lookups[bucket]->marks[index];
  if (!added && mark.document != document) {
    // The item waits as its document's number: the entry's page text is written once, later.
    m_waiting.push_back(TWaitingItem{document, static_cast<uint32_t>(index * kIndexBucketCount + bucket)});
    mark.waitingUnits += static_cast<uint32_t>(1 + m_documentItems[document - 1].size());
  }
  mark.document = document;
}

void TIndexStore::Append(int bucket, TIndexEntry entry) {
  m_buckets[bucket].push_back(std::move(entry));
  if (m_lookups[bucket]) m_lookups[bucket]->Add(m_buckets[bucket], m_buckets[bucket].size() - 1);
}

void TIndexStore::SetBucket(int bucket, std::vector<TIndexEntry> entries) {
  WriteWaitingItems();
  m_buckets[bucket] = std::move(entries);
  m_lookups[bucket].reset();
}

std::vector<TIndexEntry> TIndexStore::TakeBucket(int bucket) {
  WriteWaitingItems();
  m_lookups[bucket].reset();
  return std::exchange(m_buckets[bucket], {});
}

void InsertItemPieces(const std::wstring& pages, std::unordered_set<std::wstring>& items) {
  size_t start = 0;
  for (;;) {
    const size_t bar = pages.find(kItemSeparator, start);
    items.insert(pages.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start));
    if (bar == std::wstring::npos) return;
    start = bar + 1;
  }
}

bool PagesHoldItem(std::wstring_view pages, std::wstring_view item) {
  for (size_t at = pages.find(item); at != std::wstring_view::npos; at = pages.find(item, at + 1)) {
    const size_t end = at + item.size();
    if ((at == 0 || pages[at - 1] == kItemSeparator) && (end == pages.size() || pages[end] == kItemSeparator))
      return true;
  }
  return false;
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
  // Written once into its final room: a large index is not held a second time as lines.
  size_t units = 0;
  for (int b = 0; b < kIndexBucketCount; ++b)
    for (const auto& entry : store.Bucket(b)) units += entry.Word.size() + entry.Pages.size() + 3;
  std::wstring text;
  text.reserve(units);
  for (int b = 0; b < kIndexBucketCount; ++b)
    for (const auto& entry : store.Bucket(b)) {
      text += entry.Word;
      text += L':';
      text += entry.Pages;
      text += L"\r\n";
    }
  return text;
}

std::wstring WithIndexExtension(const std::wstring& fileName) {
  return fileName.find(L".idx") == std::wstring::npos ? fileName + L".idx" : fileName;
}

std::vector<std::wstring> SplitTextLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  ForEachTextLine(text, [&lines](std::wstring_view line, std::wstring_view) { lines.emplace_back(line); });
  return lines;
}

TIndexFileResult LoadIndexFile(const std::wstring& path, const TIndexDataReadOptions& options) {
  TIndexFileResult result;
  std::wstring text;
  result.FileFound = ReadWholeTextFile(path, text);
  if (result.FileFound) result.Store = ParseIndexData(SplitTextLines(text), options);
  return result;
}
