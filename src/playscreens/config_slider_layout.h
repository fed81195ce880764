#pragma once
// The arithmetic of the configuration widgets, without drawing: where the
// parts of a slider sit for an anchor its owner lays out each frame, where the
// tick marks go, and how a typed number reads.
#include <string>
#include <vector>

#include "model/module_geometry.h"

class ModuleConfig;

struct SliderTickMark {
  int value = 0;
  int x = 0;
  bool labelled = false;
};

// A slider anchored at cx with its top at top; the widget's centre line lies
// at cx + 200. numberWidth and numberHeight are the number box art's size.
struct ConfigSliderLayout {
  int cx = 0;
  int top = 0;
  int width = 0;
  int numberWidth = 0;
  int numberHeight = 0;

  int half() const { return (width - 20) / 2; }
  int centreX() const { return cx + 200; }
  GeoRect track() const;
  // The handle at a fraction 0..1 of the range (out-of-range fractions are
  // held to the track's ends).
  GeoRect handle(float fraction) const;
  GeoRect dragArea() const;
  GeoRect numberBox() const;
  GeoPoint lessButton() const;
  GeoPoint moreButton() const;
  // The fraction of the range under the mouse, held to 0..1.
  double fractionAt(int mouseX) const;
  // Ranges of at most 50 steps get a mark per value, labelled for every value
  // up to a maximum of 8 and for odd values above; wider ranges none.
  std::vector<SliderTickMark> tickMarks(const ModuleConfig& config) const;
};

// The handle's place when there is no range to show.
inline constexpr GeoRect noSliderHandle{-1, -1, 0, 0};

bool pointInGeoRect(const GeoRect& r, int x, int y);

// The integer a typed text starts with ("12ab" is 12, "-3" is -3, "" and
// "x" are 0); values past the int range saturate at its ends.
int readLeadingInt(const std::string& text);
