// The keyword table, indexed by kind code. Codes without a keyword hold "".
#include "scan/kinds.h"

#include <array>
#include <cstddef>

namespace {

constexpr int kCodeCount = K_MAX_CODE + 1;

// Row i is the keyword of code i; keep the rows in code order.
constexpr std::array<const char*, kCodeCount> kKeywords = {
    "function",          // 0  K_FUNCTION
    "constant function", // 1  K_CONSTANT_FUNCTION
    "endfunction",       // 2  K_ENDFUNCTION
    "globals",           // 3  K_GLOBALS
    "endglobals",        // 4  K_ENDGLOBALS
    "if",                // 5  K_IF
    "endif",             // 6  K_ENDIF
    "local",             // 7  K_LOCAL
    "set",               // 8  K_SET
    "call",              // 9  K_CALL
    "return",            // 10 K_RETURN
    "or",                // 11 K_OR
    "and",               // 12 K_AND
    "not",               // 13 K_NOT
    "constant",          // 14 K_CONSTANT
    "takes",             // 15 K_TAKES
    "returns",           // 16 K_RETURNS
    "array",             // 17 K_ARRAY
    "unit",              // 18 K_TYPE_UNIT
    "player",            // 19 K_TYPE_PLAYER
    "group",             // 20 K_TYPE_GROUP
    "integer",           // 21 K_TYPE_INTEGER
    "string",            // 22 K_TYPE_STRING
    "real",              // 23 K_TYPE_REAL
    "code",              // 24 K_TYPE_CODE
    "rect",              // 25 K_TYPE_RECT
    "timer",             // 26 K_TYPE_TIMER
    "hashtable",         // 27 K_TYPE_HASHTABLE
    "destructable",      // 28 K_TYPE_DESTRUCTABLE
    "sound",             // 29 K_TYPE_SOUND
    "trigger",           // 30 K_TYPE_TRIGGER
    "multiboard",        // 31 K_TYPE_MULTIBOARD
    "lightning",         // 32 K_TYPE_LIGHTNING
    "timerdialog",       // 33 K_TYPE_TIMERDIALOG
    "region",            // 34 K_TYPE_REGION
    "effect",            // 35 K_TYPE_EFFECT
    "texttag",           // 36 K_TYPE_TEXTTAG
    "unitstate",         // 37 K_TYPE_UNITSTATE
    "then",              // 38 K_THEN
    "loop",              // 39 K_LOOP
    "exitwhen",          // 40 K_EXITWHEN
    "endloop",           // 41 K_ENDLOOP
    "(",                 // 42 K_LPAREN
    ")",                 // 43 K_RPAREN
    "",                  // 44 K_PLAIN
    "else",              // 45 K_ELSE
    "elseif",            // 46 K_ELSEIF
    "nothing",           // 47 K_NOTHING
    "null",              // 48 K_NULL
    " ",                 // 49 K_SPACE
    ",",                 // 50 K_COMMA
    "=",                 // 51 K_ASSIGN
    "",                  // 52 K_LETTER
    "",                  // 53 K_HIGH_BYTE
    "",                  // 54 K_LETTER_OR_HIGH
    "+",                 // 55 K_PLUS
    "\"",                // 56 K_QUOTE
    "$",                 // 57 K_DOLLAR
    "",                  // 58 K_NUMBER
    "!",                 // 59 K_BANG
    "boolean",           // 60 K_TYPE_BOOLEAN
    "*",                 // 61 K_STAR
    "<",                 // 62 K_LESS
    ">",                 // 63 K_GREATER
    "[",                 // 64 K_LBRACKET
    "]",                 // 65 K_RBRACKET
    "",                  // 66 K_PARAM_LIST
    "",                  // 67 K_CONDITION
    "-",                 // 68 K_MINUS
    "/",                 // 69 K_SLASH
    "",                  // 70 K_ANY_CHAR
    "",                  // 71 K_ARGUMENT
    "",                  // 72 K_EXPRESSION
    "function",          // 73 K_FUNCTION_REF
    "",                  // 74 (names nothing)
    "",                  // 75 K_SCRIPT
    "weathereffect",     // 76 K_TYPE_WEATHEREFFECT
    "",                  // 77 K_END_OF_LIST
    "playerevent",       // 78 K_TYPE_PLAYEREVENT
    "playerunitevent",   // 79 K_TYPE_PLAYERUNITEVENT
    "boolexpr",          // 80 K_TYPE_BOOLEXPR
    "gametype",          // 81 K_TYPE_GAMETYPE
    "",                  // 82 K_QUOTE_TOGGLE
    "",                  // 83 K_OPEN_COUNT
    "",                  // 84 K_CLOSE_COUNT
    "",                  // 85 K_IF_NEST
    "",                  // 86 K_LOOP_NEST
    "",                  // 87 K_ENDIF_NEST
    "",                  // 88 K_ENDLOOP_NEST
    "",                  // 89 K_ELSE_NEST
    "force",             // 90 K_TYPE_FORCE
    "quest",             // 91 K_TYPE_QUEST
    "fogmodifier",       // 92 K_TYPE_FOGMODIFIER
    "item",              // 93 K_TYPE_ITEM
    "event",             // 94 K_TYPE_EVENT
    "multiboarditem",    // 95 K_TYPE_MULTIBOARDITEM
    "",                  // 96 K_TYPE_OTHER (its own name, not a keyword)
    "",                  // 97
    "",                  // 98
    "",                  // 99
    "",                  // 100
};

constexpr int32_t fConstLength(const char* p) {
  int32_t n = 0;
  while (p[n] != '\0') ++n;
  return n;
}

constexpr std::array<int32_t, kCodeCount> fMakeLengths() {
  std::array<int32_t, kCodeCount> lengths{};
  for (size_t i = 0; i < lengths.size(); ++i) lengths[i] = fConstLength(kKeywords[i]);
  return lengths;
}

constexpr std::array<int32_t, kCodeCount> kLengths = fMakeLengths();
static_assert(kLengths[K_CONSTANT_FUNCTION] == 17, "the blank counts");
static_assert(kLengths[K_FUNCTION_REF] == kLengths[K_FUNCTION], "same keyword");

bool fInRange(KindCode code) { return code >= K_MIN_CODE && code <= K_MAX_CODE; }

}  // namespace

int32_t fKeywordLength(KindCode code) {
  return fInRange(code) ? kLengths[static_cast<size_t>(code)] : 0;
}

const char* fKeywordPtr(KindCode code) {
  return fInRange(code) ? kKeywords[static_cast<size_t>(code)] : "";
}

std::string fKeywordText(KindCode code) { return std::string(fKeywordPtr(code)); }
