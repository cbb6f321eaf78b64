// The process's command line as one text.
#pragma once

#include "platform/core/win_types.h"

// The program name (argv[0], in double quotes when it holds a blank), then
// each argument, joined by single blanks. Empty without arguments.
LPCTSTR GetCommandLine();
// The arguments GetCommandLine rebuilds the line from; AfxWinMain sets them.
void AfxSetCommandLineArgs(int argc, const char* const* argv);
