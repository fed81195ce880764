// The memory sidebar's drawing, tooltips and clicks.
#include <algorithm>
#include <cstdlib>

#include "editor/editor.h"
#include "playscreens/memory_sidebar.h"
#include "playscreens/screen_text_item.h"
#include "puzzles/puzzle.h"
#include "shell/button.h"
#include "shell/fonts.h"
#include "shell/startup_media.h"
#include "shell/texture.h"
#include "shell/tooltip.h"

namespace {
Texture panelTop;
Texture panelMiddle;
Texture panelTopGlow;
Texture panelMiddleGlow;
Texture lineHighlight;

constexpr int memoryTutorialPuzzle = 23;
constexpr int bumpMs = 100;

ButtonList sidebarButtons(const SidebarLayout& layout) {
  ButtonList buttons;
  for (const SidebarButton& b : layout.buttons) {
    const bool on = b.enabled;
    Button button(b.x, b.y, b.id, nullptr, [on] { return on; });
    button.selected = b.selected;
    buttons.push_back(std::move(button));
  }
  return buttons;
}

void drawLineHighlight(SDL_Renderer* renderer, int x, int lineY, int revealWidth) {
  if (!lineHighlight.texture || revealWidth <= 0) return;
  SDL_Rect clip{0, 0, std::min(revealWidth, lineHighlight.width), lineHighlight.height};
  lineHighlight.render(renderer, x, lineY - 6, &clip);
}
}  // namespace

void loadMemorySidebarMedia(SDL_Renderer* renderer) {
  panelTop.loadChecked(renderer, "art/editor/MemoryPanel-Expanded-Top.png");
  panelMiddle.loadChecked(renderer, "art/editor/MemoryPanel-Expanded-Middle.png");
  panelTopGlow.loadChecked(renderer, "art/editor/MemoryPanel-Expanded-Top-Glowing.png");
  panelMiddleGlow.loadChecked(renderer, "art/editor/MemoryPanel-Expanded-Middle-Glowing.png");
  lineHighlight.loadChecked(renderer, "art/mem_line_highlight.png");
  SDL_SetTextureColorMod(lineHighlight.texture, 115, 250, 0);
  SDL_SetTextureAlphaMod(lineHighlight.texture, 48);
  GlyphSize glyph = fontDimensions(7);
  memorySidebarFonts() = SidebarFonts{glyph.width, glyph.height, fontDimensions(13).height};
}

void releaseMemorySidebarMedia() {
  for (Texture* t : {&panelTop, &panelMiddle, &panelTopGlow, &panelMiddleGlow, &lineHighlight}) t->free();
}

bool MemorySidebar::handleEvent(const SDL_Event& event, int mouseX, int mouseY, Editor& owner) {
  // Presses count over the panel; the view keys and a held arrow's repeats
  // wherever the mouse is.
  const bool press = event.type == SDL_MOUSEBUTTONDOWN;
  if (!press && event.type != SDL_KEYDOWN && refiredButton(event) == noButton) return false;
  if (press && (mouseX < rect.x || mouseX >= rect.x + rect.w || mouseY < rect.y || mouseY >= rect.y + rect.h))
    return false;
  ButtonList buttons = sidebarButtons(layout);
  const int id = buttons.clickedId(event);
  switch (id) {
    case 11:
      owner.memoryViewKind = testCount > 1 ? viewInitialOfTest : viewInitial;
      return true;
    case 12:
      owner.memoryViewKind = viewNow;
      return true;
    case 13:
      owner.memoryViewKind = viewGoal;
      return true;
    case 10:
      owner.memoryPanelOpen = false;
      return false;
    case 27:
    case 28:
      scroll += id == 27 ? -1 : 1;
      owner.memoryScroll = scroll;
      relayout();
      return false;
    case 29:
      owner.selectTest(testNumber < 2 ? 1 : testNumber - 1);
      return true;
    case 30:
      owner.selectTest(std::min(testNumber + 1, testCount));
      return true;
    default:
      return false;
  }
}

void MemorySidebar::render(SDL_Renderer* renderer, int highlightedAddress, int mouseX, int mouseY) {
  const Tick now = ticksNow();
  int windowBottom = rect.y + rect.h;
  panelTop.render(renderer, rect.x, rect.y);
  if (panelMiddle.height > 0)
    for (int y = rect.y + panelTop.height; y < windowBottom; y += panelMiddle.height) panelMiddle.render(renderer, rect.x, y);
  if (editor->puzzle == memoryTutorialPuzzle) {
    Uint8 alpha = Uint8(std::llabs(1000 - now % 2000) * 191 / 1000);
    SDL_SetTextureAlphaMod(panelTopGlow.texture, alpha);
    SDL_SetTextureAlphaMod(panelMiddleGlow.texture, alpha);
    panelTopGlow.render(renderer, rect.x, rect.y);
    if (panelMiddleGlow.height > 0)
      for (int y = rect.y + panelTopGlow.height; y < windowBottom; y += panelMiddleGlow.height)
        panelMiddleGlow.render(renderer, rect.x, y);
  }
  sidebarButtons(layout).render(renderer, mouseX, mouseY, 255);
  if (fromValidation && now % 1200 > 600) {
    SDL_Rect blink{rect.x + 42, rect.y + 70, rect.w - 79, 35};
    SDL_SetRenderDrawColor(renderer, 255, 111, 111, 143);
    SDL_RenderFillRect(renderer, &blink);
  }

  const Tick elapsed = highlightDuration == -1 ? INT_MAX : now - highlightStart;
  if (highlightDuration != -1 && elapsed >= 0 && elapsed < highlightDuration / 2) {
    const int reveal = elapsed >= bumpMs ? rect.w : int(rect.w * elapsed / bumpMs);
    for (int slot : layout.highlighted) {
      auto line = layout.lines.find(slot);
      if (line != layout.lines.end()) drawLineHighlight(renderer, rect.x, line->second.text.y, reveal);
    }
  }
  if (highlightedAddress != INT_MAX) {
    if (const SidebarLine* line = layout.lineForAddress(highlightedAddress))
      drawLineHighlight(renderer, rect.x, line->text.y, rect.w);
  }

  for (const ScreenText& text : layout.texts) textItemFor(text).draw(renderer);
  const int bump = elapsed >= 0 && elapsed < bumpMs ? int(5 - elapsed * 5 / bumpMs) : 0;
  for (const auto& [slot, line] : layout.lines) {
    if (line.onArrowRow) continue;
    TextItem item = textItemFor(line.text);
    if (line.changed) item.x += bump;
    item.draw(renderer);
  }
}

void MemorySidebar::refire(int dtMs) { sidebarButtons(layout).refire(dtMs); }

bool MemorySidebar::tooltipAt(SDL_Renderer* renderer, int mouseX, int mouseY) {
  if (mouseX < rect.x || mouseX >= rect.x + rect.w || mouseY < rect.y || mouseY >= rect.y + rect.h) return false;
  for (const ScreenText& text : layout.texts)
    if (textItemFor(text).drawTooltipIfHovered(renderer, mouseX, mouseY)) return true;
  for (const auto& [slot, line] : layout.lines) {
    if (line.onArrowRow) continue;
    const GeoRect& b = line.hoverBox;
    if (mouseX >= b.x && mouseX < b.x + b.w && mouseY >= b.y && mouseY < b.y + b.h) {
      drawTooltip(renderer, line.text.tooltip);
      return true;
    }
  }
  sidebarButtons(layout).renderTooltip(renderer, mouseX, mouseY);
  return true;
}
