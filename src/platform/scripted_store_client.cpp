#include "platform/scripted_store_client.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

// FNV-1a: the same seeded scores on every machine.
std::uint32_t nameHash(const std::string& s) {
  std::uint32_t h = 2166136261u;
  for (unsigned char c : s) h = (h ^ c) * 16777619u;
  return h;
}

}  // namespace

std::unique_ptr<ScriptedStoreClient> ScriptedStoreClient::withDefaultScript() {
  auto client = std::make_unique<ScriptedStoreClient>();
  client->friends = {{2002, "Hattie"}, {2003, "Ned"}};
  client->seedNewBoards = true;
  client->deliverAfterRuns = 2;
  return client;
}

std::unique_ptr<StoreClient> makeStoreClientFromEnvironment() {
  const char* choice = std::getenv(storeBackendVariable);
  if (choice && std::string(choice) == "scripted") return ScriptedStoreClient::withDefaultScript();
  return std::make_unique<UnavailableStoreClient>();
}

void ScriptedStoreClient::injectFailure(CallKind kind, Failure failure) {
  failures_[kind].push_back(failure);
}

std::optional<ScriptedStoreClient::Failure> ScriptedStoreClient::takeFailure(CallKind kind) {
  auto& queue = failures_[kind];
  if (queue.empty()) return std::nullopt;
  Failure f = queue.front();
  queue.pop_front();
  return f;
}

ScriptedStoreClient::Board& ScriptedStoreClient::makeBoard(const std::string& name) {
  auto [it, made] = boards_.try_emplace(name);
  if (!made) return it->second;
  it->second.handle = boards_.size();
  if (seedNewBoards) {
    std::uint32_t h = nameHash(name);
    int base = 4 + int(h % 17);
    for (int k = 0; k < 24; ++k)
      it->second.scores[5000 + StoreUserId(k)] = base + int((h >> (k % 24)) % 9) + k / 3;
    int f = 0;
    for (const auto& [id, friendName] : friends) it->second.scores[id] = base + 1 + 2 * f++;
  }
  return it->second;
}

ScriptedStoreClient::Board* ScriptedStoreClient::boardByHandle(LeaderboardHandle handle) {
  for (auto& [name, board] : boards_)
    if (board.handle == handle) return &board;
  return nullptr;
}

bool ScriptedStoreClient::isFriendOrSelf(StoreUserId user) const {
  return user == self || friends.count(user) != 0;
}

void ScriptedStoreClient::addEntry(const std::string& board, StoreUserId user, int score) {
  makeBoard(board).scores[user] = score;
}

std::map<StoreUserId, int> ScriptedStoreClient::scores(const std::string& board) const {
  auto it = boards_.find(board);
  return it == boards_.end() ? std::map<StoreUserId, int>{} : it->second.scores;
}

StoreCall ScriptedStoreClient::queue(std::function<void()> deliver) {
  StoreCall call = nextCall_++;
  pending_.push_back(Pending{call, std::max(deliverAfterRuns, 1), std::move(deliver)});
  return call;
}

bool ScriptedStoreClient::init() {
  calls.push_back("init");
  started_ = initSucceeds;
  return started_;
}

void ScriptedStoreClient::runCallbacks() {
  if (!started_) return;
  if (statsRunsLeft_ > 0 && --statsRunsLeft_ == 0 && statsHandler_) statsHandler_(StatsReceived{statsResult});
  // Answers due now, in call order; calls made by their handlers wait for a later run.
  std::vector<Pending> due;
  for (auto it = pending_.begin(); it != pending_.end();) {
    if (--it->runsLeft <= 0) {
      due.push_back(std::move(*it));
      it = pending_.erase(it);
    } else {
      ++it;
    }
  }
  for (Pending& p : due) p.deliver();
}

void ScriptedStoreClient::shutdown() {
  calls.push_back("shutdown");
  started_ = false;
  pending_.clear();
}

void ScriptedStoreClient::setStatsReceivedHandler(std::function<void(const StatsReceived&)> handler) {
  statsHandler_ = std::move(handler);
}

bool ScriptedStoreClient::requestCurrentStats() {
  calls.push_back("requestCurrentStats");
  if (!started_) return false;
  statsRunsLeft_ = std::max(deliverAfterRuns, 1);
  return true;
}

bool ScriptedStoreClient::setStat(const std::string& name, std::int32_t value) {
  calls.push_back("setStat " + name + " " + std::to_string(value));
  if (!started_) return false;
  stats[name] = value;
  return true;
}

bool ScriptedStoreClient::setAchievement(const std::string& name) {
  calls.push_back("setAchievement " + name);
  if (!started_) return false;
  achievementsSet.push_back(name);
  return true;
}

bool ScriptedStoreClient::storeStats() {
  calls.push_back("storeStats");
  if (!started_) return false;
  ++storeStatsCalls;
  return true;
}

StoreCall ScriptedStoreClient::findOrCreateLeaderboard(const std::string& name, bool sortAscending, bool,
                                                       StoreHandler<LeaderboardFound> done) {
  calls.push_back("findOrCreateLeaderboard " + name);
  if (!started_) return 0;
  auto failure = takeFailure(CallKind::FindOrCreate);
  return queue([this, name, sortAscending, failure, done] {
    if (failure == Failure::IoFailure) return done(LeaderboardFound{}, true);
    if (failure == Failure::NotFound) return done(LeaderboardFound{}, false);
    bool made = !boards_.count(name);
    Board& board = makeBoard(name);
    if (made) board.ascending = sortAscending;
    done(LeaderboardFound{board.handle, true}, false);
  });
}

StoreCall ScriptedStoreClient::findLeaderboard(const std::string& name, StoreHandler<LeaderboardFound> done) {
  calls.push_back("findLeaderboard " + name);
  if (!started_) return 0;
  auto failure = takeFailure(CallKind::Find);
  return queue([this, name, failure, done] {
    if (failure == Failure::IoFailure) return done(LeaderboardFound{}, true);
    auto it = boards_.find(name);
    if (failure == Failure::NotFound || it == boards_.end()) return done(LeaderboardFound{}, false);
    done(LeaderboardFound{it->second.handle, true}, false);
  });
}

StoreCall ScriptedStoreClient::downloadLeaderboardEntries(LeaderboardHandle handle, LeaderboardRequest request,
                                                          int start, int end,
                                                          StoreHandler<ScoresDownloaded> done) {
  calls.push_back("downloadLeaderboardEntries " + std::to_string(handle) + " " +
                  std::to_string(int(request)) + " " + std::to_string(start) + " " + std::to_string(end));
  if (!started_) return 0;
  auto failure = takeFailure(CallKind::Download);
  return queue([this, handle, request, failure, done] {
    Board* board = boardByHandle(handle);
    if (failure || !board) return done(ScoresDownloaded{handle, 0, 0}, true);
    std::vector<LeaderboardEntry> all;
    for (const auto& [user, score] : board->scores) all.push_back({user, 0, score});
    std::stable_sort(all.begin(), all.end(), [&](const LeaderboardEntry& a, const LeaderboardEntry& b) {
      return board->ascending ? a.score < b.score : a.score > b.score;
    });
    std::vector<LeaderboardEntry> picked;
    for (size_t i = 0; i < all.size(); ++i) {
      all[i].globalRank = int(i) + 1;
      if (request != LeaderboardRequest::Friends || isFriendOrSelf(all[i].user)) picked.push_back(all[i]);
    }
    LeaderboardEntries id = nextEntries_++;
    int count = int(picked.size());
    downloads_[id] = std::move(picked);
    done(ScoresDownloaded{handle, id, count}, false);
  });
}

bool ScriptedStoreClient::getDownloadedLeaderboardEntry(LeaderboardEntries entries, int index,
                                                        LeaderboardEntry* out) {
  auto it = downloads_.find(entries);
  if (it == downloads_.end() || index < 0 || index >= int(it->second.size())) return false;
  if (out) *out = it->second[size_t(index)];
  return true;
}

StoreCall ScriptedStoreClient::uploadLeaderboardScore(LeaderboardHandle handle, bool keepBest, int score,
                                                      StoreHandler<ScoreUploaded> done) {
  calls.push_back("uploadLeaderboardScore " + std::to_string(handle) + " " + std::to_string(score));
  if (!started_) return 0;
  auto failure = takeFailure(CallKind::Upload);
  return queue([this, handle, keepBest, score, failure, done] {
    Board* board = boardByHandle(handle);
    if (failure == Failure::IoFailure) return done(ScoreUploaded{false, handle, score, false}, true);
    if (failure || !board) return done(ScoreUploaded{false, handle, score, false}, false);
    auto old = board->scores.find(self);
    bool better = old == board->scores.end() ||
                  (board->ascending ? score < old->second : score > old->second);
    bool changed = !keepBest || better;
    if (changed) board->scores[self] = score;
    done(ScoreUploaded{true, handle, score, changed}, false);
  });
}

void ScriptedStoreClient::cancelCall(StoreCall call) {
  pending_.erase(std::remove_if(pending_.begin(), pending_.end(),
                                [call](const Pending& p) { return p.call == call; }),
                 pending_.end());
}

std::string ScriptedStoreClient::personaName() { return persona; }

std::string ScriptedStoreClient::friendPersonaName(StoreUserId user) {
  if (auto it = friends.find(user); it != friends.end()) return it->second;
  return "Player " + std::to_string(user);
}

StoreUserId ScriptedStoreClient::userId() { return self; }

}  // namespace platform
