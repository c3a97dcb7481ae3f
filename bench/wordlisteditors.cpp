// Times opening the word-list editors ("Index > Negativliste", "Index > Positivliste") as the
// tools menu opens them: the handler (the editor shown with the words of the last text index
// and the lines of its list window), then the messages it leaves, painting included, until the
// program would wait for input again. The negative list holds its 229 built-in words, the
// positive list its one; the text index holds `--words` different words.
//
//   bench_wordlisteditors [--words N] [--rounds R]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/BenchWindows.h"
#include "engine/u_TextIndex.h"
#include "forms/u_editwortlisten.h"
#include "forms/u_prog.h"
#include "forms/u_textix.h"
#include "ucode/UCodeRegistration.h"

namespace {

// Handles every message there is, painting included, until the queue is empty.
void HandleWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// A text index of `count` different capitalised words, one page each.
void BuildIndexOf(int count) {
  std::wstring text;
  for (std::wstring word : SyllableWords(count)) {
    word[0] = static_cast<wchar_t>(towupper(word[0]));
    text += word + L"\r\n";
  }
  prog->qu_text->SetChecked(true);
  prog->sz_zeilezuseite->SetChecked(true);
  prog->kt_negativliste->SetChecked(false);
  prog->original->SetText(text);
  BuildTextIndex();
}

void MeasureOpening(const char* name, TWordListEditor* editor, void (Tprog::*open)(TObject*), int rounds) {
  TSpread handler, opened;
  for (int round = 0; round < rounds; ++round) {
    HandleWaitingMessages();
    const auto start = std::chrono::steady_clock::now();
    (prog->*open)(prog);
    handler.Add(Seconds(start));
    HandleWaitingMessages();
    opened.Add(Seconds(start));
    editor->Close();
    HandleWaitingMessages();
  }
  std::printf("  %-22s opened and painted %7.3f s (handler %7.3f s); least of %d, most %.3f s\n", name,
              opened.Least, handler.Least, rounds, opened.Most);
  std::printf("  %-22s list %d lines, index words %d\n", "", editor->liste->GetLines()->GetCount(),
              editor->idxliste->GetItems()->GetCount());
}

}  // namespace

int main(int argc, char** argv) {
  int words = 1000;
  int rounds = 5;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--words") words = std::atoi(argv[++i]);
    else if (std::string(argv[i]) == "--rounds") rounds = std::atoi(argv[++i]);
  }
  RegisterUnicodeLayer();
  MakeTextWizardWindows();
  editneg = new Teditneg(Application);
  editpos = new Teditpos(Application);
  BuildIndexOf(words);
  std::printf("word-list editors, text index of %d words\n", words);
  MeasureOpening("Index > Negativliste", editneg, &Tprog::mt1Click, rounds);
  MeasureOpening("Index > Positivliste", editpos, &Tprog::mt2Click, rounds);
  Application->DestroyComponents();
  return 0;
}
