#pragma once
// The setup program's entry: reads the settings file, ends at once when it
// names no game, otherwise creates the two forms and runs the message loop.
// The result is the exit code, always 0.
int RunSetup();
