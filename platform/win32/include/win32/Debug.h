#pragma once
// OutputDebugString: the debug channel.
//
// Silent unless switched on with the environment variable VTX_DEBUG:
//   VTX_DEBUG=1 (or "stderr")   each text goes to standard error
//   VTX_DEBUG=<path>            each text is appended to that file
// The text is written as it is, with no line end or prefix added.

#include <functional>

#include "win32/Types.h"

void OutputDebugString(LPCSTR Text);

// For tests: receives every text instead of the channel (empty: back to the
// channel). Returns the previous sink.
using TDebugSink = std::function<void(const char* Text)>;
TDebugSink SetDebugSink(TDebugSink Sink);
