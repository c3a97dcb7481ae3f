#include "engine/u_WordLists.h"

const std::vector<std::wstring>& FactoryNegativeWords() {
  static const std::vector<std::wstring> words = {
    L"Ab", L"Abend", L"Abends", L"Aber", L"Abschließend", L"Ach", L"Äh", L"Aha", L"Ähh", L"Ähm", L"Aja",
    L"Alle", L"Allerdings", L"Alles", L"Als", L"Alsdann", L"Also", L"Am", L"An", L"Andererseits",
    L"Angeblich", L"Anschließend", L"Ansichtssache", L"Ansonsten", L"April", L"Auch", L"Auf", L"August",
    L"Aus", L"Außer", L"Außerdem", L"Bald", L"Bei", L"Beim", L"Beispiel", L"Bereits", L"Besonders", L"Besser",
    L"Bevor", L"Bin", L"Bis", L"Da", L"Dabei", L"Dadurch", L"Dafür", L"Damals", L"Damit", L"Danach", L"Dann",
    L"Dann", L"Daran", L"Darauf", L"Daraufhin", L"Darin", L"Das", L"Dazu", L"Dem", L"Den", L"Denn", L"Der",
    L"Deswegen", L"Die", L"Die", L"Dies", L"Diese", L"Diesem", L"Dieser", L"Dieses", L"Diesmal", L"Doch",
    L"Dort", L"Du", L"Durch", L"Ehrlichgesagt", L"Eigener", L"Eigentlich", L"Ein", L"Eine", L"Einer",
    L"Einmal", L"Endlich", L"Er", L"Ergo", L"Erst", L"Es", L"Etwas", L"Fällt", L"Fast", L"Für", L"Genau",
    L"Gleich", L"Glücklich", L"He", L"Herausgekommen", L"Heute", L"Hi", L"Hier", L"Hinterher", L"Hm", L"Hmja",
    L"Hö", L"Hoffentlich", L"Ich", L"Ihn", L"Ihr", L"Im", L"Immer", L"In", L"Ins", L"Insgesamt",
    L"Interessant", L"Irgendein", L"Irgendwann", L"Irgendwie", L"Ist", L"Ja", L"Jaja", L"Jedenfalls",
    L"Jeder", L"JedesMal", L"Jedoch", L"Jetzt", L"Kaum", L"Keine", L"Klar", L"Lasst", L"Leider",
    L"Letztendlich", L"Lieber", L"Mag", L"Mal", L"Man", L"Manchmal", L"Mehr", L"Mehrmals", L"Mein", L"Meine",
    L"Mich", L"Mindestens", L"Mir", L"Mit", L"Na", L"Nach", L"Nachdem", L"Nachher", L"Nachhinein", L"Naja",
    L"Natürlich", L"Ne", L"Nein", L"Nicht", L"Nimm", L"Nöööhh", L"Normalerweise", L"Nun", L"Nur", L"Ob",
    L"Obwohl", L"Oder", L"Offenbar", L"Oftmals", L"Oh", L"Ohne", L"Plötzlich", L"Sagen", L"Schade",
    L"Schließlich", L"Sehr", L"Seit", L"Selben", L"Selber", L"Selbst", L"Sie", L"So", L"Sofort", L"Sonst",
    L"Später", L"Tja", L"Trotz", L"Trotzdem", L"Über", L"Um", L"Umso", L"Und", L"Uns", L"Unter", L"Viel",
    L"Viele", L"Vielleicht", L"Vom", L"Von", L"Vor", L"Vorher", L"Während", L"Wahrscheinlich", L"Wann",
    L"Wäre", L"Wartet", L"Was", L"Weder", L"Wegen", L"Wehe", L"Weil", L"Weitere", L"Weiteren", L"Welche",
    L"Wem", L"Wen", L"Wenn", L"Wer", L"Wie", L"Wieder", L"Wieso", L"Wir", L"Wo", L"Wofür", L"Zu", L"ZuBeginn",
    L"Zuerst", L"Zum", L"Zumal", L"ZumBeispiel", L"ZumGlück", L"Zumindest", L"Zunächst", L"Zur", L"Zurück",
    L"Zwar", L"Zwischendurch",
  };
  return words;
}

const std::vector<std::wstring>& FactoryPositiveWords() {
  static const std::vector<std::wstring> words = {L"Berno Kalwe"};
  return words;
}
