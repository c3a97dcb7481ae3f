// Kaptorix: builds the alphabetical keyword index printed at the back of a book.
#include <windows.h>

#include <exception>

#include "classlib/Registration.h"

namespace {

constexpr char kMainClass[] = "KaptorixMain";

LRESULT CALLBACK MainWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(wnd, msg, wParam, lParam);
  }
}

ATOM RegisterMainClass(HINSTANCE instance) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, "MAINICON");
  wc.hIconSm = wc.hIcon;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainClass;
  return RegisterClassExA(&wc);
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  try {
    RegisterClassLibrary();
    if (!RegisterMainClass(instance)) return 1;
    HWND main = CreateWindowExA(0, kMainClass, "Kaptorix", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 800, 600, nullptr, nullptr, instance, nullptr);
    if (!main) return 1;
    ShowWindow(main, showCommand);
    UpdateWindow(main);
    return RunMessageLoop();
  } catch (const std::exception& e) {
    MessageBoxA(nullptr, e.what(), "Kaptorix", MB_OK | MB_ICONERROR);
    return 1;
  }
}
