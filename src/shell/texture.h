#pragma once
// The owner of one SDL texture and its pixel size.
#include <SDL.h>
#include <SDL_ttf.h>

#include <string>

class Texture {
 public:
  Texture() = default;
  ~Texture() { free(); }
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;
  Texture(Texture&& other) noexcept;
  Texture& operator=(Texture&& other) noexcept;

  void free();
  // Loads an image with pure cyan (0, 255, 255) as the transparent colour.
  bool loadFromFile(SDL_Renderer* renderer, const std::string& path);
  // loadFromFile, fatal ("Loading texture from <path>: SDL ERROR (...)") on failure.
  void loadChecked(SDL_Renderer* renderer, const std::string& path);
  // Renders UTF-8 text; wrapWidth -1 means one unwrapped line. Not fatal.
  bool loadFromText(SDL_Renderer* renderer, TTF_Font* font, SDL_Color colour, int wrapWidth,
                    const std::string& text);
  void render(SDL_Renderer* renderer, int x, int y, const SDL_Rect* clip = nullptr,
              SDL_RendererFlip flip = SDL_FLIP_NONE, int scaleDivisor = 1,
              double angle = 0.0) const;
  // Takes ownership of a texture made elsewhere (may be null).
  void adopt(SDL_Texture* texture);
  bool exists() const { return width > 0; }

  SDL_Texture* texture = nullptr;
  int width = 0;
  int height = 0;
};

// Half-open: px in [x, x + w) and py in [y, y + h).
bool pointInRect(int x, int y, int w, int h, int px, int py);
