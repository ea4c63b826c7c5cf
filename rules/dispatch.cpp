// The dispatcher (rules <-> handlers): routes a kind code to its construct
// handler or back into the rule engine. Blocks and groups arrive under their
// closer; the two groups are the only codes translated under another rule.
#include "rules/rules.h"

#include <array>

#include "handlers/handlers.h"

namespace {

using fHandler = bool (*)(sState& s, sText& in, sText& out);

constexpr KindCode kNoRule = -1;

// One row per routed code: a handler, or the rule fApplyRule runs. The type
// names (18 to 37, 60, 76, 78 to 81, 90 to 96) all run their own rule and are
// routed by fIsTypeKind instead of one row each.
struct sRoute {
  KindCode code;
  fHandler handler;
  KindCode rule;
};

const sRoute kRoutes[] = {
    {K_ENDFUNCTION,  fOnFunctionBlock, kNoRule},
    {K_ENDGLOBALS,   fOnGlobalsBlock,  kNoRule},
    {K_ENDIF,        fOnIfBlock,       kNoRule},
    {K_LOCAL,        nullptr,          K_LOCAL},
    {K_SET,          nullptr,          K_SET},
    {K_CALL,         nullptr,          K_CALL},
    {K_RETURN,       nullptr,          K_RETURN},
    {K_OR,           fOnOr,            kNoRule},
    {K_AND,          fOnAnd,           kNoRule},
    {K_NOT,          fOnNot,           kNoRule},
    {K_CONSTANT,     nullptr,          K_CONSTANT},
    {K_TAKES,        fOnTakes,         kNoRule},
    {K_RETURNS,      fOnReturns,       kNoRule},
    {K_ARRAY,        fOnArray,         kNoRule},
    {K_THEN,         fOnThen,          kNoRule},
    {K_EXITWHEN,     fOnExitwhen,      kNoRule},
    {K_ENDLOOP,      fOnLoopBlock,     kNoRule},
    {K_RPAREN,       nullptr,          K_LPAREN},    // a group arrives under its closer
    {K_PLAIN,        fOnPlain,         kNoRule},
    {K_ELSE,         fOnElse,          kNoRule},
    {K_ELSEIF,       fOnElseif,        kNoRule},
    {K_NOTHING,      fOnNothing,       kNoRule},
    {K_NULL,         fOnNull,          kNoRule},
    {K_SPACE,        fOnSpace,         kNoRule},
    {K_COMMA,        fOnComma,         kNoRule},
    {K_ASSIGN,       fOnAssign,        kNoRule},
    {K_PLUS,         fOnPlus,          kNoRule},
    {K_QUOTE,        fOnQuote,         kNoRule},
    {K_DOLLAR,       fOnDollar,        kNoRule},
    {K_NUMBER,       fOnNumber,        kNoRule},
    {K_BANG,         fOnBang,          kNoRule},
    {K_STAR,         fOnStar,          kNoRule},
    {K_LESS,         fOnLess,          kNoRule},
    {K_GREATER,      fOnGreater,       kNoRule},
    {K_RBRACKET,     nullptr,          K_LBRACKET},  // a group arrives under its closer
    {K_PARAM_LIST,   nullptr,          K_PARAM_LIST},
    {K_MINUS,        fOnMinus,         kNoRule},
    {K_SLASH,        fOnSlash,         kNoRule},
    {K_ARGUMENT,     nullptr,          K_ARGUMENT},
    {K_FUNCTION_REF, fOnFunctionRef,   kNoRule},
    {K_SCRIPT,       nullptr,          K_SCRIPT},
};

// Every element passes here: the routes indexed by code, built once.
using sRouteTable = std::array<const sRoute*, K_MAX_CODE + 1>;

sRouteTable fBuildRouteTable() {
  sRouteTable table{};
  for (const sRoute& route : kRoutes) {
    const size_t at = static_cast<size_t>(route.code);
    if (table[at] == nullptr) table[at] = &route;
  }
  return table;
}

const sRouteTable kRouteTable = fBuildRouteTable();

const sRoute* fFindRoute(KindCode code) {
  if (code < K_MIN_CODE || code > K_MAX_CODE) return nullptr;
  return kRouteTable[static_cast<size_t>(code)];
}

}  // namespace

bool fRunRule(sState& s, KindCode code, sText& in, sText& out) {
  bool result = false;
  if (s.fTestDispatch && s.fTestDispatch(s, code, in, out, &result)) return result;
  if (fIsTypeKind(code)) return fApplyRule(s, in, out, code);
  const sRoute* route = fFindRoute(code);
  if (route == nullptr) return false;  // openers, rule-only codes, classes, counters
  if (route->handler != nullptr) return route->handler(s, in, out);
  return fApplyRule(s, in, out, route->rule);
}
