// Input normalisation. (Work in progress: identity until the normalisation change lands.)
#include "text/normalize.h"

std::string fNormalizeScript(const char* pScript, size_t length) {
  return std::string(pScript, length);
}
