#include "menus/puzzle_select_media.h"

#include <cstdio>
#include <memory>

#include "menus/character_art.h"
#include "puzzles/community_placards.h"
#include "menus/puzzle_select_rules.h"
#include "puzzles/chapter.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle_services.h"
#include "saves/puzzle_locations.h"
#include "base/log.h"
#include "shell/startup_media.h"
#include "shell/text_item.h"

PuzzleSelectArt puzzleSelectArt;

namespace {

const std::string selectDir = "art/puzzleselect/";

ChapterArt loadChapterArt(SDL_Renderer* renderer, const std::string& path) {
  auto texture = std::make_shared<Texture>();
  texture->loadChecked(renderer, path);
  ChapterArt art;
  art.width = texture->width;
  art.height = texture->height;
  art.texture = texture;
  return art;
}

const Texture& textureOf(const ChapterArt& art) {
  static const Texture none;
  return art.texture ? *std::static_pointer_cast<Texture>(art.texture) : none;
}

void tintGrey(const Texture& t) { SDL_SetTextureColorMod(t.texture, 143, 143, 143); }

GeoRect measuredLabel(SDL_Renderer* renderer, puzzle_id id) {
  TextItem label(getPuzzleTitle(id), 0, 0, SDL_Color{245, 245, 245, 255}, 14, AlignCentre);
  SDL_Rect b = label.bounds(renderer);
  return {-b.w / 2 - 8, -8, b.w + 16, b.h + 8};
}

void releaseSelectArt() {
  for (Chapter& c : chaptersVector()) {
    c.background = {};
    c.overlay = {};
  }
  PuzzleSelectArt& a = puzzleSelectArt;
  for (Texture* t : {&a.crossLine, &a.underLine, &a.base, &a.frame, &a.titlePlate, &a.spotlight, &a.creditHint,
                     &a.lookdown})
    t->free();
  measureCommunityPlacardsHook = nullptr;
}

}  // namespace

void loadPuzzleSelectMedia(SDL_Renderer* renderer) {
  std::vector<Chapter>& chapters = chaptersVector();
  if (int(chapters.size()) != 6) fatalError("blackboard size mismatch");
  for (int i = 0; i < int(chapters.size()); ++i) {
    Chapter& c = chapters[size_t(i)];
    c.background = loadChapterArt(renderer, selectDir + "select_bg_" + std::to_string(i) + ".png");
    c.overlay = loadChapterArt(renderer, selectDir + "board_overlay_" + std::to_string(i) + ".png");
    tintGrey(textureOf(c.overlay));
  }
  PuzzleSelectArt& a = puzzleSelectArt;
  a.crossLine.loadChecked(renderer, "art/puzzleselect/cross_line.png");
  a.underLine.loadChecked(renderer, "art/puzzleselect/under_line.png");
  a.base.loadChecked(renderer, "art/puzzleselect/LevelSelect_Base.png");
  a.frame.loadChecked(renderer, "art/puzzleselect/frame.png");
  a.titlePlate.loadChecked(renderer, "art/puzzleselect/Placard.png");
  a.spotlight.loadChecked(renderer, "art/puzzleselect/spotlight.png");
  a.creditHint.loadChecked(renderer, "art/puzzleselect/credit_hint.png");
  a.lookdown.loadChecked(renderer, "art/puzzleselect/lookdown.png");
  tintGrey(a.creditHint);
  tintGrey(a.lookdown);
  loadCharacterArt(renderer);

  for (puzzle_id id = 0; id < puzzleTableSize; ++id)
    if (!getPuzzle(id).hasFlag(puzzleFlagHidden)) puzzleLocations[id] = {0, 0};
  const std::string error = loadPuzzleLocations();
  if (!error.empty()) {
    std::printf("Error while loading main menu puzzle locations: %s\n", error.c_str());
    fatalError("Error while loading main menu puzzle locations: " + error);
  }
  measurePuzzlePlacards(renderer);
  measureCommunityPlacardsHook = [renderer] {
    for (int i = 0; i < int(customPuzzles.size()); ++i)
      placardRects[firstCommunityPuzzle + i] = measuredLabel(renderer, firstCommunityPuzzle + i);
  };
  static bool registered = false;
  if (!registered) {
    registered = true;
    registerMediaRelease(releaseSelectArt);
  }
}

const Texture& chapterBackground(int chapter) {
  const std::vector<Chapter>& chapters = chaptersVector();
  static const Texture none;
  return chapter >= 0 && chapter < int(chapters.size()) ? textureOf(chapters[size_t(chapter)].background) : none;
}

const Texture& chapterOverlay(int chapter) {
  const std::vector<Chapter>& chapters = chaptersVector();
  static const Texture none;
  return chapter >= 0 && chapter < int(chapters.size()) ? textureOf(chapters[size_t(chapter)].overlay) : none;
}

const Texture& communityPageOverlay(int page) {
  static const Texture none;
  return page >= 0 && page < int(communityPages.size()) ? textureOf(communityPages[size_t(page)].overlay) : none;
}

int selectTabRowTop() { return tabRowTop(chapterBackground(0).height, puzzleSelectArt.base.height); }

void measurePuzzlePlacards(SDL_Renderer* renderer) {
  for (puzzle_id id = 0; id < puzzleTableSize; ++id)
    if (!getPuzzle(id).hasFlag(puzzleFlagHidden)) placardRects[id] = measuredLabel(renderer, id);
}
