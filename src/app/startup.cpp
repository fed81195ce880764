#include "app/startup.h"

#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cstdio>

#include "editor/display_media.h"
#include "menus/menu_media.h"
#include "platform/mixer_audio_device.h"
#include "playscreens/play_media.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle_services.h"
#include "saves/profiles.h"
#include "services/music_manager.h"
#include "services/steam_handler.h"
#include "shell/background.h"
#include "shell/button.h"
#include "shell/crash_screen.h"
#include "shell/cursors.h"
#include "app/first_state.h"
#include "shell/fonts.h"
#include "base/log.h"
#include "shell/sprites.h"
#include "shell/startup_media.h"
#include "shell/video_settings.h"

Tick splashTick = 0;

SDL_Renderer* createGameRenderer(SDL_Window* window, const RendererFactory& create) {
  SDL_Renderer* renderer =
      create(window, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  if (renderer) return renderer;
  // No GPU or odd drivers: the game still runs on the software renderer.
  std::string reason = SDL_GetError();
  logLine("Accelerated renderer unavailable (" + reason + "); using the software renderer");
  std::printf("Accelerated renderer unavailable (%s); using the software renderer\n",
              reason.c_str());
  return create(window, SDL_RENDERER_SOFTWARE);
}

bool initSdl(SDL_Window*& window, SDL_Renderer*& renderer) {
  logLine("STARTUP: VERSION " + versionString);
  std::printf("Starting logging at %s\n", logFilePath.c_str());
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) < 0) {
    std::printf("SDL could not initialize! SDL Error: %s\n", SDL_GetError());
    return false;
  }
  if (!SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "1"))
    std::printf("Warning: Linear texture filtering not enabled!\n");
  VideoSettings settings = startupVideoSettings();
  Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE;
  if (settings.fullscreen) flags |= SDL_WINDOW_FULLSCREEN;
  if (settings.borderless) flags |= SDL_WINDOW_BORDERLESS;
  window = SDL_CreateWindow("Brasswick", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                            settings.width, settings.height, flags);
  if (!window) {
    std::printf("Window could not be created! SDL Error: %s\n", SDL_GetError());
    return false;
  }
  SDL_SetWindowMinimumSize(window, minWindowWidth, minWindowHeight);
  setWindowFlag(window, settings.borderless);
  renderer = createGameRenderer(window);
  if (!renderer) {
    std::printf("Renderer could not be created! SDL Error: %s\n", SDL_GetError());
    return false;
  }
  registerRendererWindow(renderer, window);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  if (!(IMG_Init(IMG_INIT_PNG) & IMG_INIT_PNG)) {
    std::printf("SDL_image could not initialize! SDL_image Error: %s\n", SDL_GetError());
    return false;
  }
  if (TTF_Init() == -1) {
    std::printf("SDL_ttf could not initialize! SDL_ttf Error: %s\n", TTF_GetError());
    return false;
  }
  // The crash screen's hook goes in first; until the fonts are open it can
  // only print, write error.txt and end the run.
  installCrashScreen(renderer);
  SDL_Surface* icon = IMG_Load("art/Icon256.png");
  checkSdlPointer(icon, "Loading exe icon");
  SDL_SetWindowIcon(window, icon);
  SDL_FreeSurface(icon);
  initSteam();
  return true;
}

void showSplash(SDL_Renderer* renderer) {
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderFillRect(renderer, nullptr);
  splashTexture.loadChecked(renderer, "art/fmod.png");
  SDL_Rect r = getRendererWindowRect(renderer);
  splashTexture.render(renderer, r.w / 2 - splashTexture.width / 2,
                       r.h / 2 - splashTexture.height / 2);
  SDL_RenderPresent(renderer);
  splashTick = ticksNow();
}

// Buttons click through the sound service, and the frame loop drives the
// music's fades and the store's answers.
static void connectServices() {
  setButtonSoundPlayer([](int sound, float volume) { musicManager().playSound(sound, volume); });
  setFrameHooks({[](int dtMs) { musicManager().update(dtMs); }, [] { steamHandler().runCallbacks(); }});
}

bool loadMedia(SDL_Renderer* renderer) {
  loadFonts(renderer);
  loadPuzzleTextsAndTests();
  loadControlMedia(renderer);
  wireSheetTexture.loadChecked(renderer, "art/wiresheet.png");
  loadBackgroundMedia(renderer);
  bottomBarBase.load(renderer);
  bottomBarModPanel.load(renderer);
  testBarBase.load(renderer);
  loadSparkleSheet(renderer);
  hudSupplementTexture.loadChecked(renderer, "art/editor/HUD_Base_Supplement.png");
  introLogoTexture.loadChecked(renderer, "art/intro_logo.png");
  dragMarkerTexture.loadChecked(renderer, "art/mclick.png");
  // The art of every screen and module, then the sound banks last.
  loadDisplayMedia(renderer);
  loadPlayScreenMedia(renderer);
  loadMenuMedia(renderer);
  musicManager().setAudioDeviceFactory([] { return std::make_unique<platform::MixerAudioDevice>(); });
  musicManager().loadBanks();
  return true;
}

void loadControlMedia(SDL_Renderer* renderer) {
  connectServices();
  loadCursors();
  for (int id = 0; id < buttonCount; ++id) loadButtonArt(renderer, id);
  buildKeyBindings();
}

Viewport firstViewport(SDL_Window* window, SDL_Renderer* renderer) {
  Viewport v;
  v.screen = getRendererWindowRect(renderer);
  v.fullscreen = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
  v.bordered = isWindowUnflagged(window);
  return v;
}

bool runGame(SDL_Window*& window, SDL_Renderer*& renderer, const GameOptions& options) {
  selectStoredProfile();
  if (!initSdl(window, renderer)) {
    std::printf("Failed to initialize!\n");
    return false;
  }
  showSplash(renderer);
  loadMedia(renderer);
  reloadCommunityPuzzles();
  Tick wait = splashTick + options.splashMinimumMs - ticksNow();
  if (wait > 0) delayMs(wait);
  Viewport viewport = firstViewport(window, renderer);
  GameState* first = options.firstState ? options.firstState(viewport) : makeFirstState(viewport);
  first->enter();
  steamHandler().updateAchievements();
  GameLoop loop(window, renderer, first);
  loop.lastFrameTick = ticksNow();
  steamHandler().runCallbacks();
  loop.run(options.afterFrame);
  return true;
}

void shutDown(SDL_Window*& window, SDL_Renderer*& renderer) {
  steamHandler().shutdown();
  musicManager().release();
  releaseAllMedia();
  destroyWindowAndRenderer(window, renderer);
  errorScreen()->renderer = nullptr;
  IMG_Quit();
  SDL_Quit();
  TTF_Quit();
}

void destroyWindowAndRenderer(SDL_Window*& window, SDL_Renderer*& renderer) {
  if (renderer) {
    rendererWindows.erase(renderer);
    SDL_DestroyRenderer(renderer);
  }
  if (window) {
    setWindowFlag(window, false);
    SDL_DestroyWindow(window);
  }
  renderer = nullptr;
  window = nullptr;
}
