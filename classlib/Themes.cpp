// Visual styles through the theme library, loaded at run time.
#include "classlib/Themes.h"

namespace {

using HTHEME_ = HANDLE;
constexpr int kGroupBoxPart = 4;  // BP_GROUPBOX of the button class
constexpr int kGroupBoxNormal = 1;
constexpr int kGroupBoxDisabled = 2;

}  // namespace

struct TThemeServices::Api {
  HMODULE module = nullptr;
  BOOL(WINAPI* isThemeActive)() = nullptr;
  BOOL(WINAPI* isAppThemed)() = nullptr;
  HTHEME_(WINAPI* openThemeData)(HWND, LPCWSTR) = nullptr;
  HRESULT(WINAPI* closeThemeData)(HTHEME_) = nullptr;
  HRESULT(WINAPI* drawThemeBackground)(HTHEME_, HDC, int, int, const RECT*, const RECT*) = nullptr;
  HRESULT(WINAPI* drawThemeText)(HTHEME_, HDC, int, int, LPCWSTR, int, DWORD, DWORD,
                                 const RECT*) = nullptr;
  HRESULT(WINAPI* drawThemeParentBackground)(HWND, HDC, const RECT*) = nullptr;

  template <class F>
  void Load(F& function, const char* name) {
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
  bool Complete() const {
    return isThemeActive && isAppThemed && openThemeData && closeThemeData &&
           drawThemeBackground && drawThemeText && drawThemeParentBackground;
  }

  // Runs `paint` with the button theme of the window; false when there is none.
  template <class Paint>
  bool WithButtonTheme(HWND window, Paint paint) const {
    HTHEME_ theme = openThemeData(window, L"BUTTON");
    if (!theme) return false;
    bool painted = SUCCEEDED(paint(theme));
    closeThemeData(theme);
    return painted;
  }
};

TThemeServices::TThemeServices() : FApi(new Api) {
  FApi->module = LoadLibraryA("uxtheme.dll");
  if (!FApi->module) return;
  FApi->Load(FApi->isThemeActive, "IsThemeActive");
  FApi->Load(FApi->isAppThemed, "IsAppThemed");
  FApi->Load(FApi->openThemeData, "OpenThemeData");
  FApi->Load(FApi->closeThemeData, "CloseThemeData");
  FApi->Load(FApi->drawThemeBackground, "DrawThemeBackground");
  FApi->Load(FApi->drawThemeText, "DrawThemeText");
  FApi->Load(FApi->drawThemeParentBackground, "DrawThemeParentBackground");
}

TThemeServices::~TThemeServices() {
  if (FApi->module) FreeLibrary(FApi->module);
}

bool TThemeServices::ThemesEnabled() const {
  return FApi->Complete() && FApi->isThemeActive() && FApi->isAppThemed();
}

bool TThemeServices::DrawParentBackground(HWND window, HDC dc, const RECT* rect) const {
  if (!FApi->drawThemeParentBackground) return false;
  return SUCCEEDED(FApi->drawThemeParentBackground(window, dc, rect));
}

bool TThemeServices::DrawGroupBox(HWND window, HDC dc, const RECT& rect, bool enabled) const {
  if (!ThemesEnabled()) return false;
  int state = enabled ? kGroupBoxNormal : kGroupBoxDisabled;
  return FApi->WithButtonTheme(window, [&](HTHEME_ theme) {
    return FApi->drawThemeBackground(theme, dc, kGroupBoxPart, state, &rect, nullptr);
  });
}

bool TThemeServices::DrawGroupBoxText(HWND window, HDC dc, const std::wstring& text,
                                      const RECT& rect, DWORD flags, bool enabled) const {
  if (!ThemesEnabled()) return false;
  int state = enabled ? kGroupBoxNormal : kGroupBoxDisabled;
  return FApi->WithButtonTheme(window, [&](HTHEME_ theme) {
    return FApi->drawThemeText(theme, dc, kGroupBoxPart, state, text.c_str(),
                               static_cast<int>(text.size()), flags, 0, &rect);
  });
}

TThemeServices& ThemeServices() {
  static TThemeServices services;
  return services;
}
