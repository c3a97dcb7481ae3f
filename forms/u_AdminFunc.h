// Shell helpers of the shortcut windows: the user's "Send to" folder and shell links, the file
// type and context-menu entries under HKEY_CLASSES_ROOT, the administrator test and the restart
// with administrator rights.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The file-system path of the user's "Send to" folder; empty when the shell does not name one.
std::string GetSendToFolder();

// Writes a shell link file `linkFile` pointing to `target`. The icon is set only for a non-empty
// icon file and an index of 0 or more. True when the link file was saved.
bool CreateShortcut(const std::string& linkFile, const std::string& target, const std::string& description,
                    const std::string& workingFolder, const std::string& arguments, const std::string& iconFile,
                    int iconIndex);
// The program a shell link file points to; empty when the file is no link that can be read.
std::string ShortcutTarget(const std::string& linkFile);

// The open command of `programFile` for a file handed to it: "program" "argument".
std::string OpenCommand(const std::string& programFile, const std::string& argument = "%1");

// Registers the extension (a "." is put in front when missing) for the type `typeName`: its
// description, the program's first icon and the open command with `argument`. True when every
// key could be written.
bool RegisterFileAssociation(const std::string& extension, const std::string& typeName,
                             const std::string& description, const std::string& argument,
                             const std::string& programFile);
// Removes the types among `ownTypeNames` and the extension's key while it still names one of
// them; another program's type and an extension it has taken over stay. True when something
// was removed and every removal succeeded.
bool UnregisterFileAssociation(const std::string& extension, const std::vector<std::string>& ownTypeNames);

// A context-menu command under HKEY_CLASSES_ROOT: `parent` + "\shell\" + `verb` holds the menu
// text and its "command" subkey the open command. view64 writes into the 64-bit view of the
// registry (a 32-bit program on 64-bit Windows). True when both values were written.
bool WriteShellVerb(const std::string& parent, const std::string& verb, const std::string& text,
                    const std::string& command, bool view64);
// Deletes the verb key below `parent` + "\shell" with its subkeys, and nothing else of
// `parent`. True when the verb is gone (also when there was none).
bool DeleteShellVerb(const std::string& parent, const std::string& verb, bool view64);
// Deletes the key below HKEY_CLASSES_ROOT when it holds neither values nor subkeys; true when
// it was deleted.
bool DeleteEmptyClassesKey(const std::string& key, bool view64);
// The open command of the verb, empty when there is none.
std::string ShellVerbCommand(const std::string& parent, const std::string& verb, bool view64 = false);
// The default value of a key below HKEY_CLASSES_ROOT (an extension's type name); empty when
// the key or the value is missing.
std::string ClassesRootValue(const std::string& key, bool view64 = false);
bool ClassesRootKeyExists(const std::string& key, bool view64 = false);

// True for a 32-bit program running on 64-bit Windows. Raises "IsWow64: bad process handle"
// when the system cannot tell.
bool IsWow64();

// Whether the thread's token holds the administrators group, asked through
// CheckTokenMembership or, as on systems without it, through an access check.
bool IsAdministratorsMember(bool byAccessCheck);
// True when the program runs with administrator rights: the shell's tests where the system has
// them, else the group membership.
bool IsUserAdmin();

// Starts the program file again with the "runas" verb (Windows asks for administrator rights)
// and closes the start window, which ends this instance, whatever became of the start.
void RestartAsAdmin();
