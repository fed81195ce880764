#include "playscreens/wiring_play_state.h"

#include "editor/editor.h"
#include "editor/wire_path.h"
#include "model/module_set.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/set_port_input_action.h"
#include "services/music_manager.h"
#include "shell/input.h"
#include "base/log.h"
#include "shell/tooltip.h"

namespace {
std::uint32_t colourOfPort(Port* port, const ConstContext& context) {
  Module* owner = port->owner;
  const int index = owner ? owner->portIndex(port, false) : -1;
  return owner ? owner->logic->portColor(index, context, owner->ports) : 0;
}

StateChange emptyNeutral(const Viewport& viewport, const std::shared_ptr<Editor>& editor) {
  return {new NeutralPlayState(viewport, editor, {}, {}), Switch};
}
}  // namespace

WiringPlayState::WiringPlayState(Port* originIn, const Viewport& viewport, std::shared_ptr<Editor> editor)
    : GameState(std::make_shared<FullScrollLogic>(viewport)),
      playScreen(this->viewport(), std::nullopt, std::move(editor), {}, {}),
      origin(originIn),
      startTicks(ticksNow()) {
  originView = playScreen.display.portViewOf(origin);
  if (!originView) fatalError("couldn't find port infobox corresponding to wire in wire state");
  wireColour = colourOfPort(origin, playScreen.editor->constContext());
}

void WiringPlayState::enter() {
  if (!target) musicManager().playSound(WireSelect, 1.0f);
}

GeoPoint WiringPlayState::anchorPoint(const PortView* view, Point mouse) const {
  if (view) return view->getInfoboxOrigin();
  const Point world = viewport().screenToWorld(mouse.x, mouse.y);
  return cellCentre({world.x, world.y});
}

void WiringPlayState::trimWire(Port* targetIn, bool liftNow) {
  target = targetIn;
  savedPoints = origin->controlPoints;
  wireColour = colourOfPort(target, playScreen.editor->constContext());
  const PortView* targetView = playScreen.display.portViewOf(target);
  if (!targetView) fatalError("couldn't find port infobox corresponding to wire in wire state");
  DisplayWire wire(false, *targetView, *originView, playScreen.editor->occupiedCells());
  grabbedPath = wire.cachedPath().points;
  if (grabbedPath.empty()) fatalError("empty path in trimwire!");
  const GeoPoint at = anchorPoint(nullptr, mousePosition());
  grabbedPath = trimPathAt(grabbedPath, at.x, at.y);
  liftAtOnce = liftNow;
  if (liftAtOnce) liftWire();
}

void WiringPlayState::liftWire() {
  if (lifted) return;
  origin->connect(nullptr, playScreen.editor->constContext());
  playScreen.display.refreshSelection();
  lifted = true;
  musicManager().playSound(WireSelect, 1.0f);
}

WiringDrag WiringPlayState::drag() const {
  return {target != nullptr, liftAtOnce, moved, ticksNow() - startTicks >= liftDelayMs};
}

bool WiringPlayState::pressPending() const { return wirePressPending(drag()); }

bool WiringPlayState::releaseWording() const {
  return wireReleaseWording(drag(), mouseTracker().isButtonDown(SDL_BUTTON_LEFT));
}

bool WiringPlayState::isOverGrabbedWire() {
  if (pressPending() || grabbedPath.empty()) return false;
  const Point m = mousePosition();
  return DisplayWire::nearControlPoint(viewport(), m.x, m.y, grabbedPath);
}

std::optional<WireChoice> WiringPlayState::changeUnderMouse() {
  const Point m = mousePosition();
  if (Port* p = playScreen.display.portAt(viewport(), m.x, m.y)) return wireChoiceForPort(p, origin);
  if (isOverGrabbedWire()) return makeWireChoice(origin, target, origin->source);
  if (DisplayWire* wire = playScreen.display.wireAt(viewport(), m.x, m.y)) {
    Port* source = wire->sourcePort();
    if (source->canPairWith(*origin)) return makeWireChoice(origin, source, origin->source);
  }
  return std::nullopt;
}

void WiringPlayState::dropPreview() {
  if (!preview) return;
  preview->undo(playScreen.editor->constContext());
  preview.reset();
}

void WiringPlayState::update(int) {
  const ConstContext context = playScreen.editor->constContext();
  std::shared_ptr<ConnectionChange> old = preview;
  dropPreview();
  switch (wirePreviewStepFor(drag(), target && origin->source == target)) {
    case WirePreviewStep::hold:
      return;
    case WirePreviewStep::liftThenFollow:
      liftWire();
      break;
    case WirePreviewStep::follow:
      break;
  }
  if (std::optional<WireChoice> choice = changeUnderMouse()) {
    preview = std::make_shared<ConnectionChange>(choice->destination, choice->newSource, choice->oldSource);
    preview->apply(context);
  }
  const bool same = old && preview && old->destination == preview->destination &&
                    old->newSource == preview->newSource && old->oldSource == preview->oldSource;
  if (!same && (old || preview)) {
    playScreen.editor->dropCachedWireTextures();
    playScreen.display.refreshSelection();
  }
}

void WiringPlayState::deleteGrabbedWire() {
  dropPreview();
  auto editor = playScreen.editor;
  origin->connect(target, editor->constContext());
  editor->performAction(std::make_shared<SetPortInputAction>(origin, nullptr, editor->constContext()));
}

StateChange WiringPlayState::finish(bool cancel) {
  auto editor = playScreen.editor;
  dropPreview();
  if (target) origin->connect(target, editor->constContext());
  // On the machine as it was: what the pointer asks of it now.
  const bool overGrabbed = isOverGrabbedWire();
  std::optional<WireChoice> underPointer;
  if (!cancel && !overGrabbed) underPointer = changeUnderMouse();
  const Point m = mousePosition();
  Port* port = playScreen.display.portAt(viewport(), m.x, m.y);
  const WiringFinish end = wiringFinishFor(cancel, origin, target, overGrabbed, underPointer, port);
  switch (end.end) {
    case WiringEnd::backToEditor:
      return emptyNeutral(viewport(), editor);
    case WiringEnd::backWithConnect:
      musicManager().playSound(WireConnect, 1.0f);
      return emptyNeutral(viewport(), editor);
    case WiringEnd::perform:
      break;
  }
  editor->performAction(
      std::make_shared<SetPortInputAction>(end.change.destination, end.change.newSource, editor->constContext()));
  return PlayScreen::checkSolvedAfterEdit(viewport(), emptyNeutral(viewport(), editor), editor);
}

StateChange WiringPlayState::handleEvent(const SDL_Event& event) {
  const WiringEventStep step = wiringStepFor(inputRecordOf(event), drag());
  switch (step.step) {
    case WiringStep::nothing:
      return {};
    case WiringStep::follow:
      if (step.liftFirst) liftWire();
      moved = true;
      return {};
    case WiringStep::selectWire:
      ensure(!preview, "temp connection set without having moved");
      ensure(origin->source == target, "wire dest changed without having moved");
      return {new NeutralPlayState(viewport(), playScreen.editor, {}, WireSelection{WireEnds{target, origin}}), Switch};
    case WiringStep::finish:
      return finish(false);
    case WiringStep::cancel:
      return finish(true);
    case WiringStep::deleteGrabbed:
      deleteGrabbedWire();
      return emptyNeutral(viewport(), playScreen.editor);
  }
  return {};
}

int WiringPlayState::cursor() {
  const Point m = mousePosition();
  WiringPointer p;
  p.pressPending = pressPending();
  p.preview = preview != nullptr;
  p.previewDeletes = preview && !preview->newSource;
  p.targetAndOverOrigin = target && playScreen.display.portAt(viewport(), m.x, m.y) == origin;
  p.overPortOrWire = playScreen.display.portViewAt(viewport(), m.x, m.y) || playScreen.display.wireAt(viewport(), m.x, m.y);
  return wiringCursorFor(p);
}

std::string WiringPlayState::hintText(Port* candidate) const {
  if (preview)
    return describeConnectionChange({preview->destination, preview->newSource, preview->oldSource}, releaseWording());
  if (target && candidate == origin) return "Click to delete wire (from " + target->describe() + ").";
  if (candidate) return cannotConnectText(*candidate, *origin);
  return "";
}

void WiringPlayState::renderHint(SDL_Renderer* renderer, Port* candidate) {
  lastHint = hintText(candidate);
  if (!lastHint.empty()) drawTooltip(renderer, lastHint);
}

void WiringPlayState::render(SDL_Renderer* renderer) {
  const Point m = mousePosition();
  if (pressPending()) {
    playScreen.render(renderer, nullptr, viewport(), m.x, m.y);
    return;
  }
  Display& display = playScreen.display;
  const ConstContext context = playScreen.editor->constContext();
  PortView* v = display.portViewAt(viewport(), m.x, m.y);
  const bool inputWithSource = origin->kind != kResultPort && v && v->port->source;
  PortView* u = inputWithSource ? display.portViewOf(v->port->source) : v;
  DisplayWire* w = v ? nullptr : display.wireAt(viewport(), m.x, m.y);
  if (!u) {
    if (isOverGrabbedWire())
      u = display.portViewOf(target);
    else if (w)
      u = display.portViewOf(w->sourcePort());
  }
  Port* k = u ? u->port : nullptr;
  const bool wouldConnect = preview || (target && k == origin);

  std::map<const Port*, int> highlights;
  highlights[origin] = 2;
  if (inputWithSource) highlights[v->port] = 2;
  if (k) highlights[k] = wouldConnect ? 2 : 3;
  display.portHighlights = highlights;

  const Point hover = w ? m : noMousePoint;
  playScreen.renderMachine(renderer, context, viewport(), hover.x, hover.y);
  if (target && !grabbedPath.empty()) DisplayWire::renderWirePath(renderer, viewport(), grabbedPath, wireColour);

  const GeoPoint end = anchorPoint(wouldConnect ? u : nullptr, m);
  GeoPoint start = originView->getInfoboxOrigin();
  if (inputWithSource && preview && preview->destination != origin) start = v->getInfoboxOrigin();
  std::vector<GeoPoint> line =
      origin->kind == kResultPort ? std::vector<GeoPoint>{end, start} : std::vector<GeoPoint>{start, end};
  if (isOverGrabbedWire())
    for (const WirePoint& p : savedPoints) line.push_back({p.x, p.y});
  std::uint32_t colour = wireColour;
  if (wouldConnect && origin->kind != kResultPort && k && k->owner) colour = k->owner->getPortColor(k, context);
  DisplayWire::renderBetween(renderer, viewport(), line, colour, playScreen.editor->occupiedCells());

  playScreen.renderUi(renderer, context, viewport(), m.x, m.y);
  renderHint(renderer, k);
}

GameState* WiringPlayState::rebuild(SDL_Rect screen) {
  dropPreview();
  // A lifted wire goes back in place: the rebuilt state starts from the
  // machine as it was.
  if (lifted && target) origin->connect(target, playScreen.editor->constContext());
  Viewport v = viewport();
  v.screen = screen;
  auto* state = new WiringPlayState(origin, v, playScreen.editor);
  if (target) state->trimWire(target, liftAtOnce);
  return state;
}
