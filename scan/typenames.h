// The type names beyond the kind table: one kind code, K_TYPE_OTHER, stands
// for all of them, so an element of that kind carries its own name as text.
// Used by the scanner and by the rule engine (head length, pending type).
#ifndef JASSCRIBE_SCAN_TYPENAMES_H_
#define JASSCRIBE_SCAN_TYPENAMES_H_

#include <cstdint>
#include <string_view>

#include "scan/kinds.h"

/// True when text is exactly one of the listed type names.
bool fIsOtherTypeName(std::string_view text);

/// The length of the type name that a type element's text begins with: the
/// keyword length for the table's types, the length of the leading listed
/// name for K_TYPE_OTHER (0 when the text does not begin with one).
int32_t fTypeNameLength(KindCode code, std::string_view text);

/// The listed names in their sorted order (for the tests).
const std::string_view* fOtherTypeNamesBegin();
const std::string_view* fOtherTypeNamesEnd();

#endif  // JASSCRIBE_SCAN_TYPENAMES_H_
