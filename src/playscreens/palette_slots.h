#pragma once
// The palette drawer's slots: the add slot (save the selection as a new
// group) and one slot per saved group with its miniature, name, hotkey and
// delete button.
#include <SDL.h>

#include <string>

#include "model/module_geometry.h"
#include "shell/button.h"
#include "shell/text_item.h"
#include "shell/texture.h"

struct CustomGroup;

extern Texture paletteAddSlotTexture;
extern Texture paletteSlotTexture;
extern Texture paletteHighlightTexture;
void loadPaletteMedia(SDL_Renderer* renderer);
void releasePaletteMedia();

constexpr int paletteDeleteButton = 37;
constexpr int palettePreviousButton = 38;
constexpr int paletteNextButton = 39;

struct PaletteSlot {
  int x = 0;  // centre
  int y = 0;
  const CustomGroup* group = nullptr;
  int puzzle = 0;
  bool renaming = false;
  std::string renameText;

  GeoRect rect() const;
  Button deleteButton() const;
  bool overDelete(int mouseX, int mouseY) const;
  TextItem nameItem(bool cursor) const;
  bool overName(int mouseX, int mouseY) const;
  bool contains(int mouseX, int mouseY) const;
  void render(SDL_Renderer* renderer, int mouseX, int mouseY) const;
  bool renderTooltip(SDL_Renderer* renderer, int mouseX, int mouseY) const;
};

struct PaletteAddSlot {
  int x = 0;  // centre
  int y = 0;
  bool anySelected = false;

  GeoRect rect() const;
  bool contains(int mouseX, int mouseY) const;
  void render(SDL_Renderer* renderer, int mouseX, int mouseY) const;
  bool renderTooltip(SDL_Renderer* renderer, int mouseX, int mouseY) const;
};
