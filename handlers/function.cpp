// Function blocks and headers. (Work in progress: stand-in bodies until the handler change lands.)
#include "handlers/handlers.h"

bool fOnFunctionBlock(sState&, sText&, sText&) { return true; }
bool fOnTakes(sState&, sText&, sText&) { return true; }
bool fOnReturns(sState&, sText&, sText&) { return true; }
bool fOnNothing(sState&, sText&, sText&) { return true; }
bool fOnSignature(sState&, sText&, sText&) { return true; }
bool fStringTypeText(sState&, const sText&, sText& out) { out.data = "sMyString"; return true; }
