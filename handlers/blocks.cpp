// If and loop blocks. (Work in progress: stand-in bodies until the handler change lands.)
#include "handlers/handlers.h"

bool fOnIfBlock(sState&, sText&, sText&) { return true; }
bool fOnThen(sState&, sText&, sText&) { return true; }
bool fOnElse(sState&, sText&, sText&) { return true; }
bool fOnElseif(sState&, sText&, sText&) { return true; }
bool fOnLoopBlock(sState&, sText&, sText&) { return true; }
bool fOnExitwhen(sState&, sText&, sText&) { return true; }
