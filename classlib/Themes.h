// Visual styles (themes), as far as panels and group boxes paint with them. The theme library
// is loaded at run time, so the program also runs where it is missing; every routine then
// reports themes as off or paints nothing.
#pragma once

#include <memory>
#include <string>

#include "classlib/WinApi.h"

class TThemeServices {
 public:
  TThemeServices();
  ~TThemeServices();
  TThemeServices(const TThemeServices&) = delete;
  TThemeServices& operator=(const TThemeServices&) = delete;

  // Visual styles are active and apply to this program.
  bool ThemesEnabled() const;
  // Paints what the parent of `window` shows behind `rect` (client coordinates of `window`,
  // the whole client area for nullptr) into `dc`; false when nothing could be painted.
  bool DrawParentBackground(HWND window, HDC dc, const RECT* rect) const;
  // The themed frame of a group box, normal or disabled; false without themes.
  bool DrawGroupBox(HWND window, HDC dc, const RECT& rect, bool enabled) const;
  // A group box caption in the theme's text style (DT_ flags); false without themes.
  bool DrawGroupBoxText(HWND window, HDC dc, const std::wstring& text, const RECT& rect,
                        DWORD flags, bool enabled) const;

 private:
  struct Api;
  std::unique_ptr<Api> FApi;
};

// The program's one theme service.
TThemeServices& ThemeServices();
