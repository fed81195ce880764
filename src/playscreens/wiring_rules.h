#pragma once
// What the wiring screen decides without a window: which connection a port
// under the mouse asks for, and the hints it shows.
#include <optional>
#include <string>

#include "model/module_geometry.h"

class Port;
struct ConnectionChange;

// A wire change before it is made: the destination takes newSource (none
// deletes its wire) in place of oldSource.
struct WireChoice {
  Port* destination = nullptr;
  Port* newSource = nullptr;
  Port* oldSource = nullptr;
  bool operator==(const WireChoice&) const = default;
};

// None when the change would change nothing.
std::optional<WireChoice> makeWireChoice(Port* destination, Port* newSource, Port* oldSource);
// The change asked for by dropping the wire end that started at origin on
// the port under the mouse.
std::optional<WireChoice> wireChoiceForPort(Port* underMouse, Port* origin);

// "Release to ..." while the button that started the drag is still held,
// else "Click to ...".
std::string clickOrReleaseText(const std::string& text, bool release);
std::string describeConnectionChange(const WireChoice& change, bool release);
// Why the port under the mouse can't take the wire from origin.
std::string cannotConnectText(const Port& underMouse, const Port& origin);

// A board point snapped to the centre of its 16-pixel cell.
GeoPoint cellCentre(GeoPoint world);
