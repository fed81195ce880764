#include "playscreens/bar_layout.h"

#include <algorithm>

int barScale(int windowWidth) { return std::min(windowWidth, 1152) - 334; }

int barDesignX(int scale, int designX) { return scale * (designX + 20) / 690 - 20; }

GeoRect BarGeometry::panelRect() const { return {0, windowHeight - artHeight + 20, scale(), artHeight - 20}; }

GeoPoint BarGeometry::place(int designX, int designY) const {
  return {barDesignX(scale(), designX), designY + panelRect().y + 8};
}

GeoPoint BarGeometry::memoryLabelAnchor() const { return {windowWidth - 252, windowHeight - 70}; }

GeoPoint BarGeometry::testButton() const { return {scale() * 695 / 690 - 25, panelRect().y - 15}; }

GeoPoint BarGeometry::homeButton() const { return {16, panelRect().y + 8}; }

bool failureNoticeLit(Tick now) { return (now / 750) % 2 == 0; }

GeoRect failureNoticePlate(const GeoRect& t) { return {t.x - 14, t.y - 5, t.w + 28, t.h + 10}; }

const std::map<int, GeoPoint>& editorBottomBarLocations() {
  static const std::map<int, GeoPoint> locations = {
      {barArithmeticDrawer, {85, 0}}, {barStateDrawer, {130, 0}}, {barControlDrawer, {175, 0}},
      {barPaletteDrawer, {230, 0}},   {barLoadSuccessful, {295, 0}}, {barUndo, {345, 0}},
      {barRedo, {345, -70}},          {barReset, {395, 0}},          {barCopy, {445, 0}},
      {barPaste, {495, 0}},           {barDelete, {545, 0}},         {barClock, {595, 0}},
  };
  return locations;
}
