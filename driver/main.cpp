// jasscribe: converts a JASS map script into war3map.cpp and war3map.h.
// The whole program is the console dialogue; it reads no arguments.
#include <cstdio>

#include "driver/console.h"

int main() { return fRunConsole(stdin, stdout); }
