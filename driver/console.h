// The console dialogue: prompt, path checks, reading the script, converting,
// writing war3map.cpp and war3map.h beside it, and the final wait.
#ifndef JASSCRIBE_DRIVER_CONSOLE_H_
#define JASSCRIBE_DRIVER_CONSOLE_H_

#include <cstdio>

/// Runs the whole dialogue on the given streams; returns the exit code (0).
int fRunConsole(FILE* pIn, FILE* pOut);

#endif  // JASSCRIBE_DRIVER_CONSOLE_H_
