// The Windows API for our headers: include this instead of <windows.h>.
//
// The build does not define UNICODE, so <windows.h> maps names such as DeleteFile or
// MessageBox to their ...A forms by macro. Those macros would rename methods of our class
// library (TStrings::GetObject, TApplication::MessageBox, ...), so the colliding ones are
// removed here, in one place. Code that wants the system function calls the explicit A or
// W form (DeleteFileA, MessageBoxW, ...).
#pragma once

#include <windows.h>

#undef CopyFile
#undef CreateWindow
#undef DeleteFile
#undef DrawText
#undef FindText
#undef GetMessage
#undef GetObject
#undef LoadString
#undef MessageBox
#undef RegisterClass
#undef ReplaceText
#undef TextOut
#undef UnregisterClass
