// The main window's language texts: the progress texts that the index runs show.
#pragma once

#include <string>

// Progress texts, set by SetProgLanguage for "de" and "en" and read by the index runs.
struct TProgressTexts {
  std::string Preparing;    // "Vorbereiten.."
  std::string ReadingPage;  // "Seite einlesen: ", followed by the page label
  std::string ReadingFile;  // "Datei einlesen: ", followed by the file
  std::string Refreshing;   // "Index aktualisieren.."
  std::string Writing;      // "Index schreiben.."
  std::string CurrentFile;  // "Status der aktuellen Datei:" (shown by no run)
};
extern TProgressTexts ProgressTexts;

// Applies the texts of the language code start.spr; any code but "de" and "en" changes
// nothing.
void SetProgLanguage();
