#pragma once
// The clock periods a player can set: the clock editor's range, and what a
// saved period is held to when a machine is read.
inline constexpr int minClockPeriod = 1;
inline constexpr int maxClockPeriod = 48;
