#include "menus/menu_media.h"

#include "menus/cutscene_state.h"
#include "menus/difficulty_stars.h"
#include "menus/menu_screen.h"
#include "menus/notes_state.h"
#include "menus/puzzle_select_media.h"
#include "menus/victory_media.h"

void loadMenuMedia(SDL_Renderer* renderer) {
  loadMainMenuMedia(renderer);
  loadPuzzleSelectMedia(renderer);
  loadStarsMedia(renderer);
  loadCutscenePanelArt(renderer);
  loadNotesMedia(renderer);
  loadVictoryMedia(renderer);
}
