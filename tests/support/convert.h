// Test support shared by every test folder: a script through the whole
// conversion (driver -> rules <-> handlers -> output) in process, with the
// output files and the section lists joined into plain bytes.
#ifndef JASSCRIBE_TESTS_SUPPORT_CONVERT_H_
#define JASSCRIBE_TESTS_SUPPORT_CONVERT_H_

#include <memory>
#include <string>

#include "driver/convert.h"
#include "text/normalize.h"
#include "text/state.h"
#include "text/text.h"

/// The list's items joined; empty when the list is.
inline std::string fJoined(sTextList& list) {
  sText joined;
  if (!list.fJoin(&joined)) return std::string();
  return joined.data;
}

/// Converts the script's bytes on s; what the conversion returned.
inline bool fConvertText(sState& s, const std::string& script) {
  return fConvertScript(s, script.data(), script.size());
}

/// Everything one conversion on a fresh state leaves, joined.
struct sConverted {
  bool bConverted = false;  // what the conversion returned
  bool bCpp = false;        // war3map.cpp has lines
  bool bHeader = false;     // war3map.h has lines
  std::string cpp;          // war3map.cpp
  std::string header;       // war3map.h
  std::string functions;    // translated functions
  std::string globals;      // members of the global object
  std::string constructor;  // initialisers of its constructor
  std::string prototypes;   // function prototypes of the header
  std::string registrations;  // lines of fFuncsInit
};

inline sConverted fConvertAll(const std::string& script) {
  sConverted out;
  auto s = std::make_unique<sState>();
  out.bConverted = fConvertText(*s, script);
  out.bCpp = s->vCppLines.nCount() > 0;
  out.bHeader = s->vHeaderLines.nCount() > 0;
  out.cpp = fJoined(s->vCppLines);
  out.header = fJoined(s->vHeaderLines);
  out.functions = fJoined(s->vFuncsCppList);
  out.globals = fJoined(s->vGlobalsVarList);
  out.constructor = fJoined(s->vInitVarsInConstructorList);
  out.prototypes = fJoined(s->vFuncsForHeaderList);
  out.registrations = fJoined(s->vBodyFuncsInitList);
  return out;
}

/// fConvertAll on the script normalised beforehand, as raw corpus files are.
inline sConverted fConvertNormalized(const std::string& raw) {
  return fConvertAll(fNormalizeScript(raw.data(), raw.size()));
}

#endif  // JASSCRIBE_TESTS_SUPPORT_CONVERT_H_
