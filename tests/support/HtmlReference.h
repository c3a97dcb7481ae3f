// Straightforward forms of the tag stripper and of the file index's entry store, written the
// plain way (one whole-text replacement per tag, a scan of the bucket per word), against which
// the program's fast forms are checked and measured.
#pragma once

#include <array>
#include <random>
#include <string>
#include <vector>

namespace reference {

// Every occurrence, left to right, not overlapping.
inline std::wstring ReplaceAll(const std::wstring& text, const std::wstring& from, const std::wstring& to) {
  std::wstring out;
  size_t at = 0;
  for (size_t found = text.find(from); found != std::wstring::npos; found = text.find(from, at)) {
    out.append(text, at, found - at);
    out += to;
    at = found + from.size();
  }
  out.append(text, at, std::wstring::npos);
  return out;
}

// Markup of `count` of the pieces, each chosen at random.
template <size_t N>
std::wstring RandomPieces(std::mt19937& random, const wchar_t* const (&pieces)[N], size_t count) {
  std::uniform_int_distribution<size_t> pick(0, N - 1);
  std::wstring text;
  for (size_t i = 0; i < count; ++i) text += pieces[pick(random)];
  return text;
}

// Tags replaced one distinct tag at a time; a ">" before the first "<" alone becomes " . ".
inline std::wstring StripTags(std::wstring text) {
  for (;;) {
    size_t lt = text.find(L'<'), gt = text.find(L'>');
    if (lt == std::wstring::npos || gt == std::wstring::npos) return text;
    if (gt < lt) {
      text.replace(gt, 1, L" . ");
      continue;
    }
    size_t end = text.find(L'>', lt);
    text = ReplaceAll(text, text.substr(lt, end + 1 - lt), L" . ");
  }
}

inline wchar_t Upper(wchar_t c) {
  if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<wchar_t>(c - 32);
  return c;
}

inline std::wstring UpperCase(std::wstring text) {
  for (auto& c : text) c = Upper(c);
  return text;
}

inline int BucketOf(const std::wstring& word) {
  wchar_t c = Upper(word[0]);
  if (c == 0xC4) c = L'A';
  if (c == 0xD6) c = L'O';
  if (c == 0xDC) c = L'U';
  return c >= L'A' && c <= L'Z' ? c - L'A' : 26;
}

struct Entry {
  std::wstring word, pages;
};

// The file index's store as a plain list per bucket: the bucket scanned for the word, the
// entry's pages searched for the item.
class FileIndexStore {
 public:
  void Add(const std::wstring& word, const std::wstring& item, bool noDoubles) {
    auto& bucket = m_buckets[BucketOf(word)];
    const std::wstring key = UpperCase(word);
    for (auto& entry : bucket) {
      if (UpperCase(entry.word) != key) continue;
      // The plain way: the pages are searched for the item as a substring, and the item is
      // added when it is not found, or when it is found and doubles are wanted.
      if (entry.pages.find(item) == std::wstring::npos || !noDoubles) entry.pages += L"|" + item;
      return;
    }
    bucket.push_back(Entry{word, item});
  }
  const std::vector<Entry>& Bucket(int b) const { return m_buckets[b]; }

 private:
  std::array<std::vector<Entry>, 27> m_buckets;
};

}  // namespace reference
