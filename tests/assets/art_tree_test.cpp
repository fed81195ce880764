// Checks the generated art tree against the art manifest: every file there
// with its size, the size relations between files, the colour-key and alpha
// rules, the module geometry the board relies on, and that nothing absent or
// unlisted is made.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include "assets/asset_files.h"
#include "base/strings.h"

using namespace assettest;
namespace fs = std::filesystem;

namespace {

struct Art {
    std::vector<Row> rows;
    std::map<std::string, Row> byPath;
};

const Art& art() {
    static Art a = [] {
        Art x;
        x.rows = readTable(sourceFile("data/assets/art-manifest.tsv"));
        for (auto& r : x.rows) x.byPath[r.at("path")] = r;
        return x;
    }();
    return a;
}

bool absent(const Row& r) { return r.at("required") == "absent"; }

bool endsWith(const std::string& s, const std::string& t) {
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

// The path a reference like "Meter.png", "TestButton" or a full path means.
std::string resolve(const std::string& from, std::string ref) {
    if (!endsWith(ref, ".png")) ref += ".png";
    const auto& rows = art().byPath;
    if (rows.count(ref)) return ref;
    std::string dir = from.substr(0, from.rfind('/') + 1);
    if (rows.count(dir + ref)) return dir + ref;
    for (auto& [p, r] : rows)
        if (endsWith(p, "/" + ref)) return p;
    return "";
}

std::vector<std::string> matches(const std::string& text, const std::regex& re) {
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        out.push_back((*it)[1]);
    return out;
}

int metric(const std::string& name, const std::string& file = "data/art_metrics.txt") {
    std::ifstream in(sourceFile(file));
    std::string key;
    std::string value;
    while (in >> key) {
        if (key[0] == '#') {
            std::getline(in, value);
            continue;
        }
        in >> value;
        if (key == name) return parseInt(value).value_or(-1);
    }
    return -1;
}

bool isCyan(const uint8_t* p) { return p[0] == 0 && p[1] == 255 && p[2] == 255; }

}  // namespace

TEST(ArtTree, ManifestHasTheExpectedRows) {
    std::map<std::string, int> counts;
    for (auto& r : art().rows) counts[r.at("required")]++;
    EXPECT_EQ(art().rows.size(), 443u);
    EXPECT_EQ(counts["fatal"], 361);
    EXPECT_EQ(counts["required"], 36);
    EXPECT_EQ(counts["optional"], 37);
    EXPECT_EQ(counts["absent"], 9);
}

TEST(ArtTree, EveryRowExistsWithItsFixedSize) {
    for (auto& r : art().rows) {
        if (absent(r)) continue;
        const std::string& path = r.at("path");
        SCOPED_TRACE(path);
        const Image& img = image(path);
        ASSERT_TRUE(img.loaded) << "missing or unreadable";
        if (auto w = parseInt(r.at("width"))) {
            EXPECT_EQ(img.w, *w);
        }
        if (auto h = parseInt(r.at("height"))) {
            EXPECT_EQ(img.h, *h);
        }
        EXPECT_TRUE(img.hasAlphaChannel) << "every image carries real alpha";
    }
}

TEST(ArtTree, AbsentRowsAreNotMade) {
    for (auto& r : art().rows) {
        if (absent(r)) {
            EXPECT_FALSE(fs::exists(gameFile(r.at("path")))) << r.at("path");
        }
    }
}

TEST(ArtTree, NoImageOutsideTheManifest) {
    // An unlisted -Down variant would change when a button acts, so nothing extra may exist.
    for (auto& entry : fs::recursive_directory_iterator(gameFile("art"))) {
        if (!entry.is_regular_file()) continue;
        std::string rel = fs::relative(entry.path(), BRASSWICK_GAME_DIR).generic_string();
        auto it = art().byPath.find(rel);
        EXPECT_TRUE(it != art().byPath.end() && !absent(it->second)) << rel;
    }
}

TEST(ArtTree, SizeRelationsHold) {
    static const std::regex same("same size as ([A-Za-z0-9_ ./-]+?)(?:\\.png|;|,| \\(|$)");
    static const std::regex sameWidth("same width as ([A-Za-z0-9_ ./-]+?\\.png)");
    static const std::regex sameHeight("same height as ([A-Za-z0-9_ ./-]+?\\.png)");
    static const std::regex halfOf("exactly half of ([A-Za-z0-9_ ./-]+?\\.png)");
    for (auto& r : art().rows) {
        if (absent(r)) continue;
        const std::string& path = r.at("path");
        const std::string& c = r.at("constraints");
        SCOPED_TRACE(path + ": " + c);
        const Image& img = image(path);
        for (auto& ref : matches(c, same)) {
            std::string other = resolve(path, ref);
            ASSERT_FALSE(other.empty()) << ref;
            EXPECT_EQ(img.w, image(other).w) << other;
            EXPECT_EQ(img.h, image(other).h) << other;
        }
        for (auto& ref : matches(c, sameWidth)) EXPECT_EQ(img.w, image(resolve(path, ref)).w) << ref;
        for (auto& ref : matches(c, sameHeight)) EXPECT_EQ(img.h, image(resolve(path, ref)).h) << ref;
        for (auto& ref : matches(c, halfOf)) {
            const Image& full = image(resolve(path, ref));
            EXPECT_EQ(img.w * 2, full.w) << ref;
            EXPECT_EQ(img.h * 2, full.h) << ref;
        }
        if (c.find("-Small is exactly half") != std::string::npos) {
            std::string twin = path.substr(0, path.size() - 4) + "-Small.png";
            const Image& small = image(twin);
            ASSERT_TRUE(small.loaded) << twin;
            EXPECT_EQ(small.w * 2, img.w);
            EXPECT_EQ(small.h * 2, img.h);
        }
    }
}

TEST(ArtTree, ButtonArtIsAreaPlusTwiceTheMargin) {
    static const std::regex marginRe("margin (\\d+)");
    static const std::regex areaRe("area = size of ([A-Za-z0-9_ ./-]+?\\.png)");
    int checked = 0;
    for (auto& r : art().rows) {
        if (absent(r) || r.at("group") != "buttons") continue;
        const std::string& c = r.at("constraints");
        std::smatch m, a;
        if (!std::regex_search(c, m, marginRe) || !std::regex_search(c, a, areaRe)) continue;
        SCOPED_TRACE(r.at("path"));
        int margin = parseInt(m[1].str()).value_or(-1);
        const Image& img = image(r.at("path"));
        const Image& overlay = image(a[1].str());
        EXPECT_EQ(img.w, overlay.w + 2 * margin);
        EXPECT_EQ(img.h, overlay.h + 2 * margin);
        ++checked;
    }
    EXPECT_GT(checked, 40);
    // The image border given by the margin stays transparent.
    for (const char* p : {"art/editor/BottomBar_Undo.png", "art/editor/BottomBar_Control.png",
                          "art/editor/MemoryPanel_Goal.png", "art/pvs/NextPuzzle.png"}) {
        const Image& img = image(p);
        EXPECT_EQ(img.at(0, 0)[3], 0) << p;
        EXPECT_EQ(img.at(img.w - 1, img.h - 1)[3], 0) << p;
    }
}

TEST(ArtTree, EditorBarButtonsActOnRelease) {
    for (const char* base : {"MemoryPanel-Collapsed", "BottomBar_Undo", "BottomBar_Redo", "BottomBar_Revert",
                             "BottomBar_LastSuccessful", "BottomBar_Delete", "BottomBar_Copy", "BottomBar_Paste",
                             "BottomBar_Home", "TestButton-Back", "TestButton", "BottomBar_Control",
                             "BottomBar_Arithmetic", "BottomBar_State", "BottomBar_Palettes", "BottomBar_Clock"})
        EXPECT_TRUE(fs::exists(gameFile(std::string("art/editor/") + base + "-Down.png"))) << base;
}

TEST(ArtTree, ModuleGeometryFollowsTheMetrics) {
    const Image& top = image("art/modules/sections/Module_Color1-Top.png");
    const Image& middle = image("art/modules/sections/Module_Color1-Middle.png");
    const Image& bottom = image("art/modules/sections/Module_Color1-Bottom.png");
    const Image& number = image("art/modules/sections/Module_Number.png");
    const Image& box = image("art/modules/infoboxes/Module_Infobox.png");
    EXPECT_EQ(top.w, metric("section_width"));
    EXPECT_EQ(top.h, metric("section_top_height"));
    EXPECT_EQ(middle.h, metric("section_middle_height"));
    EXPECT_EQ(bottom.h, metric("section_bottom_height"));
    EXPECT_EQ(number.w, metric("number_body_width"));
    EXPECT_EQ(number.h, metric("number_body_height"));
    EXPECT_EQ(box.w, metric("infobox_width"));
    EXPECT_EQ(box.h, metric("infobox_height"));
    EXPECT_EQ(image("art/modules/symbols/Adder.png").w, metric("symbol_width"));
    EXPECT_EQ(image("art/modules/delay/Meter.png").w, metric("delay_meter_width"));
    EXPECT_EQ(image("art/editor/ClockPeriod_White_Notch.png").h, metric("notch_height"));
    const std::string sizes = "data/assets/module_art_sizes.txt";
    EXPECT_EQ(image("art/modules/delay/Meter.png").h, metric("delay_meter_height", sizes));
    EXPECT_EQ(image("art/modules/clocks/State.png").w, metric("clock_face_width", sizes));
    EXPECT_EQ(image("art/modules/clocks/State_Circle.png").w, metric("clock_hand_size", sizes));
    EXPECT_EQ(image("art/modules/write_light.png").w, metric("write_light_size", sizes));

    // Wire anchors sit on the 16-px grid only with these widths.
    EXPECT_EQ(top.w % 16, 12);
    EXPECT_EQ(number.w % 16, 12);
    EXPECT_EQ(16 % middle.h, 0);
    EXPECT_LE(top.h + bottom.h, 108);
    EXPECT_EQ((top.h + bottom.h) % middle.h, 12 % middle.h);
    int moduleWidth = top.w - 16, boxW = box.w - 16, boxH = box.h - 16;
    EXPECT_GE(boxH, 16);
    EXPECT_LE(boxH, 31);
    EXPECT_GE(moduleWidth, 2 * boxW - 14);

    for (const char* set : {"Color1", "Color2", "Color3", "Grey"}) {
        std::string s = set;
        SCOPED_TRACE(s);
        for (const char* piece : {"Top", "Middle", "Bottom"}) {
            const Image& img = image("art/modules/sections/Module_" + s + "-" + piece + ".png");
            EXPECT_EQ(img.w, top.w) << piece;
        }
        // Middle rows are identical, because the tiles overlap at zoom 2.
        const Image& mid = image("art/modules/sections/Module_" + s + "-Middle.png");
        for (int y = 1; y < mid.h; ++y)
            EXPECT_TRUE(std::equal(mid.at(0, y), mid.at(0, y) + mid.w * 4, mid.at(0, 0))) << "row " << y;
        // The last 6 rows of the bottom fall below the module and stay transparent.
        const Image& bot = image("art/modules/sections/Module_" + s + "-Bottom.png");
        for (int y = bot.h - 6; y < bot.h; ++y)
            for (int x = 0; x < bot.w; ++x) ASSERT_EQ(bot.at(x, y)[3], 0) << x << "," << y;
    }
    for (const char* o : {"art/modules/overlays/Outline-Middle.png", "art/modules/overlays/Highlight-Middle.png"}) {
        const Image& mid = image(o);
        for (int y = 1; y < mid.h; ++y)
            EXPECT_TRUE(std::equal(mid.at(0, y), mid.at(0, y) + mid.w * 4, mid.at(0, 0))) << o << " row " << y;
    }
}

TEST(ArtTree, FixedLayoutSizes) {
    EXPECT_EQ(image("art/stars.png").w, 120);
    EXPECT_EQ(image("art/stars.png").h, 5 * 30);
    EXPECT_EQ(image("art/puzzleselect/chalk_stars.png").w * 2, image("art/stars.png").w);
    EXPECT_EQ(image("art/puzzleselect/chalk_stars.png").h * 2, image("art/stars.png").h);
    EXPECT_EQ(image("art/sparkles.png").w % 4, 0);
    for (const char* tile : {"art/display/bg.png", "art/display/inverse_bg.png"}) {
        EXPECT_EQ(image(tile).w % 16, 0) << tile;
        EXPECT_EQ(image(tile).h % 16, 0) << tile;
    }
    // The wire sheet: one row of four 16x16 cells (see tools/README.md).
    EXPECT_EQ(image("art/wiresheet.png").w, 64);
    EXPECT_EQ(image("art/wiresheet.png").h, 16);
    EXPECT_EQ(image("art/config/lock_grid.png").w, 440);
    EXPECT_EQ(image("art/editor/TestBar_Clock-Base.png").h,
              image("art/editor/TestBar_Base-Middle.png").h + 32);
    for (int n = 0; n <= 5; ++n) {
        const Image& b = image("art/puzzleselect/select_bg_" + std::to_string(n) + ".png");
        EXPECT_EQ(b.w, 1024);
        EXPECT_EQ(b.h, 768);
    }
}

// The game writes the puzzle titles in chalk on the boards, on a grid of
// columns and rows; the doodles of the board overlays and hints must leave those places
// clear, or a title is written over chalk. A title (up to about 180 px wide)
// with its stars below takes about y - 8 .. y + 56 around its point.
TEST(ArtTree, BoardDoodlesLeaveThePlacardsClear) {
    std::vector<std::string> pictures = {"art/puzzleselect/credit_hint.png", "art/puzzleselect/lookdown.png"};
    for (int n = 0; n <= 5; ++n) pictures.push_back("art/puzzleselect/board_overlay_" + std::to_string(n) + ".png");
    for (const std::string& path : pictures) {
        const Image& overlay = image(path);
        int painted = 0;
        for (int cx : {128, 384, 512, 640, 896})
            for (int cy : {110, 210, 310, 410, 510})
                for (int y = cy - 8; y < cy + 56; ++y)
                    for (int x = std::max(0, cx - 90); x < std::min(overlay.w, cx + 90); ++x)
                        if (overlay.at(x, y)[3] > 8) ++painted;
        EXPECT_EQ(painted, 0) << path;
    }
}

TEST(ArtTree, LayoutRelationsBetweenPieces) {
    const Image& slot = image("art/modules/choosers/ModDrawer_Arithmetic_Blank.png");
    const Image& highlight = image("art/modules/choosers/HighlightOverlay.png");
    const Image& addSlot = image("art/editor/ModDrawer_Palettes_AddSlot.png");
    // The slot hit rectangle is the slot less 4 each way; the palette slots share it.
    EXPECT_EQ(highlight.w, slot.w - 4);
    EXPECT_EQ(highlight.h, slot.h - 4);
    EXPECT_EQ(addSlot.w - 12, highlight.w);
    EXPECT_EQ(addSlot.h - 50, highlight.h);
    // One drawer middle per slot step.
    EXPECT_EQ(image("art/editor/ModDrawer-Middle.png").w, slot.w + 4);
    EXPECT_EQ(image("art/editor/ModDrawer_Palettes-Middle.png").w, slot.w + 4);
    // Brackets frame a main-menu button 8 px out on each side.
    const Image& menuButton = image("art/main menu/puzzle select.png");
    EXPECT_EQ(image("art/main menu/Brackets.png").w, menuButton.w + 16);
    EXPECT_EQ(image("art/main menu/Brackets.png").h, menuButton.h);
    // Three-slice caps match their middles in height.
    for (const char* bar : {"BottomBar_Base", "BottomBar_ModPanel", "TestBar_Base", "TestBar_Ticks", "TestBar_TicksBright"}) {
        std::string b = std::string("art/editor/") + bar;
        EXPECT_EQ(image(b + "-Left.png").h, image(b + "-Middle.png").h) << bar;
        EXPECT_EQ(image(b + "-Right.png").h, image(b + "-Middle.png").h) << bar;
    }
    // Board pictures fill the 1024x768 design; the frame reaches 24 px past it.
    EXPECT_EQ(image("art/puzzleselect/frame.png").w, 1024 + 48);
    EXPECT_EQ(image("art/puzzleselect/frame.png").h, 768 + 48);
    EXPECT_LE(image("art/fmod.png").w, 1024);
    EXPECT_LE(image("art/fmod.png").h, 768);
}

TEST(ArtTree, CyanKeyIsNeverPainted) {
    for (auto& r : art().rows) {
        if (absent(r)) continue;
        const Image& img = image(r.at("path"));
        int cyan = 0;
        for (int y = 0; y < img.h; ++y)
            for (int x = 0; x < img.w; ++x)
                if (isCyan(img.at(x, y))) ++cyan;
        EXPECT_EQ(cyan, 0) << r.at("path");
    }
}

TEST(ArtTree, RealAlphaWhereRequired) {
    for (auto& r : art().rows) {
        if (absent(r) || r.at("constraints").find("real alpha") == std::string::npos) continue;
        const Image& img = image(r.at("path"));
        int partial = 0, clear = 0;
        for (int y = 0; y < img.h; ++y)
            for (int x = 0; x < img.w; ++x) {
                uint8_t a = img.at(x, y)[3];
                if (a == 0) ++clear;
                else if (a < 255) ++partial;
            }
        EXPECT_GT(partial + clear, 0) << r.at("path") << " is fully opaque";
        EXPECT_GT(partial, 0) << r.at("path") << " has no soft edges";
    }
}

TEST(ArtTree, CursorTipsAtTheHotSpot) {
    int cursors = 0;
    for (auto& r : art().rows) {
        if (r.at("group") != "cursors") continue;
        const Image& img = image(r.at("path"));
        EXPECT_GT(img.at(0, 0)[3], 200) << r.at("path");
        ++cursors;
    }
    EXPECT_EQ(cursors, 12);
}

TEST(ArtTree, TintedArtIsWhite) {
    static const std::regex tinted("white, tinted|white or light grey|draw (the shape )?in white|tinted white or black");
    int checked = 0;
    for (auto& r : art().rows) {
        if (absent(r) || !std::regex_search(r.at("constraints"), tinted)) continue;
        const std::string& path = r.at("path");
        const Image& img = image(path);
        int off = 0;
        for (int y = 0; y < img.h; ++y)
            for (int x = 0; x < img.w; ++x) {
                const uint8_t* p = img.at(x, y);
                if (p[3] == 0) continue;
                int lo = std::min({p[0], p[1], p[2]}), hi = std::max({p[0], p[1], p[2]});
                if (lo < 190 || hi - lo > 12) ++off;
            }
        EXPECT_EQ(off, 0) << path << " has coloured pixels";
        ++checked;
    }
    EXPECT_GT(checked, 40);
}

TEST(ArtTree, ArtPathsInTheCodeAreInTheManifest) {
    // Whole "art/....png" string literals only; paths put together from
    // pieces at run time (button variants, "-Small", numbered slides) are
    // covered by the manifest rows themselves.
    static const std::regex literal("\"(art/[^\"]*\\.png)\"");
    int found = 0;
    for (auto& entry : fs::recursive_directory_iterator(sourceFile("src"))) {
        if (!entry.is_regular_file()) continue;
        auto ext = entry.path().extension();
        if (ext != ".cpp" && ext != ".h") continue;
        std::ifstream in(entry.path());
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (auto& path : matches(text, literal)) {
            ++found;
            auto it = art().byPath.find(path);
            EXPECT_TRUE(it != art().byPath.end()) << path << " in " << entry.path().filename();
            if (it != art().byPath.end()) {
                EXPECT_FALSE(absent(it->second)) << path << " must not be loaded";
            }
        }
    }
    RecordProperty("art_literals_found", found);
}
