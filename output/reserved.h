// Words that C++ reserves: a JASS name equal to one of them cannot be written
// as it is, so the operand flush and both function-name tables rename it with
// the suffix "_2", as they do with the names that begin with "this", "do" or "IN".
#ifndef JASSCRIBE_OUTPUT_RESERVED_H_
#define JASSCRIBE_OUTPUT_RESERVED_H_

#include <string>

#include "text/charbuf.h"

/// True when the name is exactly a C++ keyword (case-sensitive).
bool fIsCppKeyword(const std::string& name);

/// Appends "_2" unless the name already ends in it: a name is renamed once,
/// however many flushes see it.
void fAppendReservedSuffix(sCharBuf& name);

#endif  // JASSCRIBE_OUTPUT_RESERVED_H_
