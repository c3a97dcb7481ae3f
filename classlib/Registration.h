// The program-wide registration of the class library: every class that form descriptions may
// name, every action-link kind and every picture format, each registered by its own unit. The
// program and the test set-up call it once at start-up, before any form is read. A layer above
// the class library that registers classes of its own calls this first.
#pragma once

// Registers everything of the class library; calling it again does nothing.
void RegisterClassLibrary();
