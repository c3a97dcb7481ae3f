#include "forms/u_einstshortcuts_idx.h"

Teinstshortcuts_idx* einstshortcuts_idx = nullptr;

namespace {

const TShortcutsWindow::TTwin kIdxTwin = {
    ".idx",
    "ZRWkaptorixIDX",
    "ZRW Kaptorix Index",
    "ZRW Kaptorix Index",
    L"Verknüpfung mit Konfigurationsdateien (*.idx)",
    L"Shortcut to Configuration Files (*.idx)",
    L"Verknüpfung dieses Programms mit Konfigurationsdateien (Dateiendung: .idx)",
    L"Shortcut of this Application with Configuration Files (File Extension: .idx)",
};

}  // namespace

Teinstshortcuts_idx::Teinstshortcuts_idx(TComponent* owner) : TShortcutsWindow(owner, kIdxTwin) {
  einstshortcuts_idx = this;
  InitForm();
}
