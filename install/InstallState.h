#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

#include "win32/PathLimit.h"

class TZCodec;

// The install folder, normalised, without a trailing backslash. Set by the
// confirmation page's Finish and read by every later install step.
extern std::string InstallDir;
// Zero-terminated copy of InstallDir that lives only while the install runs.
extern char *InstallDirBuffer;

// Progress of the whole extraction: set before the first file, advanced by
// ExtractProgress.
extern uint32_t PayloadTotalBytes;
extern uint32_t PayloadDoneBytes;
extern uint32_t ExtractStartTick;

// Millisecond tick source used by the extraction's pacing (GetTickCount;
// tests put a clock of their own here).
extern DWORD(WINAPI *SetupTickCount)();

// Copies at most MaxPathLength characters of [begin, end) and a terminator
// into a buffer of PathBufferSize bytes; a null buffer is left alone.
void CopyBounded(char *to, const char *begin, const char *end);

// Removes trailing characters with codes 0 to 32, then one trailing backslash.
void StripTrailingBackslash(std::string &path);

// Splits a zero-terminated path into folder, name and extension. Each output
// may be null; each holds PathBufferSize bytes: at most MaxPathLength
// characters and its terminator.
// Returns 0 for a null path, else 1.
int SplitFilePath(const char *path, char *folder, char *name, char *extension);

// Shows the progress of the extraction: the text (the file's name) and the
// fraction of all carried bytes consumed so far. The confirmation page puts
// its gauge here; null shows nothing.
typedef void (*TProgressDisplay)(const std::string &text, float fraction);
extern TProgressDisplay ProgressDisplay;

// Progress function of the extraction in the codec's callback shape: counts
// the consumed bytes, shows the progress and paces the extraction.
void ExtractProgress(TZCodec *codec, const std::string &source, const char *label, float fraction,
                     uint32_t totalIn, uint32_t totalOut, uint32_t deltaIn, uint32_t deltaOut);

// Waits while the extraction runs ahead of a 4-second schedule: when it is 100
// ms or more ahead of fraction x 4000 ms since ExtractStartTick, it waits for
// the whole lead. Returns the lead waited for, or 0.
DWORD PaceExtraction(float fraction);
