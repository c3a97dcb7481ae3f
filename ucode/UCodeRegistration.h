// The program-wide registration of the Unicode layer: the class library's classes, then the
// wide controls, menus and file dialogs under the names the windows use, the wide application object and the
// wide popup list. The program and the test set-up of every program that shows the windows call
// it once at start-up, before any form is read.
#pragma once

// Registers the class library and the wide controls; calling it again does nothing.
void RegisterUnicodeLayer();
