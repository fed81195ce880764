#include "menus/cutscene_state.h"

#include "menus/extras_state.h"
#include "menus/puzzle_select_state.h"
#include "playscreens/enter_puzzle.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"
#include "shell/input.h"
#include "base/log.h"
#include "shell/startup_media.h"
#include "shell/text_item.h"

std::array<std::vector<Texture>, 4> cutscenePanelArt;

namespace {
constexpr int firstPuzzle = 17;
constexpr int afterCutsceneFadeMs = 600;
constexpr int afterCutsceneFadeScale = 3;

bool isSkipKey(SDL_Scancode sc) {
  switch (sc) {
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_SPACE:
    case SDL_SCANCODE_END:
    case SDL_SCANCODE_PAGEDOWN:
    case SDL_SCANCODE_RIGHT:
    case SDL_SCANCODE_DOWN:
    case SDL_SCANCODE_RETURN2:
      return true;
    default:
      return false;
  }
}
}  // namespace

void loadCutscenePanelArt(SDL_Renderer* renderer) {
  const std::vector<Cutscene>& scenes = cutscenes();
  for (size_t kind = 1; kind < scenes.size() && kind < cutscenePanelArt.size(); ++kind) {
    std::vector<Texture>& art = cutscenePanelArt[kind];
    art.clear();
    art.resize(size_t(scenes[kind].lineCount()));
    for (size_t n = 1; n <= art.size(); ++n)
      art[n - 1].loadFromFile(renderer, "art/cutscenes/" + scenes[kind].name + "_Panel_" + std::to_string(n) + ".png");
  }
  static bool registered = false;
  if (!registered) {
    registered = true;
    registerMediaRelease([] {
      for (auto& art : cutscenePanelArt) art.clear();
    });
  }
}

void ArtPanelTiming::draw(SDL_Renderer* renderer, Tick now, int w, int h) const {
  if (!panelShowing(times, now) || !art || !art->exists()) return;
  SDL_SetTextureAlphaMod(art->texture, Uint8(panelFadeAlpha(times, now)));
  art->render(renderer, w / 2 - art->width / 2, h / 2 + times.yOffset);
}

void LogoPanelTiming::draw(SDL_Renderer* renderer, Tick now, int w, int h) const {
  if (!panelShowing(times, now) || !introLogoTexture.exists()) return;
  SDL_SetTextureAlphaMod(introLogoTexture.texture, Uint8(panelFadeAlpha(times, now)));
  introLogoTexture.render(renderer, w / 2 - introLogoTexture.width / 2, h / 2 - introLogoTexture.height / 2);
}

void TextPanelTiming::draw(SDL_Renderer* renderer, Tick now, int w, int h) const {
  if (!panelShowing(times, now)) return;
  TextItem item(text, w / 2, h / 2 + times.yOffset, SDL_Color{240, 240, 240, 255}, 3, AlignCentre);
  item.alpha = Uint8(panelFadeAlpha(times, now));
  item.draw(renderer);
}

CutsceneState::CutsceneState(const Viewport& viewport, const ModuleSet& clipboard, int kind, bool replay)
    : MenuStateBase(viewport, clipboard, noBoard), kind_(kind), replay_(replay) {
  buildTimeline();
}

void CutsceneState::buildTimeline() {
  panels_.clear();
  const bool known = kind_ >= 1 && kind_ < int(cutscenePanelArt.size());
  auto artOf = [this, known](int line) -> const Texture* {
    if (!known || line < 0 || line >= int(cutscenePanelArt[size_t(kind_)].size())) return nullptr;
    return &cutscenePanelArt[size_t(kind_)][size_t(line)];
  };
  auto artSize = [&artOf](int line) {
    const Texture* t = artOf(line);
    return t ? PanelArtSize{t->width, t->height} : PanelArtSize{};
  };
  for (const PanelPlan& plan : buildCutsceneTimeline(kind_, ticksNow(), artSize)) {
    switch (plan.kind) {
      case PanelKind::Art:
        panels_.push_back(std::make_shared<ArtPanelTiming>(plan.times, artOf(plan.line)));
        break;
      case PanelKind::Logo:
        panels_.push_back(std::make_shared<LogoPanelTiming>(plan.times));
        break;
      case PanelKind::Text:
        panels_.push_back(std::make_shared<TextPanelTiming>(plan.times, plan.text));
        break;
    }
  }
}

StateChange CutsceneState::handleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
      if (event.key.keysym.scancode == SDL_SCANCODE_ESCAPE) return finish(FadeSwitch);
      if (isSkipKey(event.key.keysym.scancode) && !isCtrlHeld()) return advance();
      return {};
    case SDL_MOUSEBUTTONDOWN:
      return advance();
    case SDL_USEREVENT:
      // Other user events (button repeats, a simulation's codes) are not ours.
      if (event.user.code == cutsceneFinishedCode) return finish(Switch);
      return {};
    default:
      return {};
  }
}

StateChange CutsceneState::advance() {
  std::vector<PanelTimes*> times;
  for (auto& p : panels_) times.push_back(&p->times);
  if (!skipToNextPanel(times, ticksNow())) return finish(FadeSwitch);
  return {};
}

StateChange CutsceneState::finish(int changeKind) {
  if (kind_ == basicEndingCutscene) markTutorialSeen(flagSawBasicEnding);
  if (kind_ == finalEndingCutscene) markTutorialSeen(flagSawFinalEnding);
  GameState* next = nextState();
  if (next->fadeTimer == 0) {
    next->fadeTimer = afterCutsceneFadeMs;
    next->fadeScale = afterCutsceneFadeScale;
    next->fadeIn = true;
  }
  return {next, changeKind};
}

GameState* CutsceneState::nextState() {
  if (replay_) return new ExtrasState(viewport(), clipboard_, noBoard);
  switch (kind_) {
    case introCutscene:
      return enterPuzzle(firstPuzzle, ModuleSet(), viewport());
    case basicEndingCutscene:
      return new PuzzleSelectState(viewport(), clipboard_, noBoard);
    case finalEndingCutscene:
      return enterPuzzle(creditsPuzzle, ModuleSet(), viewport());
    default:
      fatalError("Unknown cutscene " + std::to_string(kind_));
  }
}

void CutsceneState::update(int) {
  if (panels_.empty() || ticksNow() <= panels_.back()->times.end) return;
  SDL_Event e;
  SDL_zero(e);
  e.type = SDL_USEREVENT;
  e.user.code = cutsceneFinishedCode;
  SDL_PushEvent(&e);
}

void CutsceneState::render(SDL_Renderer* renderer) {
  const Tick now = ticksNow();
  const SDL_Rect& window = viewport().screen;
  for (const auto& p : panels_) p->draw(renderer, now, window.w, window.h);
}

GameState* CutsceneState::rebuild(SDL_Rect screen) {
  return new CutsceneState(resized(screen), clipboard_, kind_, replay_);
}

void CutsceneState::enter() {
  static const int tracks[] = {0, 8, 9, 10};
  musicManager().setTrack(kind_ >= 1 && kind_ <= 3 ? tracks[kind_] : 0);
}
