// Scope guards: each gives back what it took when its scope ends, normally or through an
// exception, so that no release is paired by hand.
#pragma once

#include <utility>

#include "classlib/WinApi.h"

// Runs `action` when the scope ends.
template <class Action>
class ScopeExit {
 public:
  explicit ScopeExit(Action action) : m_action(std::move(action)) {}
  ~ScopeExit() { m_action(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  Action m_action;
};

// Gives `variable` a value for the scope; the value it had comes back at the end.
template <class T>
class ScopedValue {
 public:
  ScopedValue(T& variable, T value) : m_variable(variable), m_old(std::move(variable)) {
    m_variable = std::move(value);
  }
  ~ScopedValue() { m_variable = std::move(m_old); }
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;

 private:
  T& m_variable;
  T m_old;
};

// Keeps an object opened (its Open() called) for the scope, then Close()s it: the clipboard,
// a list between BeginUpdate and EndUpdate through ScopedUpdate.
template <class T>
class ScopedOpening {
 public:
  explicit ScopedOpening(T& object) : m_object(object) { m_object.Open(); }
  ~ScopedOpening() { m_object.Close(); }
  ScopedOpening(const ScopedOpening&) = delete;
  ScopedOpening& operator=(const ScopedOpening&) = delete;

 private:
  T& m_object;
};

// Keeps a list or collection between BeginUpdate and EndUpdate for the scope.
template <class T>
class ScopedUpdate {
 public:
  explicit ScopedUpdate(T& object) : m_object(object) { m_object.BeginUpdate(); }
  ~ScopedUpdate() { m_object.EndUpdate(); }
  ScopedUpdate(const ScopedUpdate&) = delete;
  ScopedUpdate& operator=(const ScopedUpdate&) = delete;

 private:
  T& m_object;
};

// Owns a GDI object (font, brush, pen, bitmap, palette) and deletes it.
template <class Handle>
class ScopedGdiObj {
 public:
  ScopedGdiObj() = default;
  explicit ScopedGdiObj(Handle handle) : m_handle(handle) {}
  ~ScopedGdiObj() { Reset(); }
  ScopedGdiObj(ScopedGdiObj&& other) noexcept : m_handle(other.Release()) {}
  ScopedGdiObj& operator=(ScopedGdiObj&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ScopedGdiObj(const ScopedGdiObj&) = delete;
  ScopedGdiObj& operator=(const ScopedGdiObj&) = delete;

  Handle Get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }
  // Deletes the object held and holds `handle` instead.
  void Reset(Handle handle = nullptr) {
    if (m_handle && m_handle != handle) DeleteObject(m_handle);
    m_handle = handle;
  }
  // Hands the object over: it is no longer deleted here.
  Handle Release() { return std::exchange(m_handle, nullptr); }

 private:
  Handle m_handle = nullptr;
};

// Selects an object into a device context for the scope; the one it replaced comes back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
  ~ScopedSelect() {
    if (m_old && m_old != HGDI_ERROR) SelectObject(m_dc, m_old);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

// A window's device context from GetDC (the screen's for no window), released at the end.
class ScopedGetDC {
 public:
  explicit ScopedGetDC(HWND wnd = nullptr) : m_wnd(wnd), m_dc(GetDC(wnd)) {}
  ~ScopedGetDC() {
    if (m_dc) ReleaseDC(m_wnd, m_dc);
  }
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HWND m_wnd;
  HDC m_dc;
};

// A memory device context, deleted at the end.
class ScopedMemDC {
 public:
  explicit ScopedMemDC(HDC compatibleWith = nullptr) : m_dc(CreateCompatibleDC(compatibleWith)) {}
  ~ScopedMemDC() {
    if (m_dc) DeleteDC(m_dc);
  }
  ScopedMemDC(const ScopedMemDC&) = delete;
  ScopedMemDC& operator=(const ScopedMemDC&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
};

// The painting of a window: BeginPaint and EndPaint, unless the paint message brought its own
// device context (`given`), which is then used and left alone.
class ScopedPaint {
 public:
  ScopedPaint(HWND wnd, HDC given) : m_wnd(wnd), m_dc(given) {
    if (!m_dc) {
      m_dc = BeginPaint(wnd, &m_paint);
      m_began = true;
    }
  }
  ~ScopedPaint() {
    if (m_began) EndPaint(m_wnd, &m_paint);
  }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HWND m_wnd;
  HDC m_dc;
  PAINTSTRUCT m_paint{};
  bool m_began = false;
};
