// The puzzle locations file of the select screen: only listed puzzles get a
// place, whatever the file holds.
#include "fuzz_support.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/puzzle_locations.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  setUpFuzzing();
  startInput();
  writeFile("initial/main_menu.mpoxa", inputText(data, size));
  loadPuzzleLocationsFrom("initial/main_menu.mpoxa");
  for (const auto& [id, location] : puzzleLocations) {
    require(id > 0 && id < puzzleTableSize && !getPuzzle(id).hasFlag(puzzleFlagHidden),
            "a location for a puzzle that is not listed");
  }
  return 0;
}
