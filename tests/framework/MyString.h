// Stand-in framework for compiling the converter's output (tests only): the
// string type of translated code. A literal is written sMyString("text"),
// a one-character literal by its code, sMyString(0x41), and null as NULL.
#ifndef JASSCRIBE_STANDIN_MYSTRING_H_
#define JASSCRIBE_STANDIN_MYSTRING_H_

#include "Jass.h"

class sMyString {
 public:
  sMyString();
  sMyString(const char* text);
  sMyString(int characterOrNull);
  /// The bytes, for the frame's own byte copies.
  explicit operator char*() const;

  // Fields and hook that the source frame's fMySubString fills in.
  char* vTempData;
  bool vBoolTempData;
  void fTempData2();
};

sMyString operator+(const sMyString& left, const sMyString& right);
bool operator==(const sMyString& left, const sMyString& right);
bool operator!=(const sMyString& left, const sMyString& right);

#endif  // JASSCRIBE_STANDIN_MYSTRING_H_
