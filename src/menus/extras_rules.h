#pragma once
// What the extras menu offers and which page buttons the notes show; both
// follow the records at every frame.
constexpr int basicEndingPuzzle = 15;  // beating it plays the basic ending
constexpr int finalEndingPuzzle = 59;  // beating it plays the final ending

struct ExtrasOffer {
  bool basicEnding = false;  // and the notes
  bool finalEnding = false;
};
ExtrasOffer extrasOffer();

struct NotesPageButtons {
  bool previous = false;
  bool next = false;
};
NotesPageButtons notesPageButtons(int page, int slideCount);
// A page within 0..slideCount - 1 (0 without slides).
int clampNotesPage(int page, int slideCount);
