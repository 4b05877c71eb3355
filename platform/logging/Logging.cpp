#include "logging/Logging.h"

#include <utility>

namespace Logging {
namespace {

struct State {
  bool initialized = false;
  Sink sink;
};

State& GetState() {
  static State state;
  return state;
}

}  // namespace

bool LoggingIsInitialized() { return GetState().initialized; }

void Log(const char* file, unsigned long line, unsigned long category, Level level,
         const wchar_t* text) {
  State& state = GetState();
  if (!state.initialized || !state.sink) return;
  state.sink(file ? file : "", line, category, static_cast<int>(level), text ? text : L"");
}

void Initialize(Sink sink) {
  State& state = GetState();
  state.sink = std::move(sink);
  state.initialized = true;
}

void Shutdown() {
  State& state = GetState();
  state.initialized = false;
  state.sink = nullptr;
}

}  // namespace Logging
