// Stand-in framework for compiling the converter's output (tests only): the
// JASS value types, the names the output frames use, and the whole game API
// (natives, Blizzard.j functions, constants and globals), which is generated
// from the JASS API files into JassApi_declarations.h. Declarations only; a
// runnable stand-in adds the definitions beside them.
#ifndef JASSCRIBE_STANDIN_JASS_H_
#define JASSCRIBE_STANDIN_JASS_H_

// Names that the framework's headers define as macros; the converter renames
// script names that collide with them, so the stand-in must define them too.
#define NULL 0
#define TRUE 1
#define FALSE 0
#define IN
#define OUT
#define OPTIONAL

typedef int integer;
typedef int Integer;
typedef float real;
typedef bool boolean;
typedef void procedure;

class sMyString;

/// A C string of the framework: what the frame's helpers take. Converts from
/// a literal, from an owned buffer and from an sMyString, and back to a
/// buffer, so the frame's byte handling compiles as written.
class String {
 public:
  String();
  String(char* bytes);
  String(const char* bytes);
  String(const sMyString& text);
  operator char*() const;
};

/// A JASS code value: the address of any function that takes nothing (a
/// translated function is written as "& f"), or null.
class code {
 public:
  code();
  code(decltype(nullptr) none);
  template <class R>
  code(R (*function)());
};

// Handle types: one class per JASS type, derived as "type X extends Y" says,
// and the handle is a pointer, so a unit passes where a widget is expected
// and null converts to every handle type.
struct sHandle_handle {};
typedef sHandle_handle* handle;

// The main thread's end event of the framework, used by the source frame.
typedef void TJassEventCallback(void);
struct sEventRegistration;
typedef sEventRegistration* TEventRegistrationHandle;
enum TJassEvent { jeMainThreadDestroyed };
TEventRegistrationHandle AddEventHandler(TJassEvent event, TJassEventCallback* callback,
                                         void* data);
void RemoveEventHandler(TEventRegistrationHandle registration);

// Keeps a handle alive while the frame holds it.
void IncrementHandleReferences(handle object);

#include "MyArray.h"
#include "JassApi_declarations.h"

#endif  // JASSCRIBE_STANDIN_JASS_H_
