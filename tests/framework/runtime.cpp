// The runnable stand-in framework (tests only): definitions for what the
// execution tests' programs call, modelled on the source frame and the JASS
// API files, plus main(), which runs the map as the frame's fMain does and
// then ends it. Built with the converter's output by the execution tests.
// The stand-in's headers first: the system headers replace its NULL macro
// with their own, not the other way round.
#include "Additional_functions.h"
#include "Jass.h"
#include "MyString.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <utility>

void fMain();

namespace {

char kEmpty[] = "";

char* fCopyOrNull(const char* text) { return text == nullptr ? nullptr : fCpyStr(text); }

struct sHashtable : sHandle_hashtable {
  std::map<std::pair<integer, integer>, integer> integers;
};

}  // namespace

struct sEventRegistration {
  TJassEventCallback* callback;
};

namespace {
sEventRegistration* pMainThreadEnd = nullptr;
}  // namespace

char* fCpyStr(const char* text) {
  const size_t length = std::strlen(text);
  char* copy = new char[length + 1];
  std::memcpy(copy, text, length + 1);
  return copy;
}

// ---------------------------------------------------------------------------
// Strings: the null string has no bytes; it reads as "" everywhere but in a
// comparison.

String::String() : vBytes(nullptr) {}
String::String(char* bytes) : vBytes(bytes) {}
String::String(const char* bytes) : vBytes(const_cast<char*>(bytes)) {}
String::String(const sMyString& text) : vBytes(text.vTempData != nullptr ? text.vTempData : kEmpty) {}
String::operator char*() const { return vBytes; }

sMyString::sMyString() : vTempData(nullptr), vBoolTempData(false) {}
sMyString::sMyString(const char* text) : vTempData(fCopyOrNull(text)), vBoolTempData(false) {}
// The converter writes the empty literal "" as sMyString(0x02): code 2 is the
// framework's mark for the empty string, not a character.
constexpr int kEmptyStringCode = 2;
sMyString::sMyString(int characterOrNull) : vTempData(nullptr), vBoolTempData(false) {
  if (characterOrNull == 0) return;
  if (characterOrNull == kEmptyStringCode) {
    vTempData = new char[1]{'\0'};
    return;
  }
  vTempData = new char[2]{static_cast<char>(characterOrNull), '\0'};
}
sMyString::sMyString(const sMyString& other)
    : vTempData(fCopyOrNull(other.vTempData)), vBoolTempData(false) {}
sMyString& sMyString::operator=(const sMyString& other) {
  if (this == &other) return *this;
  char* copy = fCopyOrNull(other.vTempData);
  delete[] vTempData;
  vTempData = copy;
  return *this;
}
sMyString::~sMyString() { delete[] vTempData; }
sMyString::operator char*() const { return vTempData != nullptr ? vTempData : kEmpty; }
// The bytes in vTempData are the string's own already.
void sMyString::fTempData2() { vBoolTempData = false; }

sMyString operator+(const sMyString& left, const sMyString& right) {
  const char* a = static_cast<char*>(left);
  const char* b = static_cast<char*>(right);
  const size_t na = std::strlen(a), nb = std::strlen(b);
  sMyString joined;
  joined.vTempData = new char[na + nb + 1];
  std::memcpy(joined.vTempData, a, na);
  std::memcpy(joined.vTempData + na, b, nb + 1);
  return joined;
}
bool operator==(const sMyString& left, const sMyString& right) {
  if (left.vTempData == nullptr || right.vTempData == nullptr) {
    return left.vTempData == right.vTempData;
  }
  return std::strcmp(left.vTempData, right.vTempData) == 0;
}
bool operator!=(const sMyString& left, const sMyString& right) { return !(left == right); }

// ---------------------------------------------------------------------------
// Natives.

void BJDebugMsg(sMyString msg) {
  std::fputs(static_cast<char*>(msg), stdout);
  std::fputc('\n', stdout);
}

sMyString I2S(integer i) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", i);
  return sMyString(text);
}
sMyString R2S(real r) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", static_cast<double>(r));
  return sMyString(text);
}
integer S2I(sMyString s) {
  const long long value = std::strtoll(static_cast<char*>(s), nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<integer>(value);
}
real S2R(sMyString s) { return std::strtof(static_cast<char*>(s), nullptr); }
real I2R(integer i) { return static_cast<real>(i); }
integer R2I(real r) { return static_cast<integer>(r); }
integer StringLength(sMyString s) { return static_cast<integer>(std::strlen(static_cast<char*>(s))); }
sMyString StringCase(sMyString s, boolean upper) {
  sMyString result(static_cast<char*>(s));
  for (char* p = result.vTempData; p != nullptr && *p != '\0'; ++p) {
    if (upper && *p >= 'a' && *p <= 'z') *p = static_cast<char>(*p - 'a' + 'A');
    if (!upper && *p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p - 'A' + 'a');
  }
  return result;
}
sMyString GetUnitName(unit) { return sMyString(); }

hashtable InitHashtable() { return new sHashtable; }
void SaveInteger(hashtable table, integer parentKey, integer childKey, integer value) {
  static_cast<sHashtable*>(table)->integers[{parentKey, childKey}] = value;
}
integer LoadInteger(hashtable table, integer parentKey, integer childKey) {
  const auto& integers = static_cast<sHashtable*>(table)->integers;
  const auto found = integers.find({parentKey, childKey});
  return found == integers.end() ? 0 : found->second;
}

player GetLocalPlayer() {
  static sHandle_player localPlayer;
  return &localPlayer;
}

// ---------------------------------------------------------------------------
// The framework's events: only the end of the main thread, which main()
// raises after the map has run.

TEventRegistrationHandle AddEventHandler(TJassEvent event, TJassEventCallback* callback, void*) {
  if (event != jeMainThreadDestroyed) return nullptr;
  delete pMainThreadEnd;
  pMainThreadEnd = new sEventRegistration{callback};
  return pMainThreadEnd;
}
void RemoveEventHandler(TEventRegistrationHandle registration) {
  if (registration == pMainThreadEnd) pMainThreadEnd = nullptr;
  delete registration;
}
void IncrementHandleReferences(handle) {}

int main() {
  // The frame keeps function addresses in a 32-bit integer.
  if (reinterpret_cast<std::uintptr_t>(&fMain) > static_cast<std::uintptr_t>(INT32_MAX)) {
    std::fputs("code addresses do not fit in an integer: build with -no-pie\n", stderr);
    return 2;
  }
  fMain();
  if (pMainThreadEnd != nullptr) pMainThreadEnd->callback();
  std::fflush(stdout);
  return 0;
}
