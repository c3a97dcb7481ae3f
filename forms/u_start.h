// The start screen, shown while the main window is prepared. Its hidden label `spr` holds
// the language code of the whole program ("de" or "en"). It is the application's main window:
// closing it ends the program.
#pragma once

#include <string>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"
#include "ucode/KeyCueFixUnit.h"
#include "ucode/UCodeRepExtCtrls.h"

// Puts the program's JPEG resource of that name into the picture.
void LoadPicture(TImage* image, const char* resource);

class Tstart : public TForm {
  KX_COMPONENT(Tstart, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tstart(TComponent* owner);

  TPanel* Panel1 = nullptr;
  TImage* intro = nullptr;
  TImage* intro_en1 = nullptr;
  TImage* intro_en2 = nullptr;
  TLabel* spr = nullptr;
  TTimer* Timer1 = nullptr;

  // Pictures, the language from the marker files "en" and "de" of the current folder, the
  // title.
  void FormCreate(TObject* sender);
  // The program has no taskbar button while only the start screen is up.
  void FormShow(TObject* sender);
  // A click on the screen or its pictures: the main window at once, the start screen away.
  void FormClick(TObject* sender);
  // Every 400 ms: the main window at the eighth tick (at the first when a file was passed on
  // the command line), the start screen hidden at the eleventh. Ticks that come while a tick
  // is still being handled, or while a message of the start screen's own is open, do not count.
  void Timer1Timer(TObject* sender);
  // The program ends: the temporary files it made go; the close is always allowed.
  void FormCloseQuery(TObject* sender, bool& canClose);
  // The title, and the English overlays of the picture for "en".
  void sprache();
  // The start sequence is over: the screen hidden, its timer stopped. The eleventh tick and a
  // click end it, and the main window ends it early before long work of its start-up, which
  // the screen, standing in front of every window, would otherwise hide until that work ends.
  void EndSequence();

  // Ticks counted since the start screen was made.
  int Ticks() const { return FTicks; }

 private:
  int FTicks = 0;
  bool FTicking = false;  // a tick is being handled
};

extern Tstart* start;

// True while the start screen is shown.
bool StartScreenUp();

// The language code: the caption of start.spr ("en" while there is no start screen).
std::string LanguageCode();
