// The last step of writing C++ (output): operands and operators are written
// without blanks where the script had none, and two of them can then run into
// one different C++ token; and JASS reals are 32-bit where a C++ literal with
// a point is a double.
#ifndef JASSCRIBE_OUTPUT_TOKENS_H_
#define JASSCRIBE_OUTPUT_TOKENS_H_

#include <string>

/// In one pass over written C++:
/// - puts a blank where C++ would read two tokens as one: "--" and "++" from
///   two operators ('5 - -3'), and a number ending in e, E, p or P before "+"
///   or "-" ('0x1E-x', which C++ reads as one malformed number);
/// - writes every real literal as a float literal ("0.1" becomes "0.1f", ".5"
///   ".5f", "2." "2.f"), so it compares and computes as the game's reals do.
/// Integers, hexadecimal numbers, names with digits and literals stay as they are.
std::string fFinishTokens(const std::string& text);

#endif  // JASSCRIBE_OUTPUT_TOKENS_H_
