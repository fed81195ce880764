#pragma once
// What every fuzz target shares: a private working folder, fresh tables for
// each input, and the properties checked on what loads. A property that does
// not hold ends the run with a message, as a crash would, so the fuzzer keeps
// the input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/module.h"

// Called first by every target: a working folder of the process's own (the
// game's files are relative paths) and a fatal path that aborts, since no
// loader may end the game on a bad file.
void setUpFuzzing();
// Empties the working folder and every table a load fills.
void startInput();

std::string inputText(const std::uint8_t* data, std::size_t size);
void writeFile(const std::string& path, const std::string& text);
std::string readFile(const std::string& path);
bool exists(const std::string& path);

[[noreturn]] void propertyFailed(const std::string& what);
inline void require(bool holds, const std::string& what) {
  if (!holds) propertyFailed(what);
}

// A machine that loaded writes as it stands, reads back without error and
// writes the same text again.
void requireStableMachine(const ModuleList& modules, int clockPeriod, bool delayMode);
// The machine runs a few ticks forward on an empty memory and back again,
// seeing the same memory and port values on the way back as on the way out.
void requireSimulatesForwardAndBack(const ModuleList& modules, bool delayMode, int clockPeriod, int ticks = 12);
// A file that failed to load was moved aside to "<path>.bad" byte for byte.
void requireMovedAside(const std::string& path, const std::string& original);
