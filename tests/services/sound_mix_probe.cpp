// Plays the game's sound in the situations a player hears most (menu, a
// board, a running machine, clicks, the victory chime) with the generated
// banks, for bench/sound_mix.sh to measure. Run it with SDL's disk audio
// driver: it prints, per situation, the byte range of the disk driver's
// output file that holds it ("segment NAME FROM TO").
// Usage: sound_mix_probe GAME_FOLDER DISK_FILE
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "services/music_manager.h"
#include "app/game_main.h"
#include "app/startup.h"
#include "support/temp_dir.h"

namespace {

long long fileSize(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

struct Situation {
  std::string name;
  std::function<void(MusicManager&)> setUp;
  std::function<void(MusicManager&, int msIn)> during;  // called every frame while measured
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: sound_mix_probe GAME_FOLDER DISK_FILE\n");
    return 2;
  }
  const std::string game = std::filesystem::absolute(argv[1]).string();
  const std::string disk = std::filesystem::absolute(argv[2]).string();
  TempWorkingDir dir;
  for (const char* sub : {"art", "fonts", "music", "puzzle_descriptions", "tests", "initial"})
    std::filesystem::create_directory_symlink(game + "/" + sub, sub);

  const int settleMs = 2500;   // every fade is over
  const int measureMs = 4000;  // what is measured
  auto every = [](int period, int id) {
    int last = -1;
    return [period, id, last](MusicManager& m, int ms) mutable {
      if (ms / period != last) {
        last = ms / period;
        m.playSound(id, 1.0f);
      }
    };
  };
  auto nothing = [](MusicManager&, int) {};
  std::vector<Situation> situations = {
      {"menu: opening track and room loop",
       [](MusicManager& m) {
         m.setTrack(6);
         m.requestedLoopKind = OpeningLoop;
         m.channelOn[2] = true;
       },
       nothing},
      {"menu with a click every 0.5 s", [](MusicManager&) {}, every(500, ClickButton)},
      {"board 1 track, editing", [](MusicManager& m) { m.setTrack(1); }, nothing},
      {"board 1, machine running: test mode and latch loop (2 latches)",
       [](MusicManager& m) {
         m.channelOn[1] = true;
         m.setLatchLoop(2);
       },
       [flip = every(1000, LatchFlipStored)](MusicManager& m, int ms) mutable {
         m.setLatchLoop(2);  // the simulation screen asks every frame
         flip(m, ms);
       }},
      {"latch loop alone (6 latches)",
       [](MusicManager& m) {
         m.stopMusic();
         m.setLatchLoop(6);
       },
       [](MusicManager& m, int) { m.setLatchLoop(6); }},
      {"clicks alone, every 0.5 s",
       [](MusicManager& m) {
         m.stopMusic();
         m.setLatchLoop(0);
       },
       every(500, ClickButton)},
      {"victory: board 1 at half music and the chime",
       [](MusicManager& m) {
         m.setTrack(1);
         m.musicFade = 50;
       },
       every(10000, LevelComplete)},
  };

  size_t index = 0;
  enum { Settling, Measuring } phase = Settling;
  Tick phaseStart = 0;
  long long from = 0;
  GameOptions options;
  options.splashMinimumMs = 0;
  options.afterFrame = [&](GameLoop&) {
    MusicManager& music = musicManager();
    const Tick now = ticksNow();
    if (index >= situations.size()) return false;
    if (phaseStart == 0) {
      situations[index].setUp(music);
      phaseStart = now;
      return true;
    }
    if (phase == Settling && now - phaseStart >= settleMs) {
      phase = Measuring;
      phaseStart = now;
      from = fileSize(disk);
    }
    if (phase == Measuring) {
      situations[index].during(music, int(now - phaseStart));
      if (now - phaseStart >= measureMs) {
        std::printf("segment %lld %lld %s\n", from, fileSize(disk), situations[index].name.c_str());
        std::fflush(stdout);
        ++index;
        phase = Settling;
        phaseStart = 0;
      }
    }
    return true;
  };
  int code = runGame(options);
  return index == situations.size() ? code : 3;
}
