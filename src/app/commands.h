// The File and Help commands that run a dialog and the engine.
#pragma once

// Fills vekCommands with Expand, Compress, Both and About.
void installCommands();
