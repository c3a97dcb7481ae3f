// The program's windows that the text wizard's runs read their options from, for the benchmarks.
#pragma once

#include "classlib/Forms.h"
#include "forms/u_design.h"
#include "forms/u_prog.h"
#include "forms/u_start.h"
#include "forms/u_szkriterien.h"
#include "forms/u_wortlisten.h"

// Made in the program's order of creation, hidden, and kept for every run.
inline void MakeTextWizardWindows() {
  start = new Tstart(Application);
  prog = new Tprog(Application);
  negliste = new Tnegliste(Application);
  posliste = new Tposliste(Application);
  szkriterien = new Tszkriterien(Application);
  design = new Tdesign(Application);
}
