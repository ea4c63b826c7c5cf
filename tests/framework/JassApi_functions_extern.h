// Stand-in framework for compiling the converter's output (tests only). The
// game API is declared by Jass.h already: war3map.h, which includes only
// Jass.h, MyArray.h and MyString.h, calls natives in the global object's
// constructor, so the declarations must come before it.
#ifndef JASSCRIBE_STANDIN_JASSAPI_FUNCTIONS_EXTERN_H_
#define JASSCRIBE_STANDIN_JASSAPI_FUNCTIONS_EXTERN_H_

#include "Jass.h"

#endif  // JASSCRIBE_STANDIN_JASSAPI_FUNCTIONS_EXTERN_H_
