// Operand translation. (Work in progress: stand-in until the operand change lands.)
#include "output/operand.h"

bool fTranslateOperand(sState&, sText* pElement, sText& out) {
  out.data = pElement ? pElement->data : std::string();
  return true;
}

bool fResetConstruct(sState&) { return true; }
