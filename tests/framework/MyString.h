// Stand-in framework for the converter's output (tests only): the string type
// of translated code. A literal is written sMyString("text"), a one-character
// literal by its code, sMyString(0x41), and null as NULL. The bytes live in
// vTempData (owned; null for the null string), which is also the field the
// source frame's fMySubString fills in.
#ifndef JASSCRIBE_STANDIN_MYSTRING_H_
#define JASSCRIBE_STANDIN_MYSTRING_H_

#include "Jass.h"

class sMyString {
 public:
  sMyString();
  sMyString(const char* text);
  /// 0 (NULL) is the null string; any other code the one-character string.
  sMyString(int characterOrNull);
  sMyString(const sMyString& other);
  sMyString& operator=(const sMyString& other);
  ~sMyString();
  /// The bytes, for the frame's own byte copies; "" for the null string.
  explicit operator char*() const;

  // Fields and hook that the source frame's fMySubString fills in: the bytes
  // taken over, and a flag that they are new.
  char* vTempData;
  bool vBoolTempData;
  void fTempData2();
};

sMyString operator+(const sMyString& left, const sMyString& right);
bool operator==(const sMyString& left, const sMyString& right);
bool operator!=(const sMyString& left, const sMyString& right);

#endif  // JASSCRIBE_STANDIN_MYSTRING_H_
