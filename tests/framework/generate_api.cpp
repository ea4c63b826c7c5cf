// Build-time generator of the stand-in framework's game API: reads the JASS
// API files (common.j, Blizzard.j, the AI natives) and writes the C++
// declarations of their handle types, natives, functions, constants and
// globals, so that no declaration of the 2,500 is written by hand.
//   generate_api OUTPUT.h common.j Blizzard.j common-ai-natives.j
// A name declared twice keeps its first declaration.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The size every array declaration of the converter passes to sMyArray.
const char kArraySize[] = "8190";

// Names that the converter writes with "_2": C++ keywords and the macros of
// the framework's headers. Declaring them the same way keeps the stand-in in
// step with the translated code.
const char* const kRenamed[] = {
    "IN", "OUT", "OPTIONAL", "NULL", "TRUE", "FALSE",
    "alignas", "alignof", "asm", "auto", "bool", "break", "case", "catch", "char", "class",
    "const", "constexpr", "const_cast", "continue", "decltype", "default", "delete", "do",
    "double", "dynamic_cast", "else", "enum", "explicit", "export", "extern", "false", "float",
    "for", "friend", "goto", "if", "inline", "int", "long", "mutable", "namespace", "new",
    "noexcept", "nullptr", "operator", "private", "protected", "public", "register",
    "reinterpret_cast", "return", "short", "signed", "sizeof", "static", "static_assert",
    "static_cast", "struct", "switch", "template", "this", "throw", "true", "try", "typedef",
    "typeid", "typename", "union", "unsigned", "using", "virtual", "void", "volatile",
    "wchar_t", "while",
};

std::string fCppName(const std::string& name) {
  for (const char* renamed : kRenamed) {
    if (name == renamed) return name + "_2";
  }
  return name;
}

// The C++ type of a JASS type in the converter's output.
std::string fCppType(const std::string& jassType) {
  if (jassType == "string") return "sMyString";
  if (jassType == "nothing") return "void";
  return jassType;
}

// The line without its comment, its line end and surrounding blanks; a "//"
// inside a string literal is not a comment.
std::string fCodeOf(const std::string& line) {
  bool inString = false;
  size_t end = line.size();
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"' && (i == 0 || line[i - 1] != '\\')) inString = !inString;
    if (!inString && line.compare(i, 2, "//") == 0) {
      end = i;
      break;
    }
  }
  size_t begin = 0;
  while (begin < end && std::isspace(static_cast<unsigned char>(line[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(line[end - 1]))) --end;
  return line.substr(begin, end - begin);
}

// The words of a code line, with "," and "=" as words of their own.
std::vector<std::string> fWords(const std::string& code) {
  std::vector<std::string> words;
  std::string word;
  const auto flush = [&]() {
    if (!word.empty()) words.push_back(word);
    word.clear();
  };
  for (const char c : code) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      flush();
    } else if (c == ',' || c == '=') {
      flush();
      words.push_back(std::string(1, c));
    } else {
      word += c;
    }
  }
  flush();
  return words;
}

// Everything generated, in the order it is written.
struct sApi {
  std::set<std::string> declared;  // names declared so far
  std::string types;               // handle classes and their pointer types
  std::string aliases;             // the frame's upper-case handle names
  std::string functions;           // natives and Blizzard.j functions
  std::string variables;           // constants and globals
};

// "type NAME extends PARENT": a class derived from the parent's class.
void fAddType(sApi& api, const std::vector<std::string>& w) {
  if (w.size() < 4 || w[2] != "extends" || !api.declared.insert(w[1]).second) return;
  api.types += "struct sHandle_" + w[1] + " : sHandle_" + w[3] + " {};\ntypedef sHandle_" + w[1] +
               "* " + w[1] + ";\n";
  std::string upper = "H";
  for (const char c : w[1]) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  api.aliases += "typedef " + w[1] + " " + upper + ";\n";
}

// "NAME takes nothing|TYPE NAME, ... returns TYPE" from w[first] on.
void fAddFunction(sApi& api, const std::vector<std::string>& w, size_t first) {
  if (w.size() < first + 4 || w[first + 1] != "takes") return;
  size_t at = first + 2;
  std::string params;
  if (w[at] == "nothing") {
    ++at;
  } else {
    while (at + 1 < w.size() && w[at] != "returns") {
      if (!params.empty()) params += ", ";
      params += fCppType(w[at]);
      at += 2;
      if (at < w.size() && w[at] == ",") ++at;
    }
  }
  if (at + 1 >= w.size() || w[at] != "returns") return;
  if (!api.declared.insert(w[first]).second) return;
  api.functions += fCppType(w[at + 1]) + " " + fCppName(w[first]) + "(" + params + ");\n";
}

// "[constant] TYPE [array] NAME [= VALUE]" inside a globals block.
void fAddVariable(sApi& api, const std::vector<std::string>& w) {
  size_t at = 0;
  const bool bConstant = !w.empty() && w[0] == "constant";
  if (bConstant) ++at;
  if (w.size() < at + 2) return;
  const std::string type = fCppType(w[at]);
  const bool bArray = w[at + 1] == "array";
  const size_t nameAt = bArray ? at + 2 : at + 1;
  if (nameAt >= w.size() || !api.declared.insert(w[nameAt]).second) return;
  const std::string name = fCppName(w[nameAt]);
  if (bArray) {
    api.variables += "extern sMyArray<" + type + "[1]," + kArraySize + "> " + name + ";\n";
  } else {
    api.variables += std::string("extern ") + (bConstant ? "const " : "") + type + " " + name + ";\n";
  }
}

void fAddLine(sApi& api, const std::string& code, bool& inGlobals) {
  const std::vector<std::string> w = fWords(code);
  if (w.empty()) return;
  if (w[0] == "globals") inGlobals = true;
  else if (w[0] == "endglobals") inGlobals = false;
  else if (w[0] == "type") fAddType(api, w);
  else if (w[0] == "native") fAddFunction(api, w, 1);
  else if (w[0] == "function") fAddFunction(api, w, 1);
  else if (w[0] == "constant" && w.size() > 1 && (w[1] == "native" || w[1] == "function"))
    fAddFunction(api, w, 2);
  else if (inGlobals) fAddVariable(api, w);
}

// Reads one API file; false when it cannot be read.
bool fAddFile(sApi& api, const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::string text = bytes.str();
  for (char& c : text) {
    if (c == '\r') c = '\n';
  }
  std::istringstream lines(text);
  bool inGlobals = false;
  for (std::string line; std::getline(lines, line);) fAddLine(api, fCodeOf(line), inGlobals);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: generate_api OUTPUT.h API.j...\n";
    return 2;
  }
  sApi api;
  api.declared.insert("handle");
  std::string sources;
  for (int i = 2; i < argc; ++i) {
    if (!fAddFile(api, argv[i])) {
      std::cerr << "generate_api: cannot read " << argv[i] << "\n";
      return 1;
    }
    const std::string path = argv[i];
    sources += " " + path.substr(path.find_last_of('/') + 1);
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << "// Generated by generate_api from" << sources << "; do not edit.\n"
      << "// The game API for the stand-in framework; included by Jass.h.\n"
      << "#ifndef JASSCRIBE_STANDIN_JASSAPI_DECLARATIONS_H_\n"
      << "#define JASSCRIBE_STANDIN_JASSAPI_DECLARATIONS_H_\n\n"
      << "// Handle types\n" << api.types << "\n"
      << "// The framework's upper-case handle names\n" << api.aliases << "\n"
      << "// Natives and Blizzard.j functions\n" << api.functions << "\n"
      << "// Constants and globals\n" << api.variables << "\n"
      << "#endif  // JASSCRIBE_STANDIN_JASSAPI_DECLARATIONS_H_\n";
  out.close();
  if (!out) {
    std::cerr << "generate_api: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
