// Lines of a printed or typed index ("entry, separator, pages") made into index entries, their
// pages shown as "label(link)" items, and index data lines written and read back.
#pragma once

#include <string>

// What to do with an entry of several words when the words are not cut by the page separator.
enum class TCompoundWords { ToEntry, ToPages, Skip };

struct TTextToIndexOptions {
  std::wstring EntrySeparator = L" ";   // between entry and pages
  std::wstring PageSeparator = L", ";   // between page items
  bool LinksPresent = false;            // page items carry a link after LinkSeparator
  std::wstring LinkSeparator = L">";
  bool PageBeforeLink = true;           // "page>link"; false: "link>page"
  TCompoundWords Compound = TCompoundWords::ToEntry;
};

// One index entry with its pages in display form ("12(-), 15(a.htm)").
struct TIndexRow {
  std::wstring Entry;
  std::wstring Pages;
};

// A page item in display form: label "(" link ")", "(-)" without a link.
std::wstring FormatPageLink(const std::wstring& item, const TTextToIndexOptions& options);

// Makes an entry of the line; false when the line has no entry separator after its first
// character and before its end, or when it is a compound entry that is to be skipped.
bool ConvertIndexLine(const std::wstring& line, const TTextToIndexOptions& options, TIndexRow& row);

// The index data line of a row: entry ":" and its items "label>link" joined by "|".
std::wstring IndexDataLineOf(const TIndexRow& row);

// A row read from an index data line: split at its first ":" only (a link may hold a drive
// letter), the items shown as "label(link)". False for a line without ":", with ":" as its
// last character, or with an empty entry.
bool ParseIndexDataLine(const std::wstring& line, TIndexRow& row);
