// The short-minimum finders built for AVX2; text_run.cpp picks them on
// processors that have it.
#include "scanner/short_run_finder.h"

const std::array<FindFunction, 64>& ShortFindersAvx2() { return kShortFinders; }
