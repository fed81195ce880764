#include "menus/menu_screen.h"

#include "menus/menu_surround.h"

#include "menus/cutscene_state.h"
#include "menus/extras_state.h"
#include "menus/main_menu_state.h"
#include "menus/options_state.h"
#include "menus/profile_select_state.h"
#include "menus/puzzle_select_state.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"
#include "shell/input.h"
#include "base/log.h"
#include "shell/startup_media.h"
#include "shell/text_item.h"

MainMenuArt mainMenuArt;

void loadMainMenuMedia(SDL_Renderer* renderer) {
  const std::string dir = "art/main menu/";
  mainMenuArt.background.loadChecked(renderer, dir + "Background.png");
  mainMenuArt.logo.loadChecked(renderer, dir + "Logo.png");
  mainMenuArt.sideElement.loadChecked(renderer, dir + "SideElement.png");
  mainMenuArt.infoBox.loadChecked(renderer, dir + "InfoDisplayBox.png");
  mainMenuArt.brackets.loadChecked(renderer, dir + "Brackets.png");
  for (int n = 1; n <= 3; ++n)
    mainMenuArt.circuits[size_t(n - 1)].loadChecked(renderer, dir + "Circuits" + std::to_string(n) + ".png");
  static bool registered = false;
  if (!registered) {
    registered = true;
    registerMediaRelease([] {
      mainMenuArt.background.free();
      mainMenuArt.logo.free();
      mainMenuArt.sideElement.free();
      mainMenuArt.infoBox.free();
      mainMenuArt.brackets.free();
      for (Texture& t : mainMenuArt.circuits) t.free();
    });
  }
}

GeoRect MenuScreen::infoBoxRect(const SDL_Rect& window) {
  return menuInfoBoxRect(menuOrigin(window.w, window.h), mainMenuArt.infoBox.width,
                         mainMenuArt.infoBox.height);
}

ButtonList MenuScreen::buildButtons(const SDL_Rect& window) const {
  ButtonList buttons;
  const GeoPoint o = menuOrigin(window.w, window.h);
  for (int row = 0; row < int(menuButtonOrder.size()); ++row) {
    const int id = menuButtonOrder[size_t(row)];
    GeoPoint p = menuButtonPosition(o, row);
    buttons.emplace_back(p.x, p.y, id, nullptr);
    buttons.back().selected = menuButtonInfo(id) == infoIndex;
  }
  return buttons;
}

void MenuScreen::render(SDL_Renderer* renderer, const SDL_Rect& window) const {
  drawMenuSurround(renderer, window);
  const MainMenuArt& art = mainMenuArt;
  art.background.render(renderer, (window.w - art.background.width) / 2,
                        (window.h - art.background.height) / 2);
  const GeoPoint o = menuOrigin(window.w, window.h);
  art.logo.render(renderer, o.x + 142, o.y + 189);

  const Tick now = ticksNow();
  for (int i = 0; i < 10; ++i) {
    const int y = o.y + gribbleTop + gribblePitch * i;
    const int left = leftGribbles[size_t(i)].brightnessAt(now);
    const int right = rightGribbles[size_t(i)].brightnessAt(now);
    if (left != 0) {
      SDL_SetTextureAlphaMod(art.sideElement.texture, Uint8(left));
      art.sideElement.render(renderer, o.x + 161, y);
    }
    if (right != 0) {
      SDL_SetTextureAlphaMod(art.sideElement.texture, Uint8(right));
      art.sideElement.render(renderer, o.x + 455, y, nullptr, SDL_FLIP_HORIZONTAL);
    }
  }

  if (infoIndex != mainMenuInfo) {
    const GeoRect box = infoBoxRect(window);
    art.infoBox.render(renderer, box.x, box.y);
    if (infoIndex >= 1 && infoIndex <= 3)
      art.circuits[size_t(infoIndex - 1)].render(renderer, o.x + 433, o.y + 346);
  }

  ButtonList buttons = buildButtons(window);
  const Point m = mousePosition();
  const Button* bracketed = buttons.buttonAt(m.x, m.y);
  if (!bracketed) {
    for (const Button& b : buttons)
      if (menuButtonInfo(b.id) == infoIndex) {
        bracketed = &b;
        break;
      }
  }
  if (bracketed) art.brackets.render(renderer, bracketed->x - 8, bracketed->y);
  buttons.render(renderer, m.x, m.y, 255);

  // The version, quietly in the corner; light, since the wall behind it is dark.
  TextItem version(versionString, window.w - 5, window.h - 17, SDL_Color{196, 170, 122, 255}, 6, AlignRight);
  version.draw(renderer);
}

StateChange MenuScreen::handleEvent(const SDL_Event& event, const Viewport& viewport,
                                    const ModuleSet& clipboard, blackboard_id board) const {
  if (event.type == SDL_KEYDOWN && event.key.keysym.scancode == SDL_SCANCODE_ESCAPE)
    return {new MainMenuState(viewport, clipboard, board), Switch};
  ButtonList buttons = buildButtons(viewport.screen);
  switch (buttons.clickedId(event)) {
    case playButton:
      checkTutorialIndex(flagEnteredFirstPuzzle);
      if (tutorialFlags[flagEnteredFirstPuzzle])
        return {new PuzzleSelectState(viewport, clipboard, board >= firstCommunityBoard ? 0 : board), FadeSwitch};
      return {new CutsceneState(viewport, clipboard, introCutscene, false), FadeSwitch};
    case optionsButton:
      return {new OptionsState(viewport, clipboard, board, SDL_Rect{0, 0, 0, 0}), Switch};
    case profilesButton:
      return {new ProfileSelectState(viewport, clipboard, board), Switch};
    case extrasButton:
      return {new ExtrasState(viewport, clipboard, board), Switch};
    case communityButton:
      return {new PuzzleSelectState(viewport, clipboard, firstCommunityBoard), FadeSwitch};
    case quitButton:
      return {nullptr, Quit};
    default:
      return {};
  }
}

void MenuScreen::playGribbleTicks(int dtMs) {
  const int beeps = gribbleBeepsAt(ticksNow(), dtMs);
  for (int i = 0; i < beeps; ++i) musicManager().playSound(OpeningBeep, 1.0f);
}
