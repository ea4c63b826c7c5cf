// Filing a rule's result into the section lists (rules -> output): translated
// functions with their prototypes and registration lines, globals blocks, and
// the initial values of globals, which move into the constructor.
#include "rules/call.h"

#include <string>

#include "scan/typenames.h"

namespace {

const char kLineEnd[] = "\r\n";
const char kStatementEndWith14[] = ";\r\x0e";
const char kPrototypeEnd[] = ";";
const char kConstructorIndent[] = "\t\t";
const char kNoParams[] = "()";
const char kRegisterPrefix[] = "\tfMyRegisterFunc(\"";
const char kRegisterMiddle[] = "\",(integer)&";
const char kRegisterSuffix[] = ");";

bool fEndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A function that takes and returns nothing is registered with its name, so
// the runtime can find exactly that function by name: ExecuteFunc names it as the
// script spells it ("main", "delete"), the address is the C++ function's.
void fFileFunction(sRuleCall& c) {
  sState& s = c.s;
  s.vFuncsCppList.fAppend(&c.out);
  s.vFuncsCppList.fAppendString(kLineEnd);
  if (s.vReturnsNothing == 1 && s.vFuncParams.data == kNoParams) {
    const std::string line = kRegisterPrefix + s.vFuncJassName.str() + kRegisterMiddle +
                             s.vFuncName.str() + kRegisterSuffix;
    fAppendLine(&s.vBodyFuncsInitList, line.c_str());
  }
  s.vFuncsForHeaderList.fAppend(&s.vFuncPrototype);
  fAppendLine(&s.vFuncsForHeaderList, kPrototypeEnd);
}

// The constructor line gets exactly one ";" CR LF.
void fAppendAssignment(sState& s, const std::string& assignment) {
  sTextList& list = s.vInitVarsInConstructorList;
  if (fEndsWith(assignment, kStatementEndWith14)) {
    s.vWorkBuffer.fCopy(assignment.data(), assignment.size() - 3);
    list.fAppendString(s.vWorkBuffer.c_str());
    list.fAppendString(kStatementEnd);
  } else if (!fEndsWith(assignment, kStatementEnd)) {
    list.fAppendBytes(assignment.data(), assignment.size());
    list.fAppendString(kStatementEnd);
  } else {
    list.fAppendBytes(assignment.data(), assignment.size());
  }
}

// "type name=value;" becomes the member "type name;" and the constructor
// line "name=value;". Without a blank after the type word or an "=" after
// that blank nothing is split.
void fSplitInitialiser(sRuleCall& c) {
  sState& s = c.s;
  std::string& output = c.out.data;
  const size_t blank = output.find(' ', static_cast<size_t>(fTypeNameLength(c.rule, c.in.data)));
  if (blank == std::string::npos) return;
  const size_t assign = output.find('=', blank);
  if (assign == std::string::npos) return;
  s.vFormatBuffer.fClear();
  s.vFormatBuffer.fCopy(output.data() + blank + 1, output.size() - blank - 1);
  s.vInitVarsInConstructorList.fAppendString(kConstructorIndent);
  fAppendAssignment(s, s.vFormatBuffer.str());
  output = output.substr(0, assign) + kStatementEnd;
  s.vAssignEmitted = 0;
  s.vFormatBuffer.fClear();
  c.in.bTerminated = 1;
}

}  // namespace

void fFileResult(sRuleCall& c) {
  if (c.rule == K_FUNCTION) {
    fFileFunction(c);
  } else if (c.rule == K_GLOBALS) {
    c.s.vGlobalsVarList.fAppend(&c.out);
  } else if (fIsTypeKind(c.rule)) {
    // Every initial value moves into the constructor, even one whose "="
    // flag a group after it cleared ('integer g = -(x)'): left in the class,
    // it would read globals before the constructor has set them.
    if (c.s.vInGlobals == 1) {
      fSplitInitialiser(c);
    } else {
      c.in.bTerminated = 0;
    }
  }
}
