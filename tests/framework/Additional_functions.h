// Stand-in framework for compiling the converter's output (tests only): the
// helpers the source frame's support functions call besides the game API.
#ifndef JASSCRIBE_STANDIN_ADDITIONAL_FUNCTIONS_H_
#define JASSCRIBE_STANDIN_ADDITIONAL_FUNCTIONS_H_

#include "Jass.h"

/// A new buffer holding a copy of the text.
char* fCpyStr(const char* text);

#endif  // JASSCRIBE_STANDIN_ADDITIONAL_FUNCTIONS_H_
