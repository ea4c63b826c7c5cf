// Input normalisation: brings a real script (indented, commented, with LF or
// CR line ends, tabs, a byte order mark) into the unindented CR LF form the
// translator is built for. Runs once, before the conversion run wraps it.
#ifndef JASSCRIBE_TEXT_NORMALIZE_H_
#define JASSCRIBE_TEXT_NORMALIZE_H_

#include <cstddef>
#include <string>

/// The normalised copy of the script's bytes. Outside string and rawcode
/// literals: comments dropped, tabs made blanks, blanks at line start and
/// end dropped, every line end CR LF. Inside string literals raw line ends
/// become the escapes \r and \n. A leading UTF-8 byte order mark is dropped.
/// Idempotent; a clean script comes back unchanged.
std::string fNormalizeScript(const char* pScript, size_t length);

#endif  // JASSCRIBE_TEXT_NORMALIZE_H_
