#include "menus/extras_rules.h"

#include "puzzles/puzzle_services.h"

ExtrasOffer extrasOffer() {
  const bool basic = isPuzzleBeaten(basicEndingPuzzle);
  return {basic, basic && isPuzzleBeaten(finalEndingPuzzle)};
}

NotesPageButtons notesPageButtons(int page, int slideCount) { return {page > 0, page < slideCount - 1}; }

int clampNotesPage(int page, int slideCount) {
  if (page >= slideCount) page = slideCount - 1;
  return page < 0 ? 0 : page;
}
