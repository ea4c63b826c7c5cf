// Kind codes: one small integer names each keyword, symbol, type name,
// character class, scanner counter and grammar rule, in the scanner, the rule
// engine and the dispatcher alike.
#ifndef JASSCRIBE_SCAN_KINDS_H_
#define JASSCRIBE_SCAN_KINDS_H_

#include <cstdint>
#include <string>

using KindCode = int32_t;

constexpr KindCode K_FUNCTION = 0;
constexpr KindCode K_CONSTANT_FUNCTION = 1;
constexpr KindCode K_ENDFUNCTION = 2;
constexpr KindCode K_GLOBALS = 3;
constexpr KindCode K_ENDGLOBALS = 4;
constexpr KindCode K_IF = 5;
constexpr KindCode K_ENDIF = 6;
constexpr KindCode K_LOCAL = 7;
constexpr KindCode K_SET = 8;
constexpr KindCode K_CALL = 9;
constexpr KindCode K_RETURN = 10;
constexpr KindCode K_OR = 11;
constexpr KindCode K_AND = 12;
constexpr KindCode K_NOT = 13;
constexpr KindCode K_CONSTANT = 14;
constexpr KindCode K_TAKES = 15;
constexpr KindCode K_RETURNS = 16;
constexpr KindCode K_ARRAY = 17;
constexpr KindCode K_TYPE_UNIT = 18;
constexpr KindCode K_TYPE_PLAYER = 19;
constexpr KindCode K_TYPE_GROUP = 20;
constexpr KindCode K_TYPE_INTEGER = 21;
constexpr KindCode K_TYPE_STRING = 22;
constexpr KindCode K_TYPE_REAL = 23;
constexpr KindCode K_TYPE_CODE = 24;
constexpr KindCode K_TYPE_RECT = 25;
constexpr KindCode K_TYPE_TIMER = 26;
constexpr KindCode K_TYPE_HASHTABLE = 27;
constexpr KindCode K_TYPE_DESTRUCTABLE = 28;
constexpr KindCode K_TYPE_SOUND = 29;
constexpr KindCode K_TYPE_TRIGGER = 30;
constexpr KindCode K_TYPE_MULTIBOARD = 31;
constexpr KindCode K_TYPE_LIGHTNING = 32;
constexpr KindCode K_TYPE_TIMERDIALOG = 33;
constexpr KindCode K_TYPE_REGION = 34;
constexpr KindCode K_TYPE_EFFECT = 35;
constexpr KindCode K_TYPE_TEXTTAG = 36;
constexpr KindCode K_TYPE_UNITSTATE = 37;
constexpr KindCode K_THEN = 38;
constexpr KindCode K_LOOP = 39;
constexpr KindCode K_EXITWHEN = 40;
constexpr KindCode K_ENDLOOP = 41;
constexpr KindCode K_LPAREN = 42;
constexpr KindCode K_RPAREN = 43;
constexpr KindCode K_PLAIN = 44;
constexpr KindCode K_ELSE = 45;
constexpr KindCode K_ELSEIF = 46;
constexpr KindCode K_NOTHING = 47;
constexpr KindCode K_NULL = 48;
constexpr KindCode K_SPACE = 49;
constexpr KindCode K_COMMA = 50;
constexpr KindCode K_ASSIGN = 51;
constexpr KindCode K_LETTER = 52;
constexpr KindCode K_HIGH_BYTE = 53;
constexpr KindCode K_LETTER_OR_HIGH = 54;
constexpr KindCode K_PLUS = 55;
constexpr KindCode K_QUOTE = 56;
constexpr KindCode K_DOLLAR = 57;
constexpr KindCode K_NUMBER = 58;
constexpr KindCode K_BANG = 59;
constexpr KindCode K_TYPE_BOOLEAN = 60;
constexpr KindCode K_STAR = 61;
constexpr KindCode K_LESS = 62;
constexpr KindCode K_GREATER = 63;
constexpr KindCode K_LBRACKET = 64;
constexpr KindCode K_RBRACKET = 65;
constexpr KindCode K_PARAM_LIST = 66;
constexpr KindCode K_CONDITION = 67;
constexpr KindCode K_MINUS = 68;
constexpr KindCode K_SLASH = 69;
constexpr KindCode K_ANY_CHAR = 70;
constexpr KindCode K_ARGUMENT = 71;
constexpr KindCode K_EXPRESSION = 72;
constexpr KindCode K_FUNCTION_REF = 73;
constexpr KindCode K_SCRIPT = 75;
constexpr KindCode K_TYPE_WEATHEREFFECT = 76;
constexpr KindCode K_END_OF_LIST = 77;
constexpr KindCode K_TYPE_PLAYEREVENT = 78;
constexpr KindCode K_TYPE_PLAYERUNITEVENT = 79;
constexpr KindCode K_TYPE_BOOLEXPR = 80;
constexpr KindCode K_TYPE_GAMETYPE = 81;
constexpr KindCode K_QUOTE_TOGGLE = 82;
constexpr KindCode K_OPEN_COUNT = 83;
constexpr KindCode K_CLOSE_COUNT = 84;
constexpr KindCode K_IF_NEST = 85;
constexpr KindCode K_LOOP_NEST = 86;
constexpr KindCode K_ENDIF_NEST = 87;
constexpr KindCode K_ENDLOOP_NEST = 88;
constexpr KindCode K_ELSE_NEST = 89;
constexpr KindCode K_TYPE_FORCE = 90;
constexpr KindCode K_TYPE_QUEST = 91;
constexpr KindCode K_TYPE_FOGMODIFIER = 92;
constexpr KindCode K_TYPE_ITEM = 93;
constexpr KindCode K_TYPE_EVENT = 94;
constexpr KindCode K_TYPE_MULTIBOARDITEM = 95;
// Any type that the table does not name (scan/typenames.h): no keyword of its
// own, the element's text begins with the type's name.
constexpr KindCode K_TYPE_OTHER = 96;

constexpr KindCode K_MIN_CODE = 0;
constexpr KindCode K_MAX_CODE = 100;

/// The keyword length of a code; 0 for codes without a keyword or out of range.
int32_t fKeywordLength(KindCode code);
/// A copy of the code's keyword; empty for codes without one, never fails.
std::string fKeywordText(KindCode code);
/// The keyword as a pointer into the table ("" for codes without one).
const char* fKeywordPtr(KindCode code);
/// True for the type kinds: 18 to 37, 60, 76, 78 to 81, 90 to 96. Inline:
/// asked for every element and at many positions.
inline bool fIsTypeKind(KindCode code) {
  return (code >= 18 && code <= 37) || code == 60 || code == 76 ||
         (code >= 78 && code <= 81) || (code >= 90 && code <= 96);
}

#endif  // JASSCRIBE_SCAN_KINDS_H_
