// Operators and operand keywords. (Work in progress: stand-in bodies until the handler change lands.)
#include "handlers/handlers.h"

bool fOnAssign(sState&, sText&, sText&) { return true; }
bool fOnLess(sState&, sText&, sText&) { return true; }
bool fOnGreater(sState&, sText&, sText&) { return true; }
bool fOnBang(sState&, sText&, sText&) { return true; }
bool fOnDollar(sState&, sText&, sText&) { return true; }
bool fOnNull(sState&, sText&, sText&) { return true; }
bool fOnNumber(sState&, sText&, sText&) { return true; }
bool fOnStar(sState&, sText&, sText&) { return true; }
bool fOnSlash(sState&, sText&, sText&) { return true; }
bool fOnPlus(sState&, sText&, sText&) { return true; }
bool fOnMinus(sState&, sText&, sText&) { return true; }
bool fOnAnd(sState&, sText&, sText&) { return true; }
bool fOnOr(sState&, sText&, sText&) { return true; }
bool fOnNot(sState&, sText&, sText&) { return true; }
bool fOnFunctionRef(sState&, sText&, sText&) { return true; }
