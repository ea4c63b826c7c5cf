// Input normalisation: brings a real script (indented, commented, with LF or
// CR line ends) into the unindented CR LF form the translator is built for.
#ifndef JASSCRIBE_TEXT_NORMALIZE_H_
#define JASSCRIBE_TEXT_NORMALIZE_H_

#include <cstddef>
#include <string>

/// The normalised copy of the script's bytes.
std::string fNormalizeScript(const char* pScript, size_t length);

#endif  // JASSCRIBE_TEXT_NORMALIZE_H_
