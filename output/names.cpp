// Function-name mapping: a few natives are redirected to the wrappers that the
// source frame defines or commented out, and the script's own entry and
// reserved names are renamed. Called by the engine before a call name is
// flushed and by the function header before the head is built.
#include "output/names.h"

#include <cstddef>

#include "output/reserved.h"

namespace {

struct sNameRule {
  const char* pName;         // matched against the whole buffer, case-sensitive
  const char* pReplacement;  // the buffer's new text
};

// Calls, in test order. "fMy" names the frame's wrappers; "//" comments the
// rest of the generated line out, arguments and ";" included.
constexpr sNameRule kCallNameRules[] = {
    {"ExecuteFunc",                    "fMyExecuteFunc"},
    {"GetLocalPlayer",                 "fMyGetLocalPlayer"},
    {"I2S",                            "fMyI2S"},
    {"GetUnitName",                    "fMyGetUnitName"},
    {"StringHash",                     "fMyStringHash"},
    {"SubString",                      "fMySubString"},
    {"SetAmbientDaySound",             "//SetAmbientDaySound"},
    {"SetAmbientNightSound",           "//SetAmbientNightSound"},
    {"SetPlayerAllianceStateVisionBJ", "//SetPlayerAllianceStateVisionBJ"},
    {"SetPlayerAllianceStateAllyBJ",   "//SetPlayerAllianceStateAllyBJ"},
    {"InitBlizzard",                   "//InitBlizzard"},
};

// Definitions, in test order: the frame's fMain calls the script's main as fMainJass.
constexpr sNameRule kFuncNameRules[] = {
    {"main", "fMainJass"},
};

// Names in a table differ, so at most one rule matches and the first match
// is the only one.
template <size_t N>
void fApplyNameRules(sCharBuf& name, const sNameRule (&rules)[N]) {
  // Most names are no rule's: the first byte settles it.
  const std::string& text = name.str();
  for (const sNameRule& rule : rules) {
    if (!text.empty() && text[0] == rule.pName[0] && name == rule.pName) {
      name.fCopy(rule.pReplacement);
      return;
    }
  }
}

// A function with a reserved name ("delete", "IN") is renamed where it is
// defined and where it is called alike.
void fRenameKeyword(sCharBuf& name) {
  if (fIsReservedName(name.str())) fAppendReservedSuffix(name);
}

}  // namespace

void fMapCallName(sState& s) {
  fApplyNameRules(s.vCallName, kCallNameRules);
  fRenameKeyword(s.vCallName);
}

void fMapFuncName(sState& s) {
  fApplyNameRules(s.vFuncName, kFuncNameRules);
  fRenameKeyword(s.vFuncName);
}

bool fIsMappedName(std::string_view name) {
  if (name.empty()) return false;
  for (const sNameRule& rule : kCallNameRules) {
    if (name[0] == rule.pName[0] && name == rule.pName) return true;
  }
  for (const sNameRule& rule : kFuncNameRules) {
    if (name[0] == rule.pName[0] && name == rule.pName) return true;
  }
  return false;
}
