// The last step of writing C++ (output): operands and operators are written
// without blanks where the script had none, and two of them can then run into
// one different C++ token.
#ifndef JASSCRIBE_OUTPUT_TOKENS_H_
#define JASSCRIBE_OUTPUT_TOKENS_H_

#include <string>

/// Puts a blank where C++ would read two written tokens as one: "--" and "++"
/// from two operators ('5 - -3'), and a number ending in e, E, p or P before
/// "+" or "-" ('0x1E-x', which C++ reads as one malformed number). Literals
/// are left as they are. Returns the text unchanged where nothing runs together.
std::string fSeparateTokens(const std::string& text);

/// Writes every real literal as a float literal ("0.1" becomes "0.1f", ".5"
/// ".5f", "2." "2.f"): JASS reals are 32-bit, and compared or computed as
/// doubles they would give other results. Integers, hexadecimal numbers,
/// names with digits and literals are left as they are.
std::string fWriteRealsAsFloats(const std::string& text);

#endif  // JASSCRIBE_OUTPUT_TOKENS_H_
