#include "forms/u_einstshortcuts_qcfg.h"

Teinstshortcuts_qcfg* einstshortcuts_qcfg = nullptr;

namespace {

const TShortcutsWindow::TTwin kQcfgTwin = {
    ".qcfg",
    "ZRWkaptorixQCFG",
    "ZRW Kaptorix Konfiguration",
    "ZRW Kaptorix Konfiguration",
    L"Verknüpfung mit Konfigurationsdateien (*.qcfg)",
    L"Shortcut to Configuration Files (*.qcfg)",
    L"Verknüpfung dieses Programms mit Konfigurationsdateien (Dateiendung: .qcfg)",
    L"Shortcut of this Application with Configuration Files (File Extension: .qcfg)",
};

}  // namespace

Teinstshortcuts_qcfg::Teinstshortcuts_qcfg(TComponent* owner) : TShortcutsWindow(owner, kQcfgTwin) {
  einstshortcuts_qcfg = this;
  InitForm();
}
