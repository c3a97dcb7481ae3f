#include "forms/u_progspr.h"

#include "forms/u_start.h"

TProgressTexts ProgressTexts;

void SetProgLanguage() {
  const std::string code = LanguageCode();
  if (code == "de")
    ProgressTexts = {"Vorbereiten..", "Seite einlesen: ", "Datei einlesen: ", "Index aktualisieren..",
                     "Index schreiben..", "Status der aktuellen Datei:"};
  if (code == "en")
    ProgressTexts = {"Preparing Index..", "Reading Page: ", "Reading File: ", "Refreshing Index..",
                     "Writing Index..", "Status of current File:"};
}
