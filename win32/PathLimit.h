#pragma once

#include <cstddef>

#include <windows.h>

// The setup's paths and names pass through buffers of MAX_PATH (260) bytes,
// or wide characters: each holds at most 259 characters and the terminating
// zero.
const size_t PathBufferSize = MAX_PATH;
const size_t MaxPathLength = PathBufferSize - 1;
