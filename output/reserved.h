// Names the output cannot use as they are: the words C++ reserves and the
// macros of the framework's headers. A JASS name equal to one of them is
// renamed with the suffix "_2" at every site alike (declarations, uses,
// definitions, calls, references); every other name keeps its spelling.
#ifndef JASSCRIBE_OUTPUT_RESERVED_H_
#define JASSCRIBE_OUTPUT_RESERVED_H_

#include <string>
#include <string_view>

#include "text/charbuf.h"

/// True when the name is exactly a C++ keyword or one of the framework
/// headers' macros IN, OUT, OPTIONAL, NULL, TRUE, FALSE (case-sensitive).
bool fIsReservedName(std::string_view name);

/// Appends "_2" unless the name already ends in it: a name is renamed once,
/// however many flushes see it.
void fAppendReservedSuffix(sCharBuf& name);

#endif  // JASSCRIBE_OUTPUT_RESERVED_H_
