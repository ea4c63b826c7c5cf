// The benchmark's generated inputs (bench/, outside the translator): a real
// map's function section repeated under new function names, for the scaling
// series, and the pathological lines that once cost minutes.
#ifndef JASSCRIBE_BENCH_INPUTS_H_
#define JASSCRIBE_BENCH_INPUTS_H_

#include <string>

/// The script with its function section (from the first line that defines a
/// function to the end) written nCopies times; copy k renames every function
/// the section defines, wherever the name stands as a word, by appending
/// "_R" and k. Only the part before the section when none is found.
std::string fScaledScript(const std::string& script, int nCopies);

/// One function whose call nests nLevels parentheses: "call f(((...x...)))".
std::string fNestedParentheses(int nLevels);
/// One function calling f with a single argument of about nBytes bytes and
/// no comma in it: "call f(a+a+...+a)".
std::string fLongArgument(int nBytes);
/// One function with nLevels if blocks nested inside each other.
std::string fNestedIfs(int nLevels);

#endif  // JASSCRIBE_BENCH_INPUTS_H_
