#include "engine/u_TagStripper.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <vector>

namespace {

const wchar_t kTagReplacement[] = L" . ";

// Fingerprints of texts: a text is read as a polynomial at a point chosen at random for each run,
// modulo the prime 2^61 - 1. Equal texts have equal fingerprints; two different texts of length n
// share one with a chance of at most n / 2^61, and a tag found by its fingerprint is compared in
// full before it counts, so a shared fingerprint costs time, never a wrong result.
class TFingerprints {
 public:
  explicit TFingerprints(uint64_t point) : m_point(point % kPrime) { m_powers.push_back(1); }

  static uint64_t RandomPoint() {
    const auto seed = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return 1000003 + (seed * 0x9E3779B97F4A7C15ull >> 8) % (kPrime - 2000006);
  }

  uint64_t Extend(uint64_t print, wchar_t c) const { return Add(Multiply(print, m_point), c); }

  // The fingerprint of text[from, to) of a text whose prefixes have the fingerprints given.
  uint64_t Range(const std::vector<uint64_t>& prefixes, size_t from, size_t to) {
    return Subtract(prefixes[to], Multiply(prefixes[from], Power(to - from)));
  }

 private:
  static constexpr uint64_t kPrime = (uint64_t{1} << 61) - 1;
  static constexpr uint64_t kLow29 = (uint64_t{1} << 29) - 1;

  static uint64_t Add(uint64_t a, uint64_t b) {
    a += b;
    return a >= kPrime ? a - kPrime : a;
  }
  static uint64_t Subtract(uint64_t a, uint64_t b) { return a >= b ? a - b : a + kPrime - b; }
  // a * b modulo 2^61 - 1 in 32-bit halves (no 128-bit product on this target): with
  // 2^61 = 1, 2^64 = 8 and mid * 2^32 = (mid >> 29) + (mid & (2^29 - 1)) * 2^32.
  static uint64_t Multiply(uint64_t a, uint64_t b) {
    const uint64_t aHigh = a >> 32, aLow = a & 0xFFFFFFFFu, bHigh = b >> 32, bLow = b & 0xFFFFFFFFu;
    const uint64_t low = aLow * bLow, mid = aHigh * bLow + aLow * bHigh, high = aHigh * bHigh;
    uint64_t r = (low & kPrime) + (low >> 61) + (high << 3) + (mid >> 29) + ((mid & kLow29) << 32);
    r = (r & kPrime) + (r >> 61);
    return r >= kPrime ? r - kPrime : r;
  }
  uint64_t Power(size_t n) {
    while (m_powers.size() <= n) m_powers.push_back(Multiply(m_powers.back(), m_point));
    return m_powers[n];
  }

  uint64_t m_point;
  std::vector<uint64_t> m_powers;
};

constexpr size_t kNone = SIZE_MAX;

// A text known by its fingerprint and its length.
struct TKey {
  uint64_t print;
  size_t length;
  bool operator==(const TKey&) const = default;
};

// Keys to numbers in one open table (linear probing): the walk looks up and adds keys by the
// hundred thousand, which nodes of their own would make a matter of the heap.
class TKeyTable {
 public:
  TKeyTable() : m_slots(64) {}

  size_t Find(const TKey& key) const {
    const TSlot& slot = m_slots[SlotOf(key)];
    return slot.key.length == 0 ? kNone : slot.value;
  }

  // The number of the key, which gets `value` when it is new.
  size_t FindOrAdd(const TKey& key, size_t value) {
    TSlot* slot = &m_slots[SlotOf(key)];
    if (slot->key.length != 0) return slot->value;
    if (2 * (m_count + 1) > m_slots.size()) {
      Grow();
      slot = &m_slots[SlotOf(key)];
    }
    *slot = TSlot{key, value};
    ++m_count;
    return value;
  }

  void Set(const TKey& key, size_t value) {
    FindOrAdd(key, value);
    m_slots[SlotOf(key)].value = value;
  }

 private:
  struct TSlot {
    TKey key{0, 0};  // length 0: free (every key is at least "<>")
    size_t value = kNone;
  };

  size_t SlotOf(const TKey& key) const {
    const size_t mask = m_slots.size() - 1;
    size_t i = static_cast<size_t>(key.print ^ (key.print >> 29) ^ (key.length * 0x9E3779B9u)) & mask;
    while (m_slots[i].key.length != 0 && !(m_slots[i].key == key)) i = (i + 1) & mask;
    return i;
  }

  void Grow() {
    std::vector<TSlot> old(m_slots.size() * 2);
    old.swap(m_slots);
    for (const TSlot& slot : old)
      if (slot.key.length != 0) m_slots[SlotOf(slot.key)] = slot;
  }

  std::vector<TSlot> m_slots;
  size_t m_count = 0;
};

// The passes over the text are replayed in one walk over its runs up to each ">". A ">" goes
// either with the tag taken when it was the text's first ">" (the tag from the first "<" then),
// or earlier with a tag taken before whose text then ended at it; or it is a stray, before every
// "<". The moments at which tags were taken order the passes: a ">" goes with the earliest tag
// whose text ended there at that tag's moment. The output holds what the left part of the text
// becomes; what stood before a ">" at a later moment is the output from a "<" on, and it stood
// there from the latest moment at which a " . " inside it was made.
//
// Every tag ends with ">" and holds no other, and every candidate start is a "<" of the output.
// The candidates of a ">" are tried from the nearest "<" back; a candidate is worth trying only
// while the text from it to the ">" ends some tag (is a suffix, from one of its "<", of some tag)
// that was taken after the candidate's text was there and before the best moment found so far.
// Such suffixes are kept with their moments, so that the walk back stops at once where no tag can
// reach: each ">" costs the few "<" some tag really spans, whatever the length of the tags.
class TTagReplacer {
 public:
  TTagReplacer(const std::wstring& text, uint64_t point) : m_text(text), m_fingerprints(point) {
    m_out.reserve(text.size() + text.size() / 4);
  }

  std::wstring Run() {
    size_t p = 0;
    for (size_t r = m_text.find(L'>'); r != std::wstring::npos; r = m_text.find(L'>', p)) {
      Handle(p, r);
      p = r + 1;
    }
    const bool lessThanLeft = !m_lessThans.empty() || m_text.find(L'<', p) != std::wstring::npos;
    m_out.append(m_text, p, std::wstring::npos);
    if (lessThanLeft) ResolveStrays(kNever);
    return Finish();
  }

 private:
  static constexpr int kNever = INT_MAX;

  // Moments, rising; one of them needs no list of its own.
  struct TTimes {
    int first = kNever;
    std::vector<int> later;
    void Add(int time) {
      if (first == kNever) first = time;
      else later.push_back(time);
    }
    int FirstAfter(int since) const {
      if (first > since) return first;
      auto time = std::upper_bound(later.begin(), later.end(), since);
      return time == later.end() ? kNever : *time;
    }
  };
  struct TLessThan {
    size_t pos;          // in the output
    int laterTaken = 0;  // latest moment of a " . " between it and the next "<" of the output
  };
  struct TStray {
    size_t pos;  // of its ">" in the output
    int time;    // tags taken before it
  };
  struct TTagText {
    size_t offset;  // in m_tagChars
    size_t length;
    TTimes times;       // moments it was taken
    size_t next = kNone;  // another tag text of the same key
  };
  struct TFound {
    int time = kNever;
    size_t start = 0;
    size_t tag = kNone;
  };

  // The run m_text[p, r) and its ">" at r.
  void Handle(size_t p, size_t r) {
    for (size_t i = p; i <= r; ++i) Push(m_text[i]);
    TFound found = EarliestTag(false);
    if (found.time != kNever && !Equals(found.tag, found.start)) found = EarliestTag(true);
    if (found.time == kNever) {
      if (m_lessThans.empty()) {
        m_strays.push_back(TStray{m_out.size() - 1, m_time});
        return;
      }
      found.time = ++m_time;
      found.start = m_lessThans.front().pos;
      AddTag(found.start, found.time);
    }
    Truncate(found.start);
    ResolveStrays(found.time);
    if (!m_lessThans.empty()) m_lessThans.back().laterTaken = std::max(m_lessThans.back().laterTaken, found.time);
    for (const wchar_t* c = kTagReplacement; *c; ++c) Push(*c);
  }

  // The earliest tag that ends the output and whose text stood there at its moment; kNever when
  // none does. With `exact`, a tag counts only after a comparison of its text in full.
  TFound EarliestTag(bool exact) {
    TFound best;
    int since = 0;  // the candidate's text stood there only after this moment
    for (size_t i = m_lessThans.size(); i-- > 0;) {
      since = std::max(since, m_lessThans[i].laterTaken);
      if (since >= best.time - 1) break;
      const size_t start = m_lessThans[i].pos;
      const TKey key = KeyFrom(start);
      const size_t suffix = m_suffixes.Find(key);
      if (suffix == kNone || m_suffixTimes[suffix].FirstAfter(since) >= best.time) break;
      const size_t tag = FindTag(key, start, exact);
      if (tag == kNone) continue;
      const int time = m_tagTexts[tag].times.FirstAfter(since);
      if (time < best.time) best = TFound{time, start, tag};
    }
    return best;
  }

  // The output from `start` to its end, by its fingerprint and length.
  TKey KeyFrom(size_t start) {
    const size_t end = m_out.size();
    return TKey{m_fingerprints.Range(m_prints, start - m_printsFrom, end - m_printsFrom), end - start};
  }

  // The tag whose text is the output from `start` on, found by its key; unless `exact`, a key that
  // belongs to one tag text only is taken as that text.
  size_t FindTag(const TKey& key, size_t start, bool exact) const {
    const size_t first = m_tags.Find(key);
    if (first == kNone) return kNone;
    if (!exact && m_tagTexts[first].next == kNone) return first;
    for (size_t tag = first; tag != kNone; tag = m_tagTexts[tag].next)
      if (Equals(tag, start)) return tag;
    return kNone;
  }

  bool Equals(size_t tag, size_t start) const {
    const TTagText& text = m_tagTexts[tag];
    return m_out.size() - start == text.length &&
           m_out.compare(start, text.length, m_tagChars, text.offset, text.length) == 0;
  }

  // The output from `start` (its first "<") on is a new tag, taken at `time`; each of its "<"
  // begins one of its ends.
  void AddTag(size_t start, int time) {
    const size_t end = m_out.size();
    const TKey key = KeyFrom(start);
    const size_t first = m_tags.Find(key);
    size_t tag = first;
    while (tag != kNone && !Equals(tag, start)) tag = m_tagTexts[tag].next;
    if (tag == kNone) {
      tag = m_tagTexts.size();
      m_tagTexts.push_back(TTagText{m_tagChars.size(), end - start, {}, first});
      m_tagChars.append(m_out, start, end - start);
      m_tags.Set(key, tag);
    }
    m_tagTexts[tag].times.Add(time);
    for (const auto& lessThan : m_lessThans) {
      const size_t suffix = m_suffixes.FindOrAdd(KeyFrom(lessThan.pos), m_suffixTimes.size());
      if (suffix == m_suffixTimes.size()) m_suffixTimes.emplace_back();
      m_suffixTimes[suffix].Add(time);
    }
  }

  // Fingerprints are kept from the output's first "<" on only, where every candidate begins, so
  // that the text between tags costs nothing beyond its copy.
  void Push(wchar_t c) {
    if (c == L'<') {
      if (m_lessThans.empty()) {
        m_printsFrom = m_out.size();
        m_prints.assign(1, 0);
      }
      m_lessThans.push_back(TLessThan{m_out.size()});
    }
    m_out += c;
    if (!m_lessThans.empty()) m_prints.push_back(m_fingerprints.Extend(m_prints.back(), c));
  }

  void Truncate(size_t at) {
    while (!m_lessThans.empty() && m_lessThans.back().pos >= at) m_lessThans.pop_back();
    m_out.resize(at);
    if (m_lessThans.empty()) m_prints.clear();
    else m_prints.resize(at - m_printsFrom + 1);
  }

  // A "<" that stood until `time` makes every earlier stray ">" of a smaller moment a stray of the
  // passes, replaced; a stray behind which no "<" stood any more ended the passes and stays.
  void ResolveStrays(int time) {
    while (m_resolved < m_strays.size() && m_strays[m_resolved].time < time) m_replaced.push_back(m_strays[m_resolved++].pos);
  }

  std::wstring Finish() {
    if (m_replaced.empty()) return std::move(m_out);
    std::wstring result;
    result.reserve(m_out.size() + 2 * m_replaced.size());
    size_t from = 0;
    for (size_t pos : m_replaced) {
      result.append(m_out, from, pos - from);
      result += kTagReplacement;
      from = pos + 1;
    }
    result.append(m_out, from, std::wstring::npos);
    return result;
  }

  const std::wstring& m_text;
  TFingerprints m_fingerprints;
  std::wstring m_out;
  std::vector<TLessThan> m_lessThans;  // every "<" of the output, none of them taken yet
  std::vector<uint64_t> m_prints;      // fingerprints of the output's prefixes from m_printsFrom on
  size_t m_printsFrom = 0;
  TKeyTable m_tags;  // -> its latest tag text (others of the same key follow it)
  std::vector<TTagText> m_tagTexts;
  std::wstring m_tagChars;
  TKeyTable m_suffixes;  // ends of tags from one of their "<" -> their moments in m_suffixTimes
  std::vector<TTimes> m_suffixTimes;
  int m_time = 0;
  std::vector<TStray> m_strays;
  size_t m_resolved = 0;
  std::vector<size_t> m_replaced;
};

}  // namespace

std::wstring ReplaceTagsWithSeparators(const std::wstring& text) {
  return TTagReplacer(text, TFingerprints::RandomPoint()).Run();
}

std::wstring ReplaceTagsWithSeparators(const std::wstring& text, uint64_t fingerprintPoint) {
  return TTagReplacer(text, fingerprintPoint).Run();
}
