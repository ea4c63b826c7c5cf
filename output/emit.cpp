// Output emitters. (Work in progress: stand-in until the emitter change lands.)
#include "output/emit.h"

bool fEmitHeader(sState&) { return true; }
bool fEmitCppFrame(sState&) { return true; }
