// The main window's language texts, the progress texts that the index runs show, and the
// one way every window's language routine puts a table of texts onto its controls.
#pragma once

#include <string>
#include <vector>

class TComponent;
class TComboBox;

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

// One text of a window in both languages. The name is that of a component of the window (its
// caption, or the label of a labelled edit, is set), or empty for the window's own caption.
struct TLanguageText {
  const char* Name;
  const wchar_t* German;
  const wchar_t* English;
};

// Puts the German texts of the table onto the components of `window` for the code "de", the
// English ones for "en"; another code changes nothing. A name that the window does not hold
// is a fault of the program and raises an error.
void ApplyLanguageTexts(TComponent* window, const std::vector<TLanguageText>& texts, const std::string& code);

// The choice "Benutzerdefiniert.." of a combo box's items in the language of `code`: every
// "Custom" becomes "Benutzerdefiniert" for "de" and the other way round for "en".
void ApplyCustomItem(TComboBox* combo, const std::string& code);

// A criteria box whose text is the choice "Benutzerdefiniert.." or "Custom..": no item stays
// chosen, the text is emptied and the box takes the focus for a typed value.
void OfferCustomEntry(TComboBox* combo);
