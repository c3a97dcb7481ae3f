// Index entries, the 27-bucket index store, the passes over joined words,
// sorting, and the index data (.idx) line format.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// One keyword with its page items ("label>link" joined by "|").
struct TIndexEntry {
  std::wstring Word;
  std::wstring Pages;
};

constexpr int kIndexBucketCount = 27;    // "A" to "Z", then "[" for everything else
constexpr int kOtherBucket = 26;

// Bucket of a word entered by an index builder: "a".."z" as upper case,
// "Ä", "Ö", "Ü" (either case) as "A", "O", "U", everything else "[".
int BuilderBucketOf(std::wstring_view word);
// Bucket of an entry made by the split pass: "a".."z" upper-cased, "A".."Z", else "[".
int ShortBucketOf(const std::wstring& word);
// "A".."Z" or "[".
wchar_t BucketLetter(int bucket);

// 27 lists of index entries in the order they were added. Adding an occurrence
// finds the entry by its upper-cased word through a per-bucket hash index (the
// first entry added with that word wins, as a scan from the bucket's start would
// find it) and tests page items for duplicates by whole items (PagesHoldItem). The items of whole
// documents (AddDocumentOccurrence) wait as document numbers and are written into
// their entries, each entry's page text in one piece, when the entries are next
// looked at.
class TIndexStore {
 public:
  TIndexStore();
  ~TIndexStore();
  TIndexStore(const TIndexStore& other);
  TIndexStore& operator=(const TIndexStore& other);
  TIndexStore(TIndexStore&&) noexcept;
  TIndexStore& operator=(TIndexStore&&) noexcept;

  void Clear();
  const std::vector<TIndexEntry>& Bucket(int bucket) const {
    WriteWaitingItems();
    return m_buckets[bucket];
  }
  size_t EntryCount() const;
  bool Empty() const { return EntryCount() == 0; }

  // Enters one occurrence of word (never empty) with the page item into the
  // builder's bucket of the word. With removeDuplicatePages an item the entry
  // already holds is not added again.
  void AddOccurrence(std::wstring_view word, const std::wstring& item, bool removeDuplicatePages);
  // A number for the next document, whose words with its item go in through
  // AddDocumentOccurrence.
  uint32_t NewDocument(const std::wstring& item);
  // Enters one occurrence of word with the item of a document whose item no entry held before
  // that document: its entry takes the item once, at its first word of the document.
  void AddDocumentOccurrence(std::wstring_view word, uint32_t document);
  // Appends an entry at the end of a bucket without looking for its word.
  void Append(int bucket, TIndexEntry entry);
  // Replaces the entries of one bucket.
  void SetBucket(int bucket, std::vector<TIndexEntry> entries);
  // Hands the entries of one bucket over, leaving it empty.
  std::vector<TIndexEntry> TakeBucket(int bucket);

 private:
  struct Lookup;
  Lookup& LookupOf(int bucket);
  // The entry of the word in the bucket, made with the item when there is none (added true).
  size_t FindOrAdd(int bucket, std::wstring_view word, const std::wstring& item, bool& added);
  void AppendItem(Lookup& lookup, size_t index, TIndexEntry& entry, const std::wstring& item);
  // Writes the waiting items into their entries' page texts.
  void WriteWaitingItems() const;
  void DropWaitingItems();

  // Waiting items are written when the entries are read, also through const access.
  mutable std::array<std::vector<TIndexEntry>, kIndexBucketCount> m_buckets;
  mutable std::array<std::unique_ptr<Lookup>, kIndexBucketCount> m_lookups;  // built on first need
  std::vector<std::wstring> m_documentItems;  // the item of document n at n - 1
  // The waiting items in the order they came: document number and entry (its number in its
  // bucket times the bucket count, plus the bucket).
  struct TWaitingItem {
    uint32_t document;
    uint32_t entry;
  };
  mutable std::vector<TWaitingItem> m_waiting;
};

// Adds the pieces of pages between two "|" to items: the items the pages hold, unless an item
// holds "|" itself.
void InsertItemPieces(const std::wstring& pages, std::unordered_set<std::wstring>& items);

// Whether the pages hold the item whole: it stands between the start or a "|" and the end or a
// "|". Labels may hold "|" themselves ("A | B"), so an item is not always one piece of the pages
// split at "|".
bool PagesHoldItem(std::wstring_view pages, std::wstring_view item);

// Adds one occurrence to a text index store: item "label>link".
void AddTextIndexEntry(TIndexStore& store, const std::wstring& word, const std::wstring& label,
                       const std::wstring& link, bool removeDuplicatePages);

// The passes and the sort take the store by value: callers that hand over their
// store (std::move) spare a copy.
// Also lists joined words part by part: "Hans&Peter" becomes "Hans Peter" and
// gains "Hans; Hans Peter" and "Peter; Hans Peter" with the same pages. Both
// passes touch only the words: page labels and links keep their "&".
TIndexStore SplitJoinedEntries(TIndexStore store);
// Turns every "&" of the words back into a blank.
TIndexStore UnjoinEntries(TIndexStore store);
// Sorts every bucket by its whole lines "word:pages", ignoring case, in the
// user locale's collation.
TIndexStore SortIndexBuckets(TIndexStore store);

// Options of reading index data. joinedWordsAgain is the running wizard's box
// for entering joined words also word by word: stored entries of an earlier
// split ("Hans; Hans Peter") are dropped, as this run's split makes them anew.
// With it or with joinWords (this run joins capitalised words) the blanks of a
// stored word become "&" again, so that it merges with this run's joined words.
// Pages are read as they stand.
struct TIndexDataReadOptions {
  bool joinedWordsAgain = false;
  bool joinWords = false;
};

// Reads index data lines ("word:label>link|...") into a fresh store. Entries
// are placed by the builders' bucket rule, so that later occurrences of the same
// word merge with them; lines without ":" or ">" or with an empty word are skipped.
TIndexStore ParseIndexData(const std::vector<std::wstring>& lines, const TIndexDataReadOptions& options);
// The store as index data lines, buckets "A".."Z" then "[", entries in stored order.
std::vector<std::wstring> FormatIndexData(const TIndexStore& store);

// The text of an index data file: the lines of FormatIndexData, each ended by CR LF.
std::wstring IndexDataText(const TIndexStore& store);
// The name an index data file is saved under: ".idx" appended unless the name
// holds ".idx" anywhere.
std::wstring WithIndexExtension(const std::wstring& fileName);

// The result of reading an index data file.
struct TIndexFileResult {
  TIndexStore Store;
  bool FileFound = false;
};
// Reads an index data file through the engine's text-file reader. A missing
// file gives an empty store with FileFound false.
TIndexFileResult LoadIndexFile(const std::wstring& path, const TIndexDataReadOptions& options);

// Calls visit(line, lineBreak) for each line of the text, with the break behind it as it stands
// (CR LF, lone CR, lone LF or U+2028; empty for a last line without one). A final line break
// starts no further line.
template <class Visit>
void ForEachTextLine(std::wstring_view text, Visit&& visit) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c != L'\r' && c != L'\n' && c != L'\u2028') continue;
    const size_t breakLength = c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n' ? 2 : 1;
    visit(text.substr(start, i - start), text.substr(i, breakLength));
    i += breakLength - 1;
    start = i + 1;
  }
  if (start < text.size()) visit(text.substr(start), std::wstring_view());
}

// Splits a text into lines at CR LF, lone CR, lone LF or U+2028, as a memo shows them;
// a final line break starts no further line.
std::vector<std::wstring> SplitTextLines(const std::wstring& text);
