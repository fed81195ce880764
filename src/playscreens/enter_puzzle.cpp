#include "playscreens/enter_puzzle.h"

#include "editor/editor.h"
#include "editor/wire_path.h"
#include "menus/puzzle_board.h"
#include "playscreens/enter_layout.h"
#include "playscreens/neutral_play_state.h"
#include "puzzles/chapter.h"
#include "services/music_manager.h"

namespace {
constexpr puzzle_id memoryTutorialPuzzle = 23;
constexpr int openingTrack = 6;

ViewPlacement placementOf(const Viewport& v) { return {v.zoom, v.panX, v.panY, v.shakeX, v.shakeY}; }

Viewport withPlacement(Viewport v, const ViewPlacement& p) {
  v.zoom = p.zoom;
  v.panX = p.panX;
  v.panY = p.panY;
  return v;
}

int trackFor(puzzle_id puzzle) {
  if (puzzle == creditsPuzzle) return openingTrack;
  blackboard_id board = getPuzzleBoard(puzzle);
  if (board == noBoard) return 0;
  const auto& rows = chaptersVector();
  if (board >= firstCommunityBoard) board = (board - firstCommunityBoard) % int(rows.size());
  return rows[size_t(board)].boardNumber;
}
}  // namespace

GameState* enterPuzzle(puzzle_id puzzle, const ModuleSet& clipboard, const Viewport& viewport) {
  clearWirePathCache();
  auto editor = std::make_shared<Editor>(puzzle);
  editor->loadWorkingSave();
  editor->clipboard = clipboard;
  Viewport laidOut = viewport;
  if (puzzle == memoryTutorialPuzzle)
    laidOut = withPlacement(viewport, layoutMemoryPuzzle(editor->machine, viewport.screen.w, viewport.screen.h,
                                                         placementOf(viewport)));
  else if (puzzle != creditsPuzzle)
    laidOut = withPlacement(viewport, layoutCentred(editor->machine, viewport.screen.w, viewport.screen.h,
                                                    placementOf(viewport)));
  musicManager().setTrack(trackFor(puzzle));
  auto* state = new NeutralPlayState(laidOut, editor, {}, {});
  state->showTitle();
  return state;
}
