// Brasswick's look: the palette and the recurring materials (brass, walnut,
// enamel, chalk, paper) shared by every group of art.
#pragma once

#include <map>
#include <string>

#include "art/canvas.h"
#include "art/manifest.h"

namespace art {

namespace pal {
inline Colour brass() { return Colour(201, 162, 82); }
inline Colour brassLight() { return Colour(240, 214, 142); }
inline Colour brassDark() { return Colour(122, 88, 38); }
inline Colour walnut() { return Colour(96, 60, 36); }
inline Colour walnutDark() { return Colour(58, 35, 21); }
inline Colour walnutLight() { return Colour(136, 90, 56); }
inline Colour enamel() { return Colour(236, 227, 204); }
inline Colour enamelShade() { return Colour(205, 193, 166); }
inline Colour ink() { return Colour(42, 34, 28); }
inline Colour slate() { return Colour(40, 56, 49); }
inline Colour chalk() { return Colour(236, 236, 226); }
inline Colour paper() { return Colour(240, 230, 205); }
inline Colour arithmetic() { return Colour(57, 127, 114); }
inline Colour state() { return Colour(120, 121, 103); }
inline Colour control() { return Colour(68, 116, 129); }
inline Colour greySymbol() { return Colour(131, 132, 124); }
inline Colour greyDrawer() { return Colour(79, 79, 79); }
inline Colour red() { return Colour(178, 52, 40); }
inline Colour amber() { return Colour(255, 176, 46); }
inline Colour white() { return Colour(255, 255, 255); }
// Category colour by name: Arithmetic, State, Control or Grey (Color1..3 too).
Colour category(const std::string& name);
}  // namespace pal

enum class Face { Book, Demi, Chalk, Mono, MonoBold };

class Fonts {
public:
    Fonts(std::map<Face, std::string> files) : files_(std::move(files)) {}
    ~Fonts();
    TTF_Font* get(Face face, int points);

private:
    std::map<Face, std::string> files_;
    std::map<std::pair<Face, int>, TTF_Font*> open_;
};

// The state a button variant shows.
enum class Look { Normal, Down, Selected, Grey, Moused };

struct Job {
    std::string path;       // the file being made
    std::string base;       // the path without its state suffix
    Look look = Look::Normal;
    Size size;
    const ManifestRow* row = nullptr;      // the row of the file
    const ManifestRow* baseRow = nullptr;  // the row of the unsuffixed image
};

struct Context {
    Fonts* fonts = nullptr;
    std::string notesFile;  // data/story/notes.txt: the text of the notes pages
    std::map<std::string, int> metrics;
    std::map<std::string, Size> sizes;
    int metric(const std::string& k) const { return metrics.at(k); }
};

// Materials.
void brassPlate(Canvas& c, float x, float y, float w, float h, float radius, bool flat = false);
void walnutPanel(Canvas& c, float x, float y, float w, float h, float radius, uint32_t seed);
void enamelPlate(Canvas& c, float x, float y, float w, float h, float radius, Colour base,
                 bool pressed = false);
void rivet(Canvas& c, float x, float y, float r = 2.5f);
void chalkStroke(Canvas& c, float x0, float y0, float x1, float y1, float width, uint32_t seed,
                 float alpha = 1);
void chalkPolyline(Canvas& c, const std::vector<Vec>& pts, float width, uint32_t seed,
                   float alpha = 1, bool closed = false);
void chalkCircle(Canvas& c, float cx, float cy, float r, float width, uint32_t seed, float alpha = 1);
void paperSheet(Canvas& c, float x, float y, float w, float h, uint32_t seed);
// Applies a button state to finished art: pressed darkens, grey desaturates,
// moused brightens. Selected art is drawn by each painter.
void applyLook(Canvas& c, Look look);

// The group painters: each returns true when it made the job.
bool paintMisc(const Job& job, Canvas& c, Context& ctx);
bool paintCursor(const Job& job, Canvas& c, Context& ctx);
bool paintButton(const Job& job, Canvas& c, Context& ctx);
bool paintEditor(const Job& job, Canvas& c, Context& ctx);
bool paintModule(const Job& job, Canvas& c, Context& ctx);
bool paintMenu(const Job& job, Canvas& c, Context& ctx);
bool paintPuzzleSelect(const Job& job, Canvas& c, Context& ctx);
bool paintCharacter(const Job& job, Canvas& c, Context& ctx);
bool paintStory(const Job& job, Canvas& c, Context& ctx);

// The Brasswick cog and logo, shared by the icon, splash, menu and intro card.
void drawCog(Canvas& c, float cx, float cy, float r, int teeth, Colour face, Colour edge);
void drawLogo(Canvas& c, Context& ctx, float x, float y, float w, float h);

// Icons drawn into a square of side s at (x, y), in the given colour.
void drawIcon(Canvas& c, const std::string& name, float x, float y, float s, Colour col);

}  // namespace art
