// The compile check (see compile_check.h): conversion in process, the
// compiler run on the written files, and the errors sorted into translated
// functions and kept causes. Linux only (popen), like the tests.
#include "framework/compile_check.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <system_error>

#include "support/convert.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace compile_check {
namespace {

// ---------------------------------------------------------------------------
// The kept causes. Each row names a cause, shows a JASS example, and says how
// its compiler error is recognised; an error that no row recognises is a
// translation fault.

bool fHas(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

bool fStartsWith(const std::string& text, const char* head) {
  return text.compare(0, std::strlen(head), head) == 0;
}

// The JASS text of the function that C++ calls unitName, from its
// "function" line to its "endfunction"; "" when the script has none.
std::string fJassFunction(const std::string& script, const std::string& unitName) {
  std::string name = unitName == "fMainJass" ? "main" : unitName;
  std::set<std::string> names = {name};
  if (name.size() > 2 && name.compare(name.size() - 2, 2, "_2") == 0) {
    names.insert(name.substr(0, name.size() - 2));
  }
  for (const std::string& candidate : names) {
    const std::regex head("(^|\\n)[ \\t]*(constant[ \\t]+)?function[ \\t]+" + candidate +
                          "[ \\t]+takes");
    std::smatch found;
    if (!std::regex_search(script, found, head)) continue;
    const size_t begin = static_cast<size_t>(found.position(0));
    const size_t end = script.find("endfunction", begin);
    return script.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
  }
  return "";
}

// The text without its string and rawcode literals.
std::string fWithoutLiterals(const std::string& text) {
  std::string code;
  char quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == '\\') ++i;
      else if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c != ' ' && c != '\t') {
      code += c;
    }
  }
  return code;
}

bool fReturnsOtherType(const sError& e, const std::string&, const std::string&) {
  return fHas(e.message, " in return") ||
         (fStartsWith(e.code, "return") &&
          (fHas(e.message, "could not convert") || fHas(e.message, "invalid conversion") ||
           fHas(e.message, "cannot convert")));
}

bool fCodeTakesArguments(const sError& e, const std::string&, const std::string&) {
  return std::regex_search(e.message, std::regex("\\(\\*\\)\\([^)]+\\)'.* to 'code'"));
}

bool fMissingArgument(const sError& e, const std::string& unit, const std::string& script) {
  if (!fHas(e.message, "expected primary-expression before ','")) return false;
  const std::string jass = fWithoutLiterals(fJassFunction(script, unit));
  return fHas(jass, "(,") || fHas(jass, ",,") || fHas(jass, ",)");
}

bool fFramePointerOrder(const sError& e, const std::string& unit, const std::string&) {
  return unit == "frame" && fHas(e.message, "ordered comparison of pointer with integer zero");
}

bool fTemporarySubString(const sError& e, const std::string&, const std::string&) {
  return fHas(e.message, "cannot bind non-const lvalue reference of type 'sMyString&' to an rvalue") &&
         fHas(e.code, "fMySubString(");
}

bool fLibraryWithoutMain(const sError& e, const std::string& unit, const std::string& script) {
  return unit == "frame" && fHas(e.message, "'fMainJass' was not declared") &&
         fJassFunction(script, "main").empty();
}

struct sKeptRow {
  const char* cause;
  const char* example;
  bool (*fMatches)(const sError& e, const std::string& unit, const std::string& script);
};

const sKeptRow kKept[] = {
    // cause                              example (JASS)                                       recognised by
    {"return bug",                        "return h  (in a function that returns integer)",     &fReturnsOtherType},
    {"invalid JASS: code with arguments", "function F  (where F takes an integer)",             &fCodeTakesArguments},
    {"invalid JASS: missing argument",    "GetUnitAbilityLevel(,x)",                            &fMissingArgument},
    {"frame: pointer > 0",                "if (pGlobal > 0)  in fMapEnd",                       &fFramePointerOrder},
    {"frame: temporary to fMySubString",  "SubString(GetPlayerName(p), 0, 3)",                  &fTemporarySubString},
    {"library without main",              "Blizzard.j: fMain calls fMainJass",                  &fLibraryWithoutMain},
};

// ---------------------------------------------------------------------------
// Lines, spans and units.

std::vector<std::string> fLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

std::string fTrimmed(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

// The name before the first "(" of a head or prototype line.
std::string fNameBeforeParen(const std::string& line) {
  const size_t paren = line.find('(');
  if (paren == std::string::npos) return "";
  size_t end = paren;
  while (end > 0 && line[end - 1] == ' ') --end;
  size_t begin = end;
  while (begin > 0 && (std::isalnum(static_cast<unsigned char>(line[begin - 1])) ||
                       line[begin - 1] == '_')) {
    --begin;
  }
  return line.substr(begin, end - begin);
}

const char* const kFrameFunctions[] = {
    "fMyStringHash", "fMyGetUnitName", "fMySubString", "fMyI2S", "fMain",
    "fMyExecuteFunc", "fMapBegin", "fMyGetLocalPlayer", "fMapEnd", "fFuncsInit",
};

bool fIsFrameFunction(const std::string& name) {
  for (const char* frame : kFrameFunctions) {
    if (name == frame) return true;
  }
  return false;
}

// The unit that a line of war3map.cpp belongs to. Lines between the
// translated functions belong to none of them: a fault of the translation
// (a function that lost its head leaves its body there).
std::string fCppUnit(const std::vector<sSpan>& spans, const std::vector<std::string>& lines,
                     int nLine) {
  int nFrameEnd = 0;  // the last line of the support functions before the translated ones
  for (const sSpan& span : spans) {
    if (span.name == "fMapEnd") nFrameEnd = span.nLast;
  }
  for (const sSpan& span : spans) {
    if (nLine < span.nFirst || nLine > span.nLast) continue;
    if (!span.bFrame) return span.name;
    if (span.name != "fFuncsInit" || nLine <= span.nFirst + 1) return "frame";
    // A registration line names the translated function it registers.
    const std::string& line = lines[static_cast<size_t>(nLine - 1)];
    size_t at = line.rfind(")&");
    std::string name;
    for (at = at == std::string::npos ? line.size() : at + 2;
         at < line.size() && (std::isalnum(static_cast<unsigned char>(line[at])) || line[at] == '_');
         ++at) {
      name += line[at];
    }
    return "registration of " + name;
  }
  return nFrameEnd > 0 && nLine > nFrameEnd ? "outside any function" : "frame";
}

// The unit that a line of war3map.h belongs to: the global object (up to the
// class's closing line), a prototype's function, or the frame's prototypes.
std::string fHeaderUnit(const std::vector<std::string>& lines, int nLine) {
  for (size_t i = 0; i < lines.size() && static_cast<int>(i) < nLine; ++i) {
    if (lines[i] == "};") {
      const std::string name = fNameBeforeParen(lines[static_cast<size_t>(nLine - 1)]);
      return name.empty() || fIsFrameFunction(name) ? "frame" : name;
    }
  }
  return "global object";
}

// ---------------------------------------------------------------------------
// Running the compiler.

// The command's output (stdout and stderr); bRan tells whether it ran.
std::string fRun(const std::string& command, bool& bRan) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  bRan = pipe != nullptr;
  if (pipe == nullptr) return output;
  char chunk[4096];
  for (size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) output.append(chunk, n);
  const int status = pclose(pipe);
  // 127: the shell found no compiler.
  if (status == -1 || (WIFEXITED(status) && WEXITSTATUS(status) == 127)) bRan = false;
  return output;
}

std::string fBaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

// ---------------------------------------------------------------------------

int sResult::nFailingFunctions() const {
  int n = 0;
  for (const sUnit& unit : failing) {
    if (unit.name != "frame" && unit.name != "global object" && unit.name != "stand-in" &&
        unit.name != "outside any function" && !fStartsWith(unit.name, "registration of ")) {
      ++n;
    }
  }
  return n;
}

int sResult::nFaults() const {
  int n = compilerTrouble.empty() ? 0 : 1;
  for (const sUnit& unit : failing) {
    if (unit.keptCause.empty() && !unit.bKnown) ++n;
  }
  return n;
}

int sResult::nKnown() const {
  int n = 0;
  for (const sUnit& unit : failing) {
    if (unit.bKnown) ++n;
  }
  return n;
}

void fMarkKnownFaults(sResult& result, const std::string& list) {
  for (sUnit& unit : result.failing) {
    const std::string item = result.script + ":" + unit.name;
    for (size_t pos = 0; pos <= list.size();) {
      size_t end = list.find(',', pos);
      if (end == std::string::npos) end = list.size();
      if (unit.keptCause.empty() && list.compare(pos, end - pos, item) == 0) unit.bKnown = true;
      pos = end + 1;
    }
  }
}

std::vector<sSpan> fFunctionSpans(const std::string& cpp) {
  const std::vector<std::string> lines = fLines(cpp);
  std::vector<sSpan> spans;
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string& head = lines[i];
    if (head.empty() || head[0] == '\t' || head[0] == ' ' || head[0] == '{' || head[0] == '}' ||
        head[0] == '#' || lines[i + 1] != "{") {
      continue;
    }
    sSpan span;
    span.name = fNameBeforeParen(head);
    span.nFirst = static_cast<int>(i) + 1;
    size_t end = i + 2;
    while (end < lines.size() && lines[end] != "}") ++end;
    span.nLast = static_cast<int>(end) + 1;
    span.bFrame = fIsFrameFunction(span.name);
    spans.push_back(span);
    i = end;
  }
  return spans;
}

std::vector<sError> fParseErrors(const std::string& output) {
  // file:line:column: kind: message
  const std::regex located("^(.*?):([0-9]+):[0-9]+: (error|note): (.*)$");
  std::vector<sError> errors;
  bool bMovable = false;  // the last error points into the stand-in
  for (const std::string& line : fLines(output)) {
    std::smatch m;
    if (!std::regex_match(line, m, located)) continue;
    const std::string file = fBaseName(m[1].str());
    const bool bGenerated = file == "war3map.cpp" || file == "war3map.h";
    if (m[3].str() == "error") {
      sError e;
      e.file = file;
      e.nLine = std::stoi(m[2].str());
      e.message = m[4].str();
      errors.push_back(e);
      bMovable = !bGenerated;
    } else if (bMovable && bGenerated) {
      errors.back().file = file;
      errors.back().nLine = std::stoi(m[2].str());
      bMovable = false;
    }
  }
  return errors;
}

std::string fKeptCause(const sError& error, const std::string& unitName,
                       const std::string& script) {
  for (const sKeptRow& row : kKept) {
    if (row.fMatches(error, unitName, script)) return row.cause;
  }
  return "";
}

namespace {

// Files each error under the unit its line belongs to, in file order.
void fSortErrors(sResult& result, const std::string& output, const std::string& cpp,
                 const std::string& header) {
  const std::vector<std::string> cppLines = fLines(cpp);
  const std::vector<std::string> headerLines = fLines(header);
  const std::vector<sSpan> spans = fFunctionSpans(cpp);
  for (const sSpan& span : spans) {
    if (!span.bFrame) ++result.nFunctions;
  }
  std::map<std::string, size_t> unitIndex;
  for (sError e : fParseErrors(output)) {
    std::string unit = "stand-in";
    const std::vector<std::string>* lines = nullptr;
    if (e.file == "war3map.cpp") {
      unit = fCppUnit(spans, cppLines, e.nLine);
      lines = &cppLines;
    } else if (e.file == "war3map.h") {
      unit = fHeaderUnit(headerLines, e.nLine);
      lines = &headerLines;
    }
    if (lines != nullptr && e.nLine >= 1 && static_cast<size_t>(e.nLine) <= lines->size()) {
      e.code = fTrimmed((*lines)[static_cast<size_t>(e.nLine - 1)]);
    }
    auto found = unitIndex.find(unit);
    if (found == unitIndex.end()) {
      found = unitIndex.emplace(unit, result.failing.size()).first;
      result.failing.push_back(sUnit{unit, {}, "", false});
    }
    result.failing[found->second].errors.push_back(e);
  }
}

// A unit is kept only when every one of its errors has a kept cause.
void fFindKeptCauses(sResult& result) {
  for (sUnit& unit : result.failing) {
    std::string cause;
    for (const sError& e : unit.errors) {
      const std::string c = fKeptCause(e, unit.name, result.scriptText);
      if (c.empty()) {
        cause.clear();
        break;
      }
      if (cause.empty()) cause = c;
    }
    unit.keptCause = cause;
  }
}

}  // namespace

sResult fCheckOutput(const std::string& scriptName, const std::string& script,
                     const std::string& cpp, const std::string& header,
                     const std::string& compilerCommand) {
  sResult result;
  result.script = scriptName;
  result.scriptText = script;
  const TempDir dir;
  const std::string cppPath = dir.path() + "/war3map.cpp";
  if (dir.path().empty() || !fWriteFile(cppPath, cpp) ||
      !fWriteFile(dir.path() + "/war3map.h", header)) {
    result.compilerTrouble = "cannot write the output into a temporary folder";
    return result;
  }
  bool bRan = false;
  const std::string output = fRun("LC_ALL=C " + compilerCommand + " '" + cppPath + "' 2>&1", bRan);
  if (!bRan) {
    result.compilerTrouble = "cannot run: " + compilerCommand + "\n" + output;
    return result;
  }
  fSortErrors(result, output, cpp, header);
  fFindKeptCauses(result);
  return result;
}

sResult fCheckScript(const std::string& scriptName, const std::string& raw,
                     const std::string& compilerCommand) {
  const std::string script = fNormalizeScript(raw.data(), raw.size());
  const sConverted converted = fConvertAll(script);
  return fCheckOutput(scriptName, script, converted.cpp, converted.header, compilerCommand);
}

std::string fTableHeader() {
  char line[200];
  std::snprintf(line, sizeof line, "%-32s %9s %8s %6s %6s %7s\n", "script", "functions", "failing",
                "kept", "known", "faults");
  return line;
}

std::string fTableRow(const sResult& result) {
  const int nFailing = result.nFailingFunctions();
  int nKeptFunctions = 0;
  for (const sUnit& unit : result.failing) {
    if (!unit.keptCause.empty() && unit.name != "frame") ++nKeptFunctions;
  }
  char line[200];
  std::snprintf(line, sizeof line, "%-32s %9d %8d %6d %6d %7d\n", result.script.c_str(),
                result.nFunctions, nFailing, nKeptFunctions, result.nKnown(), result.nFaults());
  return line;
}

std::string fDetails(const sResult& result) {
  std::ostringstream out;
  if (!result.compilerTrouble.empty()) out << "  " << result.compilerTrouble << "\n";
  for (const sUnit& unit : result.failing) {
    // A fault shows its first error that no kept cause explains.
    const sError* pShown = &unit.errors.front();
    for (const sError& e : unit.errors) {
      if (unit.keptCause.empty() && fKeptCause(e, unit.name, result.scriptText).empty()) {
        pShown = &e;
        break;
      }
    }
    const sError& first = *pShown;
    std::string code = first.code.size() > 140 ? first.code.substr(0, 140) + "..." : first.code;
    out << "  " << (!unit.keptCause.empty() ? "kept  " : unit.bKnown ? "known " : "FAULT ")
        << unit.name;
    if (!unit.keptCause.empty()) out << " [" << unit.keptCause << "]";
    out << " (" << unit.errors.size() << (unit.errors.size() == 1 ? " error" : " errors") << ")\n"
        << "        " << first.file << ":" << first.nLine << ": " << first.message << "\n"
        << "        | " << code << "\n";
  }
  return out.str();
}

std::string fKeptCauseTable() {
  std::ostringstream out;
  out << "Kept causes:\n";
  for (const sKeptRow& row : kKept) {
    char line[200];
    std::snprintf(line, sizeof line, "  %-36s e.g. %s\n", row.cause, row.example);
    out << line;
  }
  return out.str();
}

}  // namespace compile_check
