#include "playscreens/tick_slider.h"

#include <algorithm>

#include "model/module_config.h"
#include "model/simulation.h"
#include "model/value.h"
#include "puzzles/tick_unit.h"
#include "saves/tutorial_flags.h"
#include "shell/input.h"
#include "shell/startup_media.h"
#include "base/strings.h"
#include "shell/text_item.h"
#include "shell/tooltip.h"

SliceBar tickSliderBar("art/editor/TestBar_Ticks", 108, 262);
SliceBar tickSliderBarBright("art/editor/TestBar_TicksBright", 108, 262);

namespace {
Texture handleTexture;
Texture handleGlowTexture;
Texture trackGlowTexture;
Texture labelTexture;


SDL_Rect toSdl(const GeoRect& r) { return {r.x, r.y, r.w, r.h}; }

std::string tKeyName() {
  const char* name = SDL_GetKeyName(SDLK_t);
  return name ? name : "T";
}
}  // namespace

void loadTickSliderMedia(SDL_Renderer* renderer) {
  tickSliderBar.load(renderer);
  tickSliderBarBright.load(renderer);
  handleTexture.loadChecked(renderer, "art/editor/TestBar_TickSlider.png");
  handleGlowTexture.loadChecked(renderer, "art/editor/TestBar_TickSliderOverlay.png");
  trackGlowTexture.loadChecked(renderer, "art/editor/TestBar_TickTrackOverlay.png");
  labelTexture.loadChecked(renderer, "art/editor/TestBar_Ticks-Label.png");
}

void releaseTickSliderMedia() {
  tickSliderBar.free();
  tickSliderBarBright.free();
  handleTexture.free();
  handleGlowTexture.free();
  trackGlowTexture.free();
  labelTexture.free();
}

TickSlider::TickSlider(std::shared_ptr<Simulation> simulationIn, bool milli, SDL_Rect windowIn)
    : simulation(std::move(simulationIn)),
      shownTick(simulation->tick()),
      tickLimit(simulation->testCase().tickLimit),
      milliTicks(milli),
      window(windowIn),
      tickEntry([](const std::shared_ptr<Value>&) {}, makeNumericValue(simulation->tick()), entryMaxLength) {}

TickLimitConfig TickSlider::makeTickLimitConfig() const {
  std::shared_ptr<Simulation> run = simulation;
  return {std::make_shared<NumericConfig>(0, tickLimit), [run] { return makeNumericValue(run->tick()); },
          [](const std::shared_ptr<Value>&) {}};
}

TickSliderGeometry TickSlider::geometry() const {
  return {window.w, window.h,
          TickSliderArt{tickSliderBar.middle.height, handleTexture.width, handleTexture.height, labelTexture.width}};
}

GeoRect TickSlider::handleRect() const {
  return geometry().handle(shownValue(), dragging, mousePosition().x, tickLimit);
}

double TickSlider::shownValue() const { return animation.shownValue(ticksNow(), simulation->tick()); }

bool TickSlider::isOverCounter() const {
  Point m = mousePosition();
  TickSliderGeometry g = geometry();
  return g.inCounterZone(m.x, m.y) && !inGrownRect(handleRect(), m.x, m.y, 2) && !inGrownRect(g.track(), m.x, m.y, 2);
}

bool TickSlider::contains(int x, int y) const { return geometry().contains(x, y); }

void TickSlider::openEntry() {
  editing = true;
  tickEntry.text = std::to_string(simulation->tick());
  tickEntry.restoreValue = makeNumericValue(simulation->tick());
  entryStartTick = simulation->tick();
}

int TickSlider::handleEvent(const SDL_Event& event) {
  if (swallowTextKey && event.type == SDL_TEXTINPUT) {
    swallowTextKey = false;
    const std::string typed = event.text.text;
    const std::string key = tKeyName();
    if (!typed.empty() && !key.empty() && asciiLower(typed[0]) == asciiLower(key[0])) return -1;
  }
  if (editing) {
    const int answer = tickEntry.handleEvent(event);
    if (answer != entryGoesOn) {
      editing = false;
      return answer == entryCancelled ? std::clamp(entryStartTick, 0, std::max(tickLimit, 0)) : -1;
    }
  } else if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_t) {
    openEntry();
    swallowTextKey = true;
  }
  // A release outside the window, or the window losing focus, ends a drag.
  if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) dragging = false;
  if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT) dragging = false;
  if (event.type != SDL_MOUSEBUTTONDOWN || event.button.button != SDL_BUTTON_LEFT) return -1;
  Point m = mousePosition();
  TickSliderGeometry g = geometry();
  if (inGrownRect(handleRect(), m.x, m.y, 2)) {
    dragging = true;
    editing = false;
    return -1;
  }
  if (inGrownRect(g.track(), m.x, m.y, 2)) {
    dragging = true;
    editing = false;
    return g.tickAt(m.x, tickLimit);
  }
  // Still dragging here means the release went missing: the drag is over.
  dragging = false;
  const bool wasEditing = editing;
  editing = isOverCounter();
  if (editing && !wasEditing) openEntry();
  return -1;
}

int TickSlider::pendingSeek() {
  if (simulation->tick() != shownTick) {
    animation.clearStep();
    shownTick = simulation->tick();
  }
  if (!editing) return dragging ? geometry().tickAt(mousePosition().x, tickLimit) : -1;
  return std::clamp(readLeadingInt(tickEntry.text), 0, std::max(tickLimit, 0));
}

void TickSlider::render(SDL_Renderer* renderer) {
  const Tick now = ticksNow();
  const TickSliderGeometry g = geometry();
  const GeoRect area = g.area();
  const GeoRect track = g.track();
  const GeoRect handle = handleRect();
  const Point m = mousePosition();
  const bool hoverTrack = inGrownRect(track, m.x, m.y, 2);
  const bool hoverSlider = hoverTrack || inGrownRect(handle, m.x, m.y, 2);
  const int pulse = int(std::llabs(600 - now % 1200));
  const bool seen = tutorialFlags[flagSteppedSimulation];
  const bool flashing = animation.stepDuration >= 0 && now < animation.stepStart + std::max(animation.stepDuration / 2, 200);
  const SDL_Rect housing = toSdl(g.housingFrame());
  (isOverCounter() || flashing ? tickSliderBarBright : tickSliderBar).draw(renderer, housing);

  int trackAlpha = hoverTrack ? 80 : seen ? 0 : pulse * 80 / 600;
  if (trackAlpha > 0 && trackGlowTexture.texture) {
    SDL_SetTextureAlphaMod(trackGlowTexture.texture, Uint8(trackAlpha));
    SDL_Rect dst = toSdl(track);
    SDL_RenderCopy(renderer, trackGlowTexture.texture, nullptr, &dst);
  }
  handleTexture.render(renderer, handle.x, handle.y);
  int glowAlpha = hoverSlider ? 64 : seen ? 0 : pulse * 64 / 600;
  if (glowAlpha > 0 && handleGlowTexture.texture) {
    SDL_SetTextureAlphaMod(handleGlowTexture.texture, Uint8(glowAlpha));
    handleGlowTexture.render(renderer, handle.x, handle.y);
  }
  const GeoRect label = g.label();
  labelTexture.render(renderer, label.x, label.y - 3);

  const int centre = area.x + area.w / 2;
  std::string counter = editing ? tickEntry.text + (now % 1200 <= 600 ? " " : "_")
                                : std::to_string(int(shownValue()));
  TextItem(counter, centre, area.y + 37, SDL_Color{48, 40, 32, 255}, 7, AlignCentre).draw(renderer);
  TextItem limit((milliTicks ? "m" : "") + std::string("TICK LIMIT: ") + std::to_string(tickLimit), centre, area.y + 7,
                 SDL_Color{48, 40, 32, 255}, 7, AlignCentre);
  limit.draw(renderer);
}

bool TickSlider::renderTooltip(SDL_Renderer* renderer) {
  Point m = mousePosition();
  if (isOverCounter()) {
    drawTooltip(renderer, "How much time has elapsed in the simulation? (Press " + tKeyName() + " or click to edit.)");
    return true;
  }
  const GeoRect area = geometry().area();
  TextItem limit((milliTicks ? "m" : "") + std::string("TICK LIMIT: ") + std::to_string(tickLimit),
                 area.x + area.w / 2, area.y + 7, SDL_Color{}, 7, AlignCentre);
  limit.tooltip = "How many " + tickUnitWord(milliTicks) + "s is your machine allowed to take before accomplishing its goal?";
  return limit.drawTooltipIfHovered(renderer, m.x, m.y);
}
