// The temporary files of this process: the index hand-over file that an editor passes to a
// wizard, the preview page of the file index's design view, and the working copy of a
// configuration file while it is read or written. Each gets a name of its own in
// the user's temporary folder, so that two running copies never share one and no file of the
// user is ever taken for ours; only files this process made are deleted again.
#pragma once

#include <string>

enum class TTempFile { IndexHandOver, Preview, Configuration };

// The full name of this process's temporary file of that kind. The first call for a kind
// claims a new name (the file is made empty, so no other program can take the name); later
// calls return the same name.
std::wstring TempFileName(TTempFile kind);

// Deletes the file of that kind when this process claimed it and it still exists; the next
// TempFileName of the kind claims a new name. Raises EOSError, keeping the name, when the file
// is there but cannot be deleted.
void DeleteTempFile(TTempFile kind);

// Deletes every temporary file this process claimed; raises the first failure after trying
// them all.
void DeleteTempFiles();
