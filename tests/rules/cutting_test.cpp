// How the engine cuts texts into elements: which kinds it dispatches, with
// which bytes and head/tail lengths. Handlers are replaced by a recorder, so
// only the engine and the scanner are under test.
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "rule_test_util.h"
#include "rules/call.h"
#include "scan/scan_state.h"
#include "scan/scanner.h"
#include "scan/typenames.h"

namespace {

bool fOpenBody(sState&, sText& in, sText&) {
  in.bInBody = 1;
  return true;
}
bool fPendElse(sState& s, sText&, sText&) {
  s.vElsePending = 1;
  return true;
}
// As the blank and comma handlers do: the name before them is consumed.
bool fConsumeName(sState& s, sText&, sText&) {
  s.vPendingNameSet = 0;
  s.vPendingName.fClear();
  return true;
}

// As the string-literal handler does: each quote opens or closes a literal.
bool fToggleString(sState& s, sText&, sText&) {
  s.vStringMode = s.vStringMode == 0 ? 1 : 0;
  return true;
}

struct CutCase {
  const char* name;
  KindCode rule;
  std::string text;
  int32_t head;
  int32_t tail;
  std::map<KindCode, fStandIn> standIns;
  std::vector<sSeen> expected;
};

std::string fDescribe(const std::vector<sSeen>& seen) {
  std::string d;
  for (const sSeen& e : seen) {
    d += std::to_string(e.kind) + ":\"" + fShow(e.text) + "\"/" + std::to_string(e.nHeadLen) +
         "/" + std::to_string(e.nTailLen) + " ";
  }
  return d;
}

const std::string kLongName(4990, 'a');

std::vector<CutCase> fCutCases() {
  return {
      {"blank lines with CR LF produce no element", K_FUNCTION,
       "\r\n\r\nset a = 1\r\n\r\n\r\ncall b\r\n", 0, 0, {},
       {{K_SET, "set a = 1", 3, 0, ""}, {K_CALL, "call b", 4, 0, ""}}},
      {"after a lone LF the next line's keyword is not matched", K_FUNCTION,
       "x\nset a\r\n", 0, 0, {}, {{K_SPACE, " ", 0, 0, ""}}},
      {"statement keywords at line start", K_FUNCTION,
       "local integer i\r\nset i = 1\r\ncall f(i)\r\nreturn i\r\n", 0, 0, {},
       {{K_LOCAL, "local integer i", 5, 0, ""},
        {K_SET, "set i = 1", 3, 0, ""},
        {K_CALL, "call f(i)", 4, 0, ""},
        {K_RETURN, "return i", 6, 0, ""}}},
      {"blank-indented statement", K_FUNCTION, "  set a = 1\r\n", 0, 0, {},
       {{K_SPACE, " ", 0, 0, ""}, {K_SPACE, " ", 0, 0, ""}, {K_SET, "set a = 1", 3, 0, ""}}},
      {"globals: declarations only at line start, a tab hides one", K_GLOBALS,
       "\r\ninteger a = 1\r\n\tinteger b\r\n  real c\r\nreal d\r\n", 0, 0, {},
       {{K_TYPE_INTEGER, "integer a = 1", 7, 0, ""}, {K_TYPE_REAL, "real d", 4, 0, ""}}},
      {"else if on one line is an elseif element", K_IF,
       "if a then\r\nset x = 1\r\nelse if b then\r\nset y = 2\r\nendif", 2, 5,
       {{K_THEN, fOpenBody}, {K_ELSE, fPendElse}},
       {{K_THEN, "then", 4, 0, ""},
        {K_SET, "set x = 1", 3, 0, ""},
        {K_ELSE, "else", 0, 0, ""},
        {K_SPACE, " ", 0, 0, ""},
        {K_ELSEIF, "if", 6, 0, ""},
        {K_THEN, "then", 4, 0, ""},
        {K_SET, "set y = 2", 3, 0, ""}}},
      {"byte 14 ends a line", K_FUNCTION, "call f(a\x0e)\r\n", 0, 0, {},
       {{K_CALL, "call f(a", 4, 0, ""}}},
      {"byte 14 after a double quote is ordinary", K_FUNCTION, "call f(\"a\"\x0e)\r\n", 0, 0,
       {}, {{K_CALL, "call f(\"a\"\x0e)", 4, 0, ""}}},
      {"byte 14 at the start of an element is ordinary", K_FUNCTION, "\x0e" "call f\r\n", 0,
       0, {}, {{K_SPACE, " ", 0, 0, ""}}},
      {"top level keeps only globals blocks and functions", K_SCRIPT,
       "native X takes nothing returns nothing\r\ntype t extends handle\r\nglobals\r\n"
       "integer a\r\nendglobals\r\nset x = 1\r\nfunction f takes nothing returns nothing\r\n"
       "call g()\r\nendfunction\r\nconstant function h takes nothing returns integer\r\n"
       "return 1\r\nendfunction\r\n",
       0, 0, {},
       {{K_ENDGLOBALS, "globals\r\ninteger a\r\nendglobals", 7, 10, ""},
        {K_ENDFUNCTION,
         "function f takes nothing returns nothing\r\ncall g()\r\nendfunction", 8, 11, ""},
        {K_ENDFUNCTION,
         "constant function h takes nothing returns integer\r\nreturn 1\r\nendfunction", 8,
         11, ""}}},
      {"a number open at a line end ends the scan", K_TYPE_INTEGER, "integer n = 5\r\nz", 7, 0,
       {{K_SPACE, fConsumeName}},
       {{K_SPACE, " ", 0, 0, ""},
        {K_SPACE, " ", 0, 0, ""},
        {K_ASSIGN, "=", 0, 0, ""},
        {K_SPACE, " ", 0, 0, ""}}},
      {"a number at the end of the text is the final element", K_TYPE_INTEGER,
       "integer n = 5", 7, 0, {{K_SPACE, fConsumeName}},
       {{K_SPACE, " ", 0, 0, ""},
        {K_SPACE, " ", 0, 0, ""},
        {K_ASSIGN, "=", 0, 0, ""},
        {K_SPACE, " ", 0, 0, ""},
        {K_NUMBER, "5", 0, 0, ""}}},
      {"an unrecognised rest is a plain element", K_SET, "set x = y", 3, 0, {},
       {{K_SPACE, " ", 0, 0, ""},
        {K_SPACE, " ", 0, 0, ""},
        {K_ASSIGN, "=", 0, 0, ""},
        {K_SPACE, " ", 0, 0, ""},
        {K_PLAIN, "y", 0, 0, ""}}},
      {"a group is one element from its opener to its closer", K_CALL, "call f(a, (b))", 4, 0,
       {}, {{K_SPACE, " ", 0, 0, ""}, {K_RPAREN, "(a, (b))", 1, 1, ""}}},
      // A tracked group's inner openers and closers are counted without a
      // scan of each: closers inside literals and the other kind of group
      // do not count.
      {"a group ends at its own closer, literals and brackets aside", K_CALL,
       "call f((a),\")\",')',[b](c))+d", 4, 0, {},
       {{K_SPACE, " ", 0, 0, ""},
        {K_RPAREN, "((a),\")\",')',[b](c))", 1, 1, ""},
        {K_PLUS, "+", 0, 0, ""},
        {K_PLAIN, "d", 0, 0, ""}}},
      {"a bracket group ends at its own closer", K_SET, "set v[w[i]+(j)]=1", 3, 0, {},
       {{K_SPACE, " ", 0, 0, ""},
        {K_RBRACKET, "[w[i]+(j)]", 1, 1, ""},
        {K_ASSIGN, "=", 0, 0, ""},
        {K_PLAIN, "1", 0, 0, ""}}},
      {"a bracket group is one element", K_SET, "set v[i] = 1", 3, 0, {},
       {{K_SPACE, " ", 0, 0, ""},
        {K_RBRACKET, "[i]", 1, 1, ""},
        {K_SPACE, " ", 0, 0, ""},
        {K_ASSIGN, "=", 0, 0, ""},
        {K_SPACE, " ", 0, 0, ""},
        {K_PLAIN, "1", 0, 0, ""}}},
      {"a 5000-character line does not end the scan", K_FUNCTION,
       "set x = " + kLongName + "\r\ncall g\r\n", 0, 0, {},
       {{K_SET, "set x = " + kLongName, 3, 0, ""}, {K_CALL, "call g", 4, 0, ""}}},
      {"a 5000-character top-level line is dropped, the function after it kept", K_SCRIPT,
       kLongName + "\r\nfunction f\r\nendfunction\r\n", 0, 0, {},
       {{K_ENDFUNCTION, "function f\r\nendfunction", 8, 11, ""}}},
  };
}

TEST(RuleEngineCutting, DispatchesTheElementsOfEachEdgeCase) {
  for (const CutCase& tc : fCutCases()) {
    SCOPED_TRACE(std::string(tc.name) + " | " + fShow(tc.text.substr(0, 80)));
    sState s;
    std::vector<sSeen> seen;
    fRecordElements(s, seen, tc.standIns);
    sText in = fMakeText(tc.text, tc.head, tc.tail);
    fRun(s, in, tc.rule, 1);
    EXPECT_EQ(seen, tc.expected) << "seen: " << fDescribe(seen)
                                 << "\nwant: " << fDescribe(tc.expected);
    EXPECT_EQ(s.vDepth, 0);
  }
}

// The arguments of a split group: the pending text at each comma, then the
// final element.
std::vector<std::string> fArguments(const std::vector<sSeen>& seen) {
  std::vector<std::string> args;
  for (const sSeen& e : seen) {
    if (e.kind == K_COMMA) args.push_back(e.pending);
    if (e.kind == K_ARGUMENT) args.push_back(e.text);
  }
  return args;
}

TEST(RuleEngineCutting, SplitsGroupsAtTopLevelCommasOnly) {
  struct Case {
    std::string text;
    std::vector<std::string> arguments;
  };
  const Case cases[] = {
      {"(a, g(b, c), d)", {"a", " g(b, c)", "d"}},
      {"(\"a,b\", c)", {"\"a,b\"", "c"}},
      {"(f(x), y)", {"f(x)", "y"}},
      {"(a)", {"a"}},
      // The comma test, run from inside the literal, sees a top-level comma;
      // the open literal keeps the scanner on its quote list all the same.
      {"(\"a,b\")", {}},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.text);
    sState s;
    std::vector<sSeen> seen;
    fRecordElements(s, seen, {{K_COMMA, fConsumeName}, {K_QUOTE, fToggleString}});
    sText in = fMakeText(tc.text, 1, 1);
    fRun(s, in, K_LPAREN, 3);
    EXPECT_EQ(fArguments(seen), tc.arguments) << fDescribe(seen);
  }
}

TEST(RuleEngineCutting, ParameterListWithoutCommaIsOneArgument) {
  sState s;
  std::vector<sSeen> seen;
  fRecordElements(s, seen);
  sText in = fMakeText(" integer a ");
  fRun(s, in, K_PARAM_LIST, 2);
  EXPECT_EQ(seen, (std::vector<sSeen>{{K_ARGUMENT, " integer a ", 0, 0, ""}}));
}

TEST(RuleEngineCutting, CalledNameIsWrittenInFrontOfItsGroup) {
  sState s;
  std::vector<sSeen> seen;
  fRecordElements(s, seen, {{K_RPAREN, fWriteBody}});
  sText in = fMakeText("call DoIt(x)", 4);
  EXPECT_EQ(fShow(fRun(s, in, K_CALL, 2)), fShow("\tDoItx;\r\n"));
}

TEST(RuleEngineCutting, FailedElementEndsTheScanButTheRuleSucceeds) {
  sState s;
  std::vector<sSeen> seen;
  fRecordElements(s, seen, {{K_SET, [](sState&, sText&, sText& out) {
                               out.data = "SET";
                               return false;
                             }},
                            {K_CALL, fWriteBody}});
  sText in = fMakeText("call a\r\nset b\r\ncall c\r\n");
  s.vDepth = 0;
  sText out;
  EXPECT_TRUE(fApplyRule(s, in, out, K_FUNCTION));
  ASSERT_EQ(seen.size(), 2u);  // call c is never reached
  EXPECT_EQ(out.data, " a");   // the failed element's output is not kept
}

}  // namespace

// Each element sees the kind of the element its own rule call dispatched
// just before it; a nested call starts afresh and does not leak its kinds.
TEST(RuleEngineCutting, EachElementSeesThePreviousKindOfItsCall) {
  sState s;
  std::vector<std::pair<KindCode, int32_t>> seen;
  s.fTestDispatch = [&seen](sState& st, int32_t code, sText&, sText&, bool* pResult) {
    seen.emplace_back(code, st.vPrevElementKind);
    *pResult = true;
    return code != K_RPAREN;  // the group runs its own rule call
  };
  sText in = fMakeText("set x = (a)<=b", 3);
  fRun(s, in, K_SET, 2);
  const std::vector<std::pair<KindCode, int32_t>> expected = {
      {K_SPACE, -1},         {K_SPACE, K_SPACE},   {K_ASSIGN, K_SPACE}, {K_SPACE, K_ASSIGN},
      {K_RPAREN, K_SPACE},   {K_ARGUMENT, -1},     {K_LESS, K_RPAREN},  {K_ASSIGN, K_LESS},
      {K_PLAIN, K_ASSIGN}};
  EXPECT_EQ(seen, expected);
}

// The expression and argument rules skip the scan of a name, number or
// rawcode alone. Checked against the scanner: wherever the claim is made,
// scanning the text byte by byte as the engine does cuts nothing and only
// begins the pending name; and keywords, glued operators and anything else
// that a scan would act on are refused.
TEST(RuleEngineCutting, LoneOperandScansToItsNameAlone) {
  std::vector<std::string> words = {"x",     "udg_Hero", "a1or", "x_and", "order", "nothing",
                                    "42",    "0.5",      ".5",   "7.",    "1or",   "1and",
                                    "9a",    "a.b",      "_x",   "'A0'",  "a b",   "f(x)", "''", "'a b'", "'x", "'A0'or",
                                    "-1",    "$FF",      "x1",   "null2", "\"s\"", "a\r"};
  for (KindCode code = K_MIN_CODE; code <= K_MAX_CODE; ++code) {
    if (fKeywordLength(code) > 0) words.push_back(fKeywordText(code));
  }
  for (const std::string_view* p = fOtherTypeNamesBegin(); p != fOtherTypeNamesEnd(); ++p) {
    words.emplace_back(*p);
  }
  std::set<std::string> claimed;
  for (const std::string& word : words) {
    for (uint8_t pending : {0, 1}) {
      sState s;
      s.vPendingNameSet = pending;
      sText in(word), out;
      sRuleCall call(s, in, out, K_EXPRESSION);
      const sScanChoice choice = fChooseAlternatives(call);
      const int32_t n = static_cast<int32_t>(word.size());
      if (!fIsLoneOperand(choice, word.data(), n)) continue;
      claimed.insert(word);
      // As the engine scans: each byte joins the buffer, then the scanner
      // runs with the list chosen there (literal content only collected).
      for (int32_t r = 0; r < n; ++r) {
        call.szBuffer.resize(static_cast<size_t>(n) + 1, '\0');
        call.szBuffer[static_cast<size_t>(r)] = word[static_cast<size_t>(r)];
        ASSERT_TRUE(fRunScanner(call, r, fChooseAlternatives(call)));
        ++call.nBufLen;
      }
      const Cut cut{call.vIndex1, call.vIndex2, call.vFlag1, call.vFlag2};
      sState expected;
      expected.vPendingNameSet = 1;
      EXPECT_TRUE(ScanState(s, cut) == ScanState(expected, Cut())) << "'" << word << "'";
      EXPECT_EQ(s.vLastChar, static_cast<uint8_t>(word.back())) << "'" << word << "'";
    }
  }
  for (const char* word : {"x", "udg_Hero", "a1or", "x_and", "order", "nothing", "42", "0.5",
                           ".5", "7.", "x1", "null2", "set", "integer", "'A0'"}) {
    EXPECT_EQ(claimed.count(word), 1u) << "'" << word << "' is scanned in full";
  }
  for (const char* word : {"or", "and", "not", "null", "function", "1or", "1and", "9a", "''",
                           "'a b'", "'x", "'A0'or", "f(x)", "-1", "$FF", " "}) {
    EXPECT_EQ(claimed.count(word), 0u) << "'" << word << "' is not scanned";
  }
}
