// A stand-in for Word's automation server, for machines without Word: registered under the ProgID
// "Word.Application" for its lifetime, it answers the members the Word import uses, late-bound
// through IDispatch, records every call with its arguments, and can be told to fail at one member.
//
// A document is a UTF-8 text file whose pages are separated by form feeds; an empty file has no
// pages.
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <objbase.h>

namespace wordstandin {

// What the server holds and what it saw; shared by every object it made.
struct TWordState {
  bool Visible = false;              // a Word the user has open visibly
  std::wstring FailAt;               // "Documents.Open": that member raises Word's error
  int PageCountOverride = -1;        // what ComputeStatistics answers instead of the page count
  std::vector<std::wstring> Calls;   // "get Application.Visible", "call Documents.Open(&\"x\")", ...
  std::vector<std::wstring> OpenDocuments;
  int Quits = 0;
  int LiveObjects = 0;               // objects some client still holds a reference to
  // Internal: the active document's pages and the page the browser stands on.
  std::vector<std::wstring> Pages;
  size_t CurrentPage = 0;
};

// The error the stand-in raises where it is told to fail.
constexpr HRESULT kFailureCode = static_cast<HRESULT>(0x800A1436);
extern const wchar_t kFailureSource[];

// True when "Word.Application" names a server other than the stand-in.
bool RealWordRegistered();

// Keeps every other test process from registering the stand-in meanwhile: a test that needs
// Word's absence holds it, and so does every stand-in.
class TStandInLock {
 public:
  TStandInLock();
  ~TStandInLock();
  TStandInLock(const TStandInLock&) = delete;
  TStandInLock& operator=(const TStandInLock&) = delete;

 private:
  HANDLE m_mutex;
};

// Registers the server on construction and removes every trace of it on destruction. Fails (ADD
// FAILURE) when "Word.Application" is registered already: a real Word is not to be replaced.
class TWordStandIn {
 public:
  TWordStandIn();
  ~TWordStandIn();
  TWordStandIn(const TWordStandIn&) = delete;
  TWordStandIn& operator=(const TWordStandIn&) = delete;

  TWordState& State() { return m_state; }

 private:
  TStandInLock m_lock;
  TWordState m_state;
  bool m_comInitialized = false;
  bool m_registeredProgId = false;
  DWORD m_cookie = 0;
  IClassFactory* m_factory = nullptr;
};

}  // namespace wordstandin
