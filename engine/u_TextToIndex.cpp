#include "engine/u_TextToIndex.h"

#include "engine/u_WideFunc.h"

namespace {

std::wstring Join(const TWideStrArray& pieces, size_t from, size_t to, const std::wstring& separator) {
  std::wstring joined;
  for (size_t i = from; i < to; ++i) {
    if (i > from) joined += separator;
    joined += pieces[i];
  }
  return joined;
}

// ", " and the formatted further page pieces Q1, Q2, ...
std::wstring FurtherPages(const TWideStrArray& pieces, const TTextToIndexOptions& options) {
  std::wstring pages;
  for (size_t i = 1; i < pieces.size(); ++i) pages += L", " + FormatPageLink(pieces[i], options);
  return pages;
}

bool ConvertWithPageSeparator(const std::wstring& line, const TTextToIndexOptions& options, TIndexRow& row) {
  TWideStrArray pieces, words;
  ExplodeW(options.PageSeparator, line, pieces);
  ExplodeW(options.EntrySeparator, pieces[0], words);
  const size_t k = words.size() - 1;
  if (k == 1) {
    row = {words[0], FormatPageLink(words[1], options) + FurtherPages(pieces, options)};
    return true;
  }
  switch (options.Compound) {
    case TCompoundWords::ToEntry:
      row.Entry = k == 0 ? words[0] : Join(words, 0, k, options.EntrySeparator);
      row.Pages = FormatPageLink(words[k], options) + FurtherPages(pieces, options);
      return true;
    case TCompoundWords::ToPages: {
      row.Entry = words[0];
      row.Pages.clear();
      for (size_t i = 1; i <= k; ++i) row.Pages += FormatPageLink(words[i], options) + L", ";
      std::wstring further = FurtherPages(pieces, options);
      row.Pages += further.empty() ? further : further.substr(2);
      return true;
    }
    case TCompoundWords::Skip: break;
  }
  return false;
}

bool ConvertWithoutPageSeparator(const std::wstring& line, const TTextToIndexOptions& options, TIndexRow& row) {
  TWideStrArray words;
  ExplodeW(options.EntrySeparator, line, words);
  const size_t k = words.size() - 1;
  if (k == 1) {
    row = {words[0], FormatPageLink(words[1], options)};
    return true;
  }
  switch (options.Compound) {
    case TCompoundWords::ToEntry:
      row = {Join(words, 0, k, options.EntrySeparator), FormatPageLink(words[k], options)};
      return true;
    case TCompoundWords::ToPages:
      row = {words[0], FormatPageLink(Join(words, 1, k + 1, options.EntrySeparator), options)};
      return true;
    case TCompoundWords::Skip: break;
  }
  return false;
}

}  // namespace

std::wstring FormatPageLink(const std::wstring& item, const TTextToIndexOptions& options) {
  const std::wstring& s = options.LinkSeparator;
  if (!options.LinksPresent || s.empty() || item.find(s) == std::wstring::npos) return item + L"(-)";
  TWideStrArray pieces;
  ExplodeW(s, item, pieces);
  if (pieces.size() < 2) return item + L"(-)";
  const size_t n = pieces.size() - 1;
  if (options.PageBeforeLink) return Join(pieces, 0, n, s) + L"(" + pieces[n] + L")";
  return Join(pieces, 1, n + 1, s) + L"(" + pieces[0] + L")";
}

bool ConvertIndexLine(const std::wstring& line, const TTextToIndexOptions& options, TIndexRow& row) {
  const std::wstring& e = options.EntrySeparator;
  if (e.empty()) return false;
  const size_t at = line.find(e);
  // The separator must stand after the first character and start before the last one.
  if (at == std::wstring::npos || at == 0 || at + 1 >= line.size()) return false;
  if (!options.PageSeparator.empty() && line.find(options.PageSeparator) != std::wstring::npos)
    return ConvertWithPageSeparator(line, options, row);
  return ConvertWithoutPageSeparator(line, options, row);
}

std::wstring IndexDataLineOf(const TIndexRow& row) {
  std::wstring pages = ReplaceAllW(row.Pages, L"), ", L"|");
  pages = ReplaceAllW(pages, L"(", L">");
  pages = ReplaceAllW(pages, L") ", L"");
  pages = ReplaceAllW(pages, L")", L"");
  return row.Entry + L":" + pages;
}

bool ParseIndexDataLine(const std::wstring& line, TIndexRow& row) {
  const size_t colon = line.find(L':');
  if (colon == std::wstring::npos || colon == 0 || colon + 1 >= line.size()) return false;
  TWideStrArray items;
  ExplodeW(L"|", line.substr(colon + 1), items);
  row.Entry = line.substr(0, colon);
  row.Pages.clear();
  for (size_t i = 0; i < items.size(); ++i)
    row.Pages += ReplaceAllW(items[i], L">", L"(") + (i + 1 < items.size() ? L"), " : L")");
  return true;
}
