// Configuration files (".qcfg"): every option of the main window and of its settings and tool
// windows, stored by window, control kind and component name, with the main window's place
// and size and the autosave choice. The main window's configuration commands are built on
// these routines.
#pragma once

#include <string>
#include <vector>

class TForm;
class TComponent;

// A window whose options a configuration holds: its two-letter code and the window itself
// (null while it does not exist).
struct TConfigWindow {
  const wchar_t* Code;
  TForm* (*Window)();
};

// The windows in the order in which they are written and read.
const std::vector<TConfigWindow>& ConfigWindows();

// The two-letter code of the control kind a component is stored under ("ED", "CB", "RB",
// "CH", "SB", "PA", "LE"), or empty for a component that is not stored.
std::wstring ConfigControlCode(TComponent* component);

// The configuration file's whole path: a name without a folder, or with a relative one, names
// a file of the current folder (the system's profile functions would take a bare name for a
// file of the Windows folder).
std::wstring ConfigurationPath(const std::wstring& fileName);

// Writes every option into the file; keys of the file that no window writes stay. A new file
// is made as UTF-16 LE with its mark. The path may be of any length. The file is written whole or
// not at all: a save that fails raises the file's save error (EFCreateError, with the reason) and
// leaves no file where there was none and an existing file as it was.
void SaveConfiguration(const std::wstring& fileName);

// Reads the file into the windows: a missing file or key leaves the control as it is; a file
// that is there but cannot be read raises its open error before anything changes. While the
// values are put in, no handler of the restored controls runs (a handler would see a window
// half loaded, a radio group with none or two members checked); afterwards the handlers of the
// controls that changed run once, in order, on the final values, each whatever the others do.
// `atStartUp`: the main window's left edge is left alone by a stored maximized state. The
// language is applied again at the end; then what a handler could not do (the source text it
// names cannot be read) is told once, naming that file and the reason.
void LoadConfiguration(const std::wstring& fileName, bool atStartUp);

// The factory settings of every option (no panels, no geometry, no word lists); the autosave
// choice back to "never".
void LoadFactorySettings();

// The folder of "Auto.qcfg": the program's folder unless a test names another.
extern std::wstring StartConfigurationFolder;
std::wstring StartConfigurationPath();
