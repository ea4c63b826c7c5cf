// Globals block, array declarations and line remainders. (Work in progress: stand-in bodies until the handler change lands.)
#include "handlers/handlers.h"

bool fOnGlobalsBlock(sState&, sText&, sText&) { return true; }
bool fOnArray(sState&, sText&, sText&) { return true; }
bool fOnPlain(sState&, sText&, sText&) { return true; }
