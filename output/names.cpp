// Function-name mapping. (Work in progress: stand-in until the names change lands.)
#include "output/names.h"

void fMapCallName(sState&) {}
void fMapFuncName(sState&) {}
