#include "menus/main_menu_state.h"

#include "menus/menu_screen.h"
#include "services/music_manager.h"

namespace {
constexpr int openingTrack = 6;
}

StateChange MainMenuState::handleEvent(const SDL_Event& event) {
  return MenuScreen(mainMenuInfo).handleEvent(event, viewport(), clipboard_, rememberedBoard_);
}

void MainMenuState::update(int dtMs) { MenuScreen::playGribbleTicks(dtMs); }

void MainMenuState::render(SDL_Renderer* renderer) { MenuScreen(mainMenuInfo).render(renderer, viewport().screen); }

GameState* MainMenuState::rebuild(SDL_Rect screen) { return new MainMenuState(resized(screen), clipboard_, noBoard); }

void playMenuMusic() {
  MusicManager& music = musicManager();
  music.setTrack(openingTrack);
  music.requestedLoopKind = OpeningLoop;
  music.requestedLoopValue = 0;
  music.channelOn[2] = true;
}

bool menuMusicRequested() {
  const MusicManager& music = musicManager();
  return music.requestedTrack == openingTrack && music.requestedLoopKind == OpeningLoop && music.channelOn[2];
}

void MainMenuState::enter() { playMenuMusic(); }
