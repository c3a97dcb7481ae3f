// The index store's rules read plainly, against which the store is checked: every occurrence
// scans its bucket for the upper-cased word, and an item is looked for whole in the entry's pages.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/u_IndexStore.h"
#include "ucode/UCodeSysUtils.h"

namespace enginetest {

class PlainIndexStore {
 public:
  // Starts from the entries the store holds (a loaded index).
  explicit PlainIndexStore(const TIndexStore& start) {
    for (int b = 0; b < kIndexBucketCount; ++b) m_buckets[b] = start.Bucket(b);
  }

  void Add(const std::wstring& word, const std::wstring& item, bool noDuplicates) {
    auto& bucket = m_buckets[BuilderBucketOf(word)];
    for (auto& entry : bucket) {
      if (WideUpperCase(entry.Word) != WideUpperCase(word)) continue;
      if (!noDuplicates || !HasItem(entry.Pages, item)) entry.Pages += L"|" + item;
      return;
    }
    bucket.push_back({word, item});
  }

  const std::vector<TIndexEntry>& Bucket(int b) const { return m_buckets[b]; }

 private:
  // The item stands in the pages between the start or a "|" and the end or a "|" (an item may
  // hold "|" itself).
  static bool HasItem(const std::wstring& pages, const std::wstring& item) {
    const std::wstring bounded = L"|" + pages + L"|";
    return bounded.find(L"|" + item + L"|") != std::wstring::npos;
  }

  std::vector<TIndexEntry> m_buckets[kIndexBucketCount];
};

// Every bucket of the store holds the plain store's entries, in the same order.
inline void ExpectSameEntries(const TIndexStore& store, const PlainIndexStore& plain) {
  for (int b = 0; b < kIndexBucketCount; ++b) {
    ASSERT_EQ(store.Bucket(b).size(), plain.Bucket(b).size()) << b;
    for (size_t e = 0; e < plain.Bucket(b).size(); ++e) {
      EXPECT_EQ(store.Bucket(b)[e].Word, plain.Bucket(b)[e].Word);
      EXPECT_EQ(store.Bucket(b)[e].Pages, plain.Bucket(b)[e].Pages) << store.Bucket(b)[e].Word;
    }
  }
}

}  // namespace enginetest
