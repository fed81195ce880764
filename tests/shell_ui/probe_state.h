#pragma once
// A screen state for tests that records what the loop does to it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/game_state.h"

struct ProbeLog {
  std::vector<std::string> calls;
  bool has(const std::string& call) const {
    for (const auto& c : calls)
      if (c == call) return true;
    return false;
  }
  int count(const std::string& call) const {
    int n = 0;
    for (const auto& c : calls) n += c == call;
    return n;
  }
};

class ProbeState : public GameState {
 public:
  ProbeState(std::string name, const Viewport& v, std::shared_ptr<ProbeLog> log,
             std::shared_ptr<ScrollLogic> scrollLogic = nullptr)
      : GameState(scrollLogic ? scrollLogic : std::make_shared<FixedScrollLogic>(v)),
        name_(std::move(name)), log_(std::move(log)) {}
  ~ProbeState() override { log_->calls.push_back(name_ + ":deleted"); }

  StateChange handleEvent(const SDL_Event& e) override {
    std::string what = "event " + std::to_string(e.type);
    if (e.type == SDL_KEYDOWN) what = "key " + std::to_string(int(e.key.keysym.scancode));
    if (e.type == SDL_MOUSEBUTTONDOWN) what = "press " + std::to_string(int(e.button.button));
    if (e.type == SDL_MOUSEBUTTONUP) what = "release " + std::to_string(int(e.button.button));
    if (e.type == SDL_USEREVENT) what = "user " + std::to_string(e.user.code);
    log_->calls.push_back(name_ + ":" + what);
    return onEvent ? onEvent(e) : StateChange{};
  }
  void update(int dtMs) override {
    log_->calls.push_back(name_ + ":update " + std::to_string(dtMs));
    lastDt = dtMs;
  }
  int cursor() override { return cursorId; }
  void render(SDL_Renderer*) override { ++renders; }
  std::string name() override { return name_; }
  GameState* rebuild(SDL_Rect screen) override {
    log_->calls.push_back(name_ + ":rebuild " + std::to_string(screen.w) + "x" +
                          std::to_string(screen.h));
    Viewport v = viewport();
    v.screen = screen;
    auto* rebuilt = new ProbeState(name_, v, log_);
    rebuilt->onEvent = onEvent;
    return rebuilt;
  }
  ScrollBounds scrollBounds() override { return {}; }
  void enter() override { log_->calls.push_back(name_ + ":enter"); }
  void exit() override { log_->calls.push_back(name_ + ":exit"); }
  void fadeComplete() override { log_->calls.push_back(name_ + ":fadeComplete"); }
  bool waitsForRelease(Uint8 button) const override { return waitsForLeft && button == SDL_BUTTON_LEFT; }

  std::function<StateChange(const SDL_Event&)> onEvent;
  int cursorId = 1;
  int renders = 0;
  int lastDt = -1;
  bool waitsForLeft = false;

 private:
  std::string name_;
  std::shared_ptr<ProbeLog> log_;
};
