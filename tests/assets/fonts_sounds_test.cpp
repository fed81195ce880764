// Checks the installed fonts and the generated sound banks.
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "assets/asset_files.h"
#include "base/strings.h"

using namespace assettest;
namespace fs = std::filesystem;

namespace {

struct Bank {
    struct Event {
        std::string kind;
        bool loop = false;
        std::set<std::string> params;
        std::vector<std::string> files;
    };
    std::string magic;
    std::map<std::string, Event> events;
};

Bank readBank(const std::string& file) {
    Bank bank;
    std::ifstream in(file);
    std::string line;
    std::getline(in, bank.magic);
    Bank::Event* cur = nullptr;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        auto space = line.find(' ');
        std::string key = line.substr(0, space), rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (key == "event") cur = &bank.events[rest];
        else if (!cur) continue;
        else if (key == "kind") cur->kind = rest;
        else if (key == "loop") cur->loop = rest == "yes";
        else if (key == "param") cur->params.insert(rest.substr(0, rest.find(' ')));
        else if (key == "layer") cur->files.push_back(rest.substr(0, rest.find(" | ")));
        else if (key == "end") cur = nullptr;
    }
    return bank;
}

// Parameter names the sound table gives for an event.
std::set<std::string> paramsOf(const std::string& column) {
    std::set<std::string> names;
    for (const char* p : {"testmode", "boardlayer", "asideslayer", "latchamount", "reversespeed"})
        if (column.find(p) != std::string::npos) names.insert(p);
    return names;
}

bool validWav(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    char head[44] = {};
    in.read(head, 44);
    return in && std::string(head, 4) == "RIFF" && std::string(head + 8, 4) == "WAVE" &&
           fs::file_size(file) > 44 + 200;
}

}  // namespace

TEST(Fonts, EveryFontIsInstalledAndOpens) {
    auto rows = readTable(sourceFile("data/assets/fonts.tsv"));
    ASSERT_EQ(rows.size(), 6u);
    ASSERT_EQ(TTF_Init(), 0);
    for (auto& r : rows) {
        std::string file = gameFile(r.at("path"));
        SCOPED_TRACE(file);
        ASSERT_TRUE(fs::exists(file));
        // Copied unchanged from the Debian face.
        std::string source = r.at("suggested_face_file").substr(0, r.at("suggested_face_file").find(' '));
        if (fs::exists(source)) {
            EXPECT_EQ(fs::file_size(file), fs::file_size(source));
        }
        for (auto& pt : splitString(r.at("point_sizes"), ',')) {
            std::string trimmed = pt;
            trimLeft(trimmed);
            int size = parseInt(trimmed).value_or(0);
            TTF_Font* f = TTF_OpenFont(file.c_str(), size);
            ASSERT_NE(f, nullptr) << size;
            if (r.at("fixed_width") == "yes") {
                // Text widths are characters times the width of a space.
                int space = 0, wide = 0, narrow = 0, h = 0;
                TTF_SizeUTF8(f, " ", &space, &h);
                TTF_SizeUTF8(f, "WWWW", &wide, &h);
                TTF_SizeUTF8(f, "iiii", &narrow, &h);
                EXPECT_EQ(wide, 4 * space) << size;
                EXPECT_EQ(narrow, 4 * space) << size;
            }
            TTF_CloseFont(f);
        }
    }
    TTF_Quit();
}

TEST(Sounds, BanksListEveryEventWithExistingSounds) {
    auto rows = readTable(sourceFile("data/assets/sounds.tsv"));
    std::vector<std::string> bankFiles;
    for (auto& r : rows)
        if (r.at("kind") == "bank") bankFiles.push_back(r.at("path"));
    ASSERT_EQ(bankFiles.size(), 2u);
    EXPECT_EQ(bankFiles[0], "music/Build/Desktop/Master Bank.bank");
    EXPECT_EQ(bankFiles[1], "music/Build/Desktop/Master Bank.strings.bank");
    for (auto& b : bankFiles) ASSERT_TRUE(fs::exists(gameFile(b))) << b;

    Bank bank = readBank(gameFile(bankFiles[0]));
    EXPECT_EQ(bank.magic, "BRASSWICK-SOUNDBANK 1");
    std::set<std::string> strings;
    {
        std::ifstream in(gameFile(bankFiles[1]));
        std::string line;
        std::getline(in, line);
        EXPECT_EQ(line, "BRASSWICK-SOUNDBANK-STRINGS 1");
        while (std::getline(in, line))
            if (!line.empty()) strings.insert(line);
    }
    int events = 0;
    for (auto& r : rows) {
        if (r.at("kind") == "bank") continue;
        ++events;
        const std::string& path = r.at("path");
        SCOPED_TRACE(path);
        EXPECT_TRUE(strings.count(path));
        auto it = bank.events.find(path);
        ASSERT_TRUE(it != bank.events.end());
        const Bank::Event& ev = it->second;
        EXPECT_EQ(ev.kind, r.at("kind"));
        EXPECT_EQ(ev.loop, r.at("loops").rfind("yes", 0) == 0);
        EXPECT_EQ(ev.params, paramsOf(r.at("parameters")));
        ASSERT_FALSE(ev.files.empty());
        for (auto& f : ev.files) EXPECT_TRUE(validWav(gameFile(f))) << f;
    }
    EXPECT_EQ(events, 31);
    EXPECT_EQ(bank.events.size(), 31u);
}
