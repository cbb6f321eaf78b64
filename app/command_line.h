// Reading the path from the process's command line.
#pragma once

#include "platform/core/win_types.h"

// The position after the program name and the blanks after it, or nullptr
// when the line is empty. A quoted name runs to the next quote; an unquoted
// one to the first space or tab.
LPCTSTR SkipProgramName(LPCTSTR pszCommandLine);

// The number at the start of psz: leading white space skipped, one optional
// sign, decimal digits up to the first other character, in 32-bit
// arithmetic that wraps around; 0 without digits.
int TextToInt(LPCTSTR psz);
