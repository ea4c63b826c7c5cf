// String literals. (Work in progress: stand-in bodies until the handler change lands.)
#include "handlers/handlers.h"

bool fOnQuote(sState&, sText&, sText&) { return true; }
