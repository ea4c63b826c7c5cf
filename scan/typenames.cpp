// The JASS types that the kind table does not name ("handle" and the types
// the game declares with "type NAME extends ..."), compiled in so that the
// translator needs no data file. The scanner cuts them as K_TYPE_OTHER.
#include "scan/typenames.h"

#include <algorithm>
#include <array>

namespace {

// Sorted bytewise, for the binary search below.
constexpr std::array<std::string_view, 108> kOtherTypeNames = {
    "ability", "abilitybooleanfield", "abilitybooleanlevelarrayfield", "abilitybooleanlevelfield",
    "abilityintegerfield", "abilityintegerlevelarrayfield", "abilityintegerlevelfield",
    "abilityrealfield", "abilityreallevelarrayfield", "abilityreallevelfield",
    "abilitystringfield", "abilitystringlevelarrayfield", "abilitystringlevelfield", "agent",
    "aidifficulty", "alliancetype", "animtype", "armortype", "attacktype", "blendmode", "buff",
    "button", "camerafield", "camerasetup", "commandbuttoneffect", "conditionfunc", "damagetype",
    "defeatcondition", "defensetype", "dialog", "dialogevent", "effecttype", "eventid",
    "fgamestate", "filterfunc", "fogstate", "frameeventtype", "framehandle", "framepointtype",
    "gamecache", "gamedifficulty", "gameevent", "gamespeed", "gamestate", "handle",
    "heroattribute", "igamestate", "image", "itembooleanfield", "itemintegerfield", "itempool",
    "itemrealfield", "itemstringfield", "itemtype", "leaderboard", "limitop", "location",
    "mapcontrol", "mapdensity", "mapflag", "mapsetting", "mapvisibility", "minimapicon",
    "mousebuttontype", "movetype", "originframetype", "oskeytype", "pathingflag", "pathingtype",
    "placement", "playercolor", "playergameresult", "playerscore", "playerslotstate",
    "playerstate", "questitem", "race", "racepreference", "raritycontrol", "regentype",
    "soundtype", "startlocprio", "subanimtype", "targetflag", "terraindeformation", "texmapflags",
    "textaligntype", "trackable", "triggeraction", "triggercondition", "ubersplat",
    "unitbooleanfield", "unitcategory", "unitevent", "unitintegerfield", "unitpool",
    "unitrealfield", "unitstringfield", "unittype", "unitweaponbooleanfield",
    "unitweaponintegerfield", "unitweaponrealfield", "unitweaponstringfield", "version",
    "volumegroup", "weapontype", "widget", "widgetevent",
};

bool fIsWordByte(char ch) {
  return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
         ch == '_';
}

}  // namespace

const std::string_view* fOtherTypeNamesBegin() { return kOtherTypeNames.data(); }
const std::string_view* fOtherTypeNamesEnd() {
  return kOtherTypeNames.data() + kOtherTypeNames.size();
}

bool fIsOtherTypeName(std::string_view text) {
  return std::binary_search(kOtherTypeNames.begin(), kOtherTypeNames.end(), text);
}

int32_t fTypeNameLength(KindCode code, std::string_view text) {
  if (code != K_TYPE_OTHER) return fKeywordLength(code);
  size_t n = 0;
  while (n < text.size() && fIsWordByte(text[n])) ++n;
  return fIsOtherTypeName(text.substr(0, n)) ? static_cast<int32_t>(n) : 0;
}
