// Stand-in framework for compiling the converter's output (tests only): the
// few C library names the source frame uses, declared here so that the
// stand-in needs no system header and compiles for any target (-m32).
#ifndef JASSCRIBE_STANDIN_STDAFX_H_
#define JASSCRIBE_STANDIN_STDAFX_H_

typedef __SIZE_TYPE__ size_t;

extern "C" size_t strlen(const char* text);
extern "C" void* memcpy(void* target, const void* source, size_t count);

#endif  // JASSCRIBE_STANDIN_STDAFX_H_
