// JASS binds "or" tighter than "and" ('A or B and C' is '(A or B) and C'),
// C++ binds "&&" tighter than "||". The written C++ gets the JASS grouping
// back with parentheses (output).
#ifndef JASSCRIBE_OUTPUT_LOGICAL_H_
#define JASSCRIBE_OUTPUT_LOGICAL_H_

#include <string>

/// In every expression of the C++ text where "||" and "&&" meet on one level,
/// puts each "||" chain that is an operand of "&&" in parentheses:
/// "A || B && C" becomes "(A || B) && C", "A && B || C" becomes "A && (B || C)".
/// Literals are left alone; everything else is copied unchanged.
std::string fGroupLogicalOperators(const std::string& text);

#endif  // JASSCRIBE_OUTPUT_LOGICAL_H_
