// Times the ways of handing a large result text to the file index's result memo (made, not
// shown): the memo's own SetText, with the memo hidden, with redrawing off, with the text limit
// raised first, one WM_SETTEXT straight to the window, and block by block through EM_REPLACESEL.
// The text is shaped like the file index's page: lines of about 1,300 characters.
//
//   bench_memo [--megabytes M] [--line L]    (M may be a fraction)
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "forms/u_prog.h"
#include "forms/u_start.h"
#include "forms/u_wortlisten.h"
#include "ucode/UCodeRegistration.h"

namespace {

std::wstring PageLikeText(size_t characters, size_t lineLength) {
  std::mt19937 random(7);
  const wchar_t* pieces[] = {L"<div id=\"box\"><div id=\"l\">", L"Wort", L"</div><div id=\"r\">",
                             L"<a href=\"dokument", L".htm\">Dokument ", L"</a> | ", L"</div></div>"};
  std::wstring text;
  text.reserve(characters + lineLength);
  while (text.size() < characters) {
    const size_t end = text.size() + lineLength / 2 + random() % lineLength;
    text += pieces[0];
    text += pieces[1];
    text += std::to_wstring(random() % 100000);
    text += pieces[2];
    while (text.size() < end) {
      const std::wstring number = std::to_wstring(random() % 10000);
      text += pieces[3] + number + pieces[4] + number + pieces[5];
    }
    text += pieces[6];
    text += L"\r\n";
  }
  return text;
}

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Measure(const char* what, TMemo* memo, const std::wstring& text, const std::function<void()>& fill) {
  HWND window = memo->GetHandle();
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  const double seconds = Seconds(fill);
  const int length = GetWindowTextLengthW(window);
  std::printf("  %-34s %7.3f s (%.2f us a character)%s\n", what, seconds, 1e6 * seconds / text.size(),
              static_cast<size_t>(length) == text.size() ? "" : "  (TEXT INCOMPLETE)");
}

}  // namespace

int main(int argc, char** argv) {
  double megabytes = 4;
  size_t lineLength = 1300;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--megabytes") megabytes = std::strtod(argv[++i], nullptr);
    else if (std::string(argv[i]) == "--line") lineLength = std::strtoul(argv[++i], nullptr, 10);
  }
  RegisterUnicodeLayer();
  start = new Tstart(Application);
  prog = new Tprog(Application);
  negliste = new Tnegliste(Application);
  posliste = new Tposliste(Application);
  const std::wstring text = PageLikeText(static_cast<size_t>(megabytes * 1048576), lineLength);
  std::printf("%.1f million characters in lines of about %zu\n", text.size() / 1e6, lineLength);
  for (TMemo* memo : {prog->doutput, prog->soutput}) {
    std::printf("%s (%s)\n", memo == prog->doutput ? "file index memo" : "keyword index memo",
                memo->GetWordWrap() ? "wrapping" : "not wrapping");
    HWND window = memo->GetHandle();
    for (int round = 0; round < 2; ++round) {
      Measure("SetText", memo, text, [&] { memo->SetText(text); });
      Measure("SetText, memo hidden", memo, text, [&] {
        const bool visible = memo->GetVisible();
        memo->SetVisible(false);
        memo->SetText(text);
        memo->SetVisible(visible);
      });
      Measure("SetText, redraw off", memo, text, [&] {
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
        memo->SetText(text);
        SendMessageW(window, WM_SETREDRAW, TRUE, 0);
      });
      Measure("SetText, limit raised first", memo, text, [&] {
        SendMessageW(window, EM_SETLIMITTEXT, text.size() + 1, 0);
        memo->SetText(text);
      });
      Measure("WM_SETTEXT", memo, text,
              [&] { SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); });
      Measure("EM_REPLACESEL, blocks of 64 KB", memo, text, [&] {
        for (size_t at = 0; at < text.size();) {
          size_t end = std::min(text.size(), at + 65536);
          while (end < text.size() && text[end - 1] != L'\n') ++end;
          const std::wstring block = text.substr(at, end - at);
          SendMessageW(window, EM_SETSEL, static_cast<WPARAM>(-1), -1);
          SendMessageW(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(block.c_str()));
          at = end;
        }
      });
    }
  }
  Application->DestroyComponents();
  return 0;
}
