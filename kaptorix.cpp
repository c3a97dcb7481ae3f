// Kaptorix: builds the alphabetical keyword index printed at the back of a book.
//
// The program block: the windows are made in a fixed order, the start screen first, so that it
// becomes the application's main window; the message loop then runs until the start screen
// closes.
#include <windows.h>

#include "classlib/Forms.h"
#include "ucode/UCodeRegistration.h"
#include "forms/u_bugreport_de.h"
#include "forms/u_bugreport_en.h"
#include "forms/u_design.h"
#include "forms/u_edittxt.h"
#include "forms/u_edittxt2idx.h"
#include "forms/u_editwortlisten.h"
#include "forms/u_einstausgabe.h"
#include "forms/u_einstshortcuts_idx.h"
#include "forms/u_einstshortcuts_qcfg.h"
#include "forms/u_hdesign.h"
#include "forms/u_indexhinzu.h"
#include "forms/u_prog.h"
#include "forms/u_quhopt.h"
#include "forms/u_sdesign.h"
#include "forms/u_start.h"
#include "forms/u_szbearbeiten.h"
#include "forms/u_szkriterien.h"
#include "forms/u_textdesign.h"
#include "forms/u_wortlisten.h"
#include "forms/u_zusatzfunktion.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    RegisterUnicodeLayer();
    Application->Initialize();
    Application->CreateForm(start);
    Application->CreateForm(prog);
    Application->CreateForm(negliste);
    Application->CreateForm(posliste);
    Application->CreateForm(szkriterien);
    Application->CreateForm(szbearbeiten);
    Application->CreateForm(indexhinzu);
    Application->CreateForm(design);
    Application->CreateForm(quhopt);
    Application->CreateForm(hdesign);
    Application->CreateForm(textdesign);
    Application->CreateForm(editneg);
    Application->CreateForm(editpos);
    Application->CreateForm(sdesign);
    Application->CreateForm(edittxt2idx);
    Application->CreateForm(edittxt);
    Application->CreateForm(einstausgabe);
    Application->CreateForm(bugreport_de);
    Application->CreateForm(bugreport_en);
    Application->CreateForm(zusatzfunktion);
    Application->CreateForm(einstshortcuts_idx);
    Application->CreateForm(einstshortcuts_qcfg);
    Application->Run();
    // The windows go while everything they use still exists; the units' own clean-up follows
    // when the program ends.
    Application->DestroyComponents();
    return 0;
  } catch (...) {
    // A window that cannot be made: the user learns why before the program ends.
    Application->HandleException(Application);
    return 1;
  }
}
