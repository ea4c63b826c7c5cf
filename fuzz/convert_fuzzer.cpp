// The libFuzzer target: any bytes through the whole conversion in memory
// (driver -> check -> rules <-> handlers -> output), as a script read from
// disk would go. Besides what the sanitizers find, it holds the promises the
// callers build on: a script with an error leaves both outputs empty, and
// functions written from line templates come out as the engine writes them.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "driver/convert.h"
#include "text/diagnostic.h"
#include "text/state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto s = std::make_unique<sState>();
  fConvertScript(*s, reinterpret_cast<const char*>(data), size);
  const bool bError = fFirstError(s->vDiagnostics) != nullptr;
  if (bError && (s->vCppLines.nCount() > 0 || s->vHeaderLines.nCount() > 0)) __builtin_trap();
  auto engine = std::make_unique<sState>();
  engine->vEngineOnly = 1;
  fConvertScript(*engine, reinterpret_cast<const char*>(data), size);
  const auto fJoined = [](const sTextList& list) {
    std::string all;
    for (int32_t i = 0; i < list.nCount(); ++i) all += list.fItem(i);
    return all;
  };
  if (fJoined(s->vCppLines) != fJoined(engine->vCppLines) ||
      fJoined(s->vHeaderLines) != fJoined(engine->vHeaderLines)) {
    __builtin_trap();
  }
  return 0;
}
