// Property test of expression translation: random JASS expressions (numbers,
// reals, rawcodes, $hex, strings, parameters, globals, calls, groups,
// comparisons, and/or/not, with and without blanks) placed in every statement
// context. The C++ must group the same operands under the same operators as
// the game groups the JASS: both are read into trees, JASS with "or" binding
// tighter than "and", C++ with its own rules, and the trees must be equal.
// So parentheses that change nothing may come and go; besides, only the
// spelling may differ: "and" "or" "not" as && || !, $ as 0x, a real in any
// C++ form ("2." "2.0" "2.f"), a string as sMyString("text") or by its code,
// "pGlobal->" before a global inside a function, "_2" after a C++ keyword.
// Tokens are cut by C++'s own rules, so "5 - -3" written "5 --3" differs.
// Seeds 1..N, N from the environment:
//   JASSCRIBE_PROPERTY_SEEDS=5000 framework_tests --gtest_filter='ExpressionProperty.*'
// JASSCRIBE_PROPERTY_SEED=17 runs that seed alone and shows every context.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/bytes.h"
#include "support/convert.h"

namespace {

// ---------------------------------------------------------------------------
// Random JASS expressions as token lists.

enum eTokenKind { kWord, kNumber, kReal, kHex, kRawcode, kString, kLocal, kGlobal, kSymbol };

struct sToken {
  eTokenKind kind;
  std::string text;
};

// Names of the test script: parameters of the function under test, the
// globals, and the functions it may call (with their argument counts). "this"
// is a C++ keyword and must come out as "this_2"; the others must keep their
// names, including those that begin with a C++ or JASS word.
const char* const kLocals[] = {"a", "b", "doCount", "thisOne", "INX", "orb", "andy", "notes", "this"};
const char* const kGlobals[] = {"g", "gCount", "ifo", "endLoop"};
const struct {
  const char* name;
  int nArgs;
} kCalls[] = {{"F", 2}, {"H", 1}, {"doWork", 0}, {"R2I", 1}, {"GetRandomInt", 2}};
const char* const kRawcodes[] = {"'A00B'", "'hfoo'", "'a'", "'+'", "'('", "')'", "','"};
const char* const kReals[] = {"1.5", "0.25", ".5", "2.", "100.00"};
// Literals whose bytes look like code (parentheses, commas, statement words)
// and escapes, alone and inside longer text.
const char* const kStrings[] = {"\"ab\"", "\"x\"", "\"a)\"", "\":)\"", "\"(a\"", "\")\"", "\"a,b\"",
                                "\"then\"", "\"if then\"", "\"a b\"", "\"\\n\"", "\"ab\\ncd\"",
                                "\"a\\\"b\""};
const char* const kBinary[] = {"+", "-", "*", "/", "==", "!=", "<", ">", "<=", ">=", "and", "or"};

const int kMaxDepth = 3;

class sExpressionMaker {
 public:
  explicit sExpressionMaker(uint32_t seed) : random_(seed) {}

  /// An expression; bGlobalOnly leaves out parameters (for global initial values).
  std::vector<sToken> fExpression(bool bGlobalOnly) {
    bGlobalOnly_ = bGlobalOnly;
    std::vector<sToken> tokens;
    fAddExpression(tokens, 0);
    return tokens;
  }

  /// The tokens joined, blanks between them at random but always between two
  /// tokens that would otherwise run together into one.
  std::string fJoin(const std::vector<sToken>& tokens) {
    std::string text;
    for (size_t i = 0; i < tokens.size(); ++i) {
      if (i > 0 && (fRunsTogether(tokens[i - 1], tokens[i]) || fPick(2) == 0)) text += ' ';
      text += tokens[i].text;
    }
    return text;
  }

 private:
  uint32_t fPick(uint32_t n) { return static_cast<uint32_t>(random_() % n); }

  static bool fWordy(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '$';
  }
  static bool fRunsTogether(const sToken& left, const sToken& right) {
    // A minus before a minus is kept apart too: "--" reads as one token in C++
    // and the test wants to see the translator keep them apart.
    return (fWordy(left.text.back()) && fWordy(right.text.front())) ||
           (left.text == "-" && right.text == "-");
  }

  void fAddExpression(std::vector<sToken>& tokens, int depth) {
    fAddUnary(tokens, depth);
    const uint32_t nMore = depth >= kMaxDepth ? 0 : fPick(3);
    for (uint32_t i = 0; i < nMore; ++i) {
      const char* op = kBinary[fPick(sizeof kBinary / sizeof kBinary[0])];
      tokens.push_back({std::isalpha(static_cast<unsigned char>(op[0])) ? kWord : kSymbol, op});
      fAddUnary(tokens, depth + 1);
    }
  }

  void fAddUnary(std::vector<sToken>& tokens, int depth) {
    const uint32_t prefix = fPick(8);
    if (prefix == 0) tokens.push_back({kWord, "not"});
    if (prefix == 1) tokens.push_back({kSymbol, "-"});
    fAddPrimary(tokens, depth);
  }

  void fAddPrimary(std::vector<sToken>& tokens, int depth) {
    const uint32_t choice = fPick(depth >= kMaxDepth ? 8 : 10);
    switch (choice) {
      case 0: tokens.push_back({kNumber, std::to_string(fPick(200))}); break;
      case 1: tokens.push_back({kReal, kReals[fPick(sizeof kReals / sizeof kReals[0])]}); break;
      case 2: tokens.push_back({kRawcode, kRawcodes[fPick(sizeof kRawcodes / sizeof kRawcodes[0])]}); break;
      case 3: {
        static const char* const kHexDigits[] = {"$1F", "$68304137", "$ff", "$0"};
        tokens.push_back({kHex, kHexDigits[fPick(4)]});
        break;
      }
      case 4:
      case 5:
        if (!bGlobalOnly_) {
          tokens.push_back({kLocal, kLocals[fPick(sizeof kLocals / sizeof kLocals[0])]});
          break;
        }
        [[fallthrough]];
      case 6: tokens.push_back({kGlobal, kGlobals[fPick(sizeof kGlobals / sizeof kGlobals[0])]}); break;
      case 7: tokens.push_back({kString, kStrings[fPick(sizeof kStrings / sizeof kStrings[0])]}); break;
      case 8: {
        tokens.push_back({kSymbol, "("});
        fAddExpression(tokens, depth + 1);
        tokens.push_back({kSymbol, ")"});
        break;
      }
      default: fAddCall(tokens, depth); break;
    }
  }

  void fAddCall(std::vector<sToken>& tokens, int depth) {
    const auto& call = kCalls[fPick(sizeof kCalls / sizeof kCalls[0])];
    tokens.push_back({kWord, call.name});
    tokens.push_back({kSymbol, "("});
    for (int i = 0; i < call.nArgs; ++i) {
      if (i > 0) tokens.push_back({kSymbol, ","});
      fAddExpression(tokens, depth + 1);
    }
    tokens.push_back({kSymbol, ")"});
  }

  std::mt19937 random_;
  bool bGlobalOnly_ = false;
};

// ---------------------------------------------------------------------------
// C++ tokens, cut as a C++ compiler cuts them (longest match).

std::vector<std::string> fCppTokens(const std::string& text) {
  static const char* const kPunctuators[] = {"->", "&&", "||", "==", "!=", "<=", ">=", "++",
                                             "--", "<<", ">>", "::", "+=", "-=", "*=", "/="};
  std::vector<std::string> tokens;
  size_t i = 0;
  const auto isIdent = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  while (i < text.size()) {
    const char c = text[i];
    size_t end = i + 1;
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (std::isdigit(static_cast<unsigned char>(c)) ||
        (c == '.' && i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1])))) {
      // A preprocessing number: digits, letters, "." and a sign after e/E/p/P.
      while (end < text.size() &&
             (isIdent(text[end]) || text[end] == '.' ||
              ((text[end] == '+' || text[end] == '-') &&
               std::string("eEpP").find(text[end - 1]) != std::string::npos))) {
        ++end;
      }
    } else if (isIdent(c)) {
      while (end < text.size() && isIdent(text[end])) ++end;
    } else if (c == '\'' || c == '"') {
      while (end < text.size() && text[end] != c) end += text[end] == '\\' ? 2 : 1;
      end = end < text.size() ? end + 1 : text.size();
    } else {
      for (const char* p : kPunctuators) {
        if (text.compare(i, 2, p) == 0) end = i + 2;
      }
    }
    tokens.push_back(text.substr(i, end - i));
    i = end;
  }
  return tokens;
}

// ---------------------------------------------------------------------------
// Contexts.

enum eContext { kSet, kCallArgument, kReturn, kIf, kElseif, kExitwhen, kLocalValue, kGlobalValue };

const struct {
  eContext context;
  const char* name;
} kContexts[] = {
    {kSet, "set"},       {kCallArgument, "call argument"}, {kReturn, "return"},
    {kIf, "if"},         {kElseif, "elseif"},             {kExitwhen, "exitwhen"},
    {kLocalValue, "local value"}, {kGlobalValue, "global value"},
};

const char kScriptHead[] =
    "globals\r\n"
    "integer g = 1\r\n"
    "integer gCount = 2\r\n"
    "integer ifo = 3\r\n"
    "integer endLoop = 4\r\n";
const char kScriptFunctions[] =
    "function F takes integer x, integer y returns integer\r\n"
    "return x\r\n"
    "endfunction\r\n"
    "function H takes integer x returns integer\r\n"
    "return x\r\n"
    "endfunction\r\n"
    "function doWork takes nothing returns integer\r\n"
    "return 1\r\n"
    "endfunction\r\n"
    "function T takes integer a, integer b, integer doCount, integer thisOne, integer INX, "
    "integer orb, integer andy, integer notes, integer this returns integer\r\n";

// The JASS script that holds the expression in the context.
std::string fScript(eContext context, const std::string& e) {
  std::string globals = kScriptHead;
  std::string body;
  switch (context) {
    case kSet: body = "set a = " + e + "\r\n"; break;
    case kCallArgument: body = "call H(" + e + ")\r\n"; break;
    case kReturn: body = "return " + e + "\r\n"; break;
    case kIf: body = "if " + e + " then\r\ncall H(1)\r\nendif\r\n"; break;
    case kElseif: body = "if a then\r\ncall H(1)\r\nelseif " + e + " then\r\ncall H(2)\r\nendif\r\n"; break;
    case kExitwhen: body = "loop\r\nexitwhen " + e + "\r\nendloop\r\n"; break;
    case kLocalValue: body = "local integer v = " + e + "\r\n"; break;
    case kGlobalValue: globals += "integer gv = " + e + "\r\n"; break;
  }
  return globals + "endglobals\r\n" + kScriptFunctions + body + "return 0\r\nendfunction\r\n";
}

std::vector<std::string> fLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

bool fStartsWith(const std::string& text, const std::string& head) {
  return text.compare(0, head.size(), head) == 0;
}

// The C++ tokens of the expression's statement, without the statement's own
// tokens around the expression; bFound false when the statement is missing.
std::vector<std::string> fTranslatedExpression(eContext context, const sConverted& out,
                                               bool& bFound) {
  bFound = false;
  std::vector<std::string> lines;
  if (context == kGlobalValue) {
    lines = fLines(out.header);
  } else {
    const size_t at = out.functions.find("integer T(");
    if (at != std::string::npos) lines = fLines(out.functions.substr(at));
  }
  // Each context: the line's start (after blanks), and the tokens that
  // frame the expression at the start and the end of the line.
  std::string head;
  size_t nLead = 0;
  size_t nTrail = 0;
  switch (context) {
    case kSet: head = "a "; nLead = 2; nTrail = 1; break;              // a = E ;
    case kCallArgument: head = "H("; nLead = 2; nTrail = 2; break;     // H ( E ) ;
    case kReturn: head = "return"; nLead = 1; nTrail = 1; break;       // return E ;
    case kIf: head = "if"; nLead = 1; break;                           // if E
    case kElseif: head = "else if"; nLead = 2; break;                  // else if E
    case kExitwhen: head = "if"; nLead = 1; nTrail = 2; break;         // if E break ;
    case kLocalValue: head = "integer v "; nLead = 3; nTrail = 1; break;  // integer v = E ;
    case kGlobalValue: head = "gv="; nLead = 2; nTrail = 1; break;     // gv = E ;
  }
  for (const std::string& raw : lines) {
    size_t begin = 0;
    while (begin < raw.size() && raw[begin] == '\t') ++begin;
    std::string line = raw.substr(begin);
    if (context == kGlobalValue && fStartsWith(line, "integer gv=")) {
      line = line.substr(8);  // an initialiser inside the class: "integer gv=E;"
    }
    if (!fStartsWith(line, head)) continue;
    if (context == kExitwhen && line.find("break;") == std::string::npos) continue;
    std::vector<std::string> tokens = fCppTokens(line);
    if (tokens.size() < nLead + nTrail) continue;
    bFound = true;
    return std::vector<std::string>(tokens.begin() + static_cast<long>(nLead),
                                    tokens.end() - static_cast<long>(nTrail));
  }
  return {};
}

// The C++ tokens the JASS expression must give, for one JASS token.
void fAddExpected(std::vector<std::string>& expected, const sToken& token, bool bInFunction) {
  if (token.text == "and") expected.push_back("&&");
  else if (token.text == "or") expected.push_back("||");
  else if (token.text == "not") expected.push_back("!");
  else if (token.kind == kHex) expected.push_back("0x" + token.text.substr(1));
  else if (token.text == "this") expected.push_back("this_2");
  else if (token.kind == kGlobal && bInFunction) {
    expected.push_back("pGlobal");
    expected.push_back("->");
    expected.push_back(token.text);
  } else {
    expected.push_back(token.text);
  }
}

// Binding strength of the binary operators, loosest first. JASS binds "or"
// tighter than "and" (as the game parses it); C++ the other way round. The
// rest is alike: equality, then the relational operators, then + -, then * /.
struct sGrammar {
  int nAnd;
  int nOr;
};
const sGrammar kJassGrammar = {1, 2};
const sGrammar kCppGrammar = {2, 1};

int fBinding(const sGrammar& grammar, const std::string& op) {
  if (op == "&&") return grammar.nAnd;
  if (op == "||") return grammar.nOr;
  if (op == "==" || op == "!=") return 3;
  if (op == "<" || op == ">" || op == "<=" || op == ">=") return 4;
  if (op == "+" || op == "-") return 5;
  if (op == "*" || op == "/") return 6;
  return 0;
}

// An expression's tree written with every group in parentheses, so two
// expressions compute alike exactly when their trees are the same text.
// Redundant parentheses of the input leave no trace.
class sTreeReader {
 public:
  static const int kMaxNesting = 200;

  sTreeReader(const std::vector<std::string>& tokens, const sGrammar& grammar)
      : tokens_(tokens), grammar_(grammar) {}

  /// The tree, or "" when the tokens are no complete expression.
  std::string fTree() {
    std::string tree = fBinary(1);
    return bBroken_ || at_ != tokens_.size() ? "" : tree;
  }

 private:
  const std::string& fPeek() const {
    static const std::string kEnd;
    return at_ < tokens_.size() ? tokens_[at_] : kEnd;
  }
  bool fTake(const char* token) {
    if (fPeek() != token) return false;
    ++at_;
    return true;
  }
  std::string fFail() {
    bBroken_ = true;
    return "";
  }

  // Left-associative binary operators of at least this binding.
  std::string fBinary(int nMin) {
    std::string left = fUnary();
    for (int n; !bBroken_ && (n = fBinding(grammar_, fPeek())) >= nMin;) {
      const std::string op = tokens_[at_++];
      const std::string right = fBinary(n + 1);
      left = "(" + left + " " + op + " " + right + ")";
    }
    return left;
  }

  std::string fUnary() {
    if (fPeek() == "!" || fPeek() == "-") {
      const std::string op = tokens_[at_++];
      return "(" + op + fUnary() + ")";
    }
    return fPrimary();
  }

  static bool fIsOperand(const std::string& token) {
    const char c = token.empty() ? ' ' : token[0];
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '\'' ||
           c == '"';
  }

  // A group, or an operand: a literal, a name, "pGlobal->name", a call.
  std::string fPrimary() {
    if (at_ >= tokens_.size() || ++depth_ > kMaxNesting) return fFail();
    std::string tree;
    if (fTake("(")) {
      tree = fBinary(1);
      if (!fTake(")")) return fFail();
    } else {
      if (!fIsOperand(fPeek())) return fFail();
      tree = fLeaf(tokens_[at_++]);
      if (tree == "sMyString") fStringValue(tree);
      if (tree == "pGlobal" && fTake("->")) {
        if (!fIsOperand(fPeek())) return fFail();
        tree += "->" + tokens_[at_++];
      }
      if (fTake("(")) tree += fArguments();
    }
    --depth_;
    return tree;
  }

  std::string fArguments() {
    std::string args = "(";
    if (fTake(")")) return args + ")";
    do {
      if (args.size() > 1) args += ", ";
      args += fBinary(1);
    } while (!bBroken_ && fTake(","));
    if (!fTake(")")) return fFail();
    return args + ")";
  }

  // The value of sMyString("text") or sMyString(0xNN) as a string leaf;
  // false, with nothing read, when the tokens after the name are neither.
  bool fStringValue(std::string& tree) {
    if (at_ + 2 >= tokens_.size() || tokens_[at_] != "(" || tokens_[at_ + 2] != ")") return false;
    const std::string& value = tokens_[at_ + 1];
    if (value[0] == '"') {
      tree = fLeaf(value);
    } else if (value.compare(0, 2, "0x") == 0) {
      tree = fStringLeaf(std::string(1, static_cast<char>(std::strtol(value.c_str(), nullptr, 16))));
    } else {
      return false;
    }
    at_ += 3;
    return true;
  }

  // A string by its bytes, so that two spellings of the same text are alike.
  static std::string fStringLeaf(const std::string& bytes) { return "string<" + fShow(bytes) + ">"; }

  // The bytes of a literal; JASS and C++ mean the same by \n \t \r \" \\.
  static std::string fLiteralBytes(const std::string& literal) {
    std::string bytes;
    for (size_t i = 1; i + 1 < literal.size(); ++i) {
      if (literal[i] != '\\' || i + 2 >= literal.size()) {
        bytes += literal[i];
        continue;
      }
      const char c = literal[++i];
      bytes += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    }
    return bytes;
  }

  // A real reads as its value, so "2." "2.0" "2.f" are alike: the
  // translator may spell a real in any of its C++ forms.
  static std::string fLeaf(const std::string& token) {
    if (token[0] == '"') return fStringLeaf(fLiteralBytes(token));
    const bool bNumeric = std::isdigit(static_cast<unsigned char>(token[0])) || token[0] == '.';
    if (!bNumeric || token.find('.') == std::string::npos) return token;
    char* pEnd = nullptr;
    const double value = std::strtod(token.c_str(), &pEnd);
    if (*pEnd != '\0' && std::strcmp(pEnd, "f") != 0) return token;
    char text[40];
    std::snprintf(text, sizeof text, "%.9g.", value);
    return text;
  }

  const std::vector<std::string>& tokens_;
  const sGrammar& grammar_;
  size_t at_ = 0;
  int depth_ = 0;
  bool bBroken_ = false;
};

std::string fJoined(const std::vector<std::string>& tokens) {
  std::string text;
  for (const std::string& t : tokens) text += (text.empty() ? "" : " ") + t;
  return text;
}

// "" when the expression computes the same in C++ as in JASS, else what differs.
std::string fCheck(eContext context, const std::vector<sToken>& jass, const std::string& text) {
  const bool bInFunction = context != kGlobalValue;
  std::vector<std::string> expected;
  for (const sToken& token : jass) fAddExpected(expected, token, bInFunction);
  const sConverted out = fConvertAll(fScript(context, text));
  bool bFound = false;
  const std::vector<std::string> actual = fTranslatedExpression(context, out, bFound);
  if (!bFound) return "statement missing from the output";
  const std::string want = sTreeReader(expected, kJassGrammar).fTree();
  const std::string got = sTreeReader(actual, kCppGrammar).fTree();
  if (!want.empty() && want == got) return "";
  return "expected: " + fJoined(expected) + "\n      got: " + fJoined(actual) +
         "\n      as JASS groups it: " + want + "\n      as C++ groups it:  " +
         (got.empty() ? "(not an expression)" : got);
}

int fEnvInt(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

// The fixed seeds CTest runs.
const int kSeeds = 60;

}  // namespace

TEST(ExpressionProperty, EveryContextKeepsTheExpression) {
  const int single = fEnvInt("JASSCRIBE_PROPERTY_SEED", 0);
  const int first = single > 0 ? single : 1;
  const int last = single > 0 ? single : fEnvInt("JASSCRIBE_PROPERTY_SEEDS", kSeeds);
  int nFailures = 0;
  std::map<std::string, int> failuresByContext;
  for (int seed = first; seed <= last; ++seed) {
    for (const auto& c : kContexts) {
      // One expression per seed and context, made from the seed alone, so a
      // failure is reproduced by its seed.
      sExpressionMaker maker(static_cast<uint32_t>(seed) * 16u + static_cast<uint32_t>(c.context));
      const std::vector<sToken> jass = maker.fExpression(c.context == kGlobalValue);
      const std::string text = maker.fJoin(jass);
      const std::string problem = fCheck(c.context, jass, text);
      if (single > 0) std::printf("%-14s %s\n", c.name, text.c_str());
      if (problem.empty()) continue;
      ++nFailures;
      ++failuresByContext[c.name];
      ADD_FAILURE() << "seed " << seed << ", " << c.name << ": " << fShow(text) << "\n      "
                    << problem;
    }
  }
  for (const auto& [context, n] : failuresByContext) {
    std::printf("%-14s %d of %d seeds fail\n", context.c_str(), n, last - first + 1);
  }
  EXPECT_EQ(nFailures, 0);
}
