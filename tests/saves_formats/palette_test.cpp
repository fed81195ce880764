#include <gtest/gtest.h>

#include "machine_fixture.h"
#include "profile_fixture.h"
#include "saves/machine_file.h"
#include "saves/palette_groups.h"

namespace {

class Palette : public ProfileTest {
 protected:
  void SetUp() override {
    ProfileTest::SetUp();
    customGroups.clear();
  }
  void TearDown() override {
    customGroups.clear();
    ProfileTest::TearDown();
  }
  static std::string path(int i) { return "profiles/profile0/palette/group-" + std::to_string(i) + ".mgrlv"; }
  static ModuleSet groupOf(const std::string& name) {
    ModuleList m = sampleMachine();
    m[0]->name = name;
    return ModuleSet(m);
  }
};

TEST_F(Palette, AddWritesTheGroupFileAndLoadsBack) {
  loadCustomGroups();
  EXPECT_TRUE(customGroups.empty());
  EXPECT_FALSE(std::filesystem::exists("profiles"));
  addCustomGroup(groupOf("Number"));
  const std::string text = readWholeFile(path(0));
  EXPECT_EQ(text, machineFileText(sampleMachine(), 1) + "GROUP NAME: Group 1\n");
  loadCustomGroups();
  ASSERT_EQ(customGroups.size(), 1u);
  EXPECT_EQ(customGroups[0].name, "Group 1");
  EXPECT_EQ(customGroups[0].set.modules.size(), 4u);
  EXPECT_EQ(customGroups[0].set.wires.size(), 2u);
  customGroups[0].save();
  EXPECT_EQ(readWholeFile(path(0)), text);
}

TEST_F(Palette, SavingKeepsNamesAndConfigurations) {
  ModuleList m;
  m.push_back(Module::create(kAdderKind, 0, 0, nullptr, "Adder"));
  m.push_back(Module::create(kAdderKind, 64, 0, nullptr, "Adder"));  // the same name twice
  m.push_back(Module::create(kNumberKind, 128, 0, makeNumericValue(99), "Big"));
  const std::string machine = machineFileText(m, 1);
  writeWholeFile(path(0), machine + "GROUP NAME: Mine\n");
  loadCustomGroups();
  ASSERT_EQ(customGroups.size(), 1u);
  customGroups[0].rename("Renamed");
  EXPECT_EQ(readWholeFile(path(0)), machine + "GROUP NAME: Renamed\n");
}

TEST_F(Palette, RemoveRenumbersAndLeavesAnEndMarker) {
  for (const char* name : {"a", "b", "c"}) addCustomGroup(groupOf(name));
  customGroups[2].rename("Third");
  removeCustomGroup(1);
  EXPECT_EQ(readWholeFile(path(2)), "\n");
  const std::string second = readWholeFile(path(1));
  EXPECT_EQ(second.substr(second.size() - 18), "GROUP NAME: Third\n");
  loadCustomGroups();
  ASSERT_EQ(customGroups.size(), 2u);
  EXPECT_EQ(customGroups[1].name, "Third");
  EXPECT_EQ(customGroups[1].index, 1);
  EXPECT_FALSE(fileExists(path(2) + ".bad"));  // the end marker is not a bad file
  customGroups[0].rename("");
  EXPECT_EQ(customGroups[0].name, "Group 1");
}

TEST_F(Palette, GroupNamesComeOnlyFromOutsideModuleSections) {
  const std::string machine = machineFileText({Module::create(kAdderKind, 0, 0, nullptr, "GROUP NAME: Fake")}, 1);
  writeWholeFile(path(0), machine);
  writeWholeFile(path(1), machine + "GROUP NAME: Real \xC3\xA9\r\n");
  loadCustomGroups();
  ASSERT_EQ(customGroups.size(), 2u);
  EXPECT_EQ(customGroups[0].name, "Group 1");
  EXPECT_EQ(customGroups[1].name, "Real \xC3\xA9");
  EXPECT_EQ(customGroups[1].displayName(), "Real \xC3\xA9");
  EXPECT_EQ(CustomGroup{}.displayName(), "(Empty)");
}

TEST_F(Palette, ABadGroupIsMovedAsideAndLaterGroupsMoveUp) {
  for (const char* name : {"a", "b", "c"}) addCustomGroup(groupOf(name));
  customGroups[2].rename("Last");
  writeWholeFile(path(1), "scribbles\n");
  loadCustomGroups();
  ASSERT_EQ(customGroups.size(), 2u);
  EXPECT_EQ(readWholeFile(path(1) + ".bad"), "scribbles\n");
  EXPECT_EQ(customGroups[1].name, "Last");
  EXPECT_EQ(readWholeFile(path(2)), "\n");
  loadCustomGroups();
  EXPECT_EQ(customGroups.size(), 2u);
  addCustomGroup(groupOf("d"));
  loadCustomGroups();
  EXPECT_EQ(customGroups.size(), 3u);
}

TEST_F(Palette, AGroupWithAModuleOutsideItsRangeStaysInThePalette) {
  writeWholeFile(path(0), "0451\n0.08\n-MODULE 0 START-\n7 (Input Selector)\n8,0\nNAME: Pick\n-CONFIG START-\n3 12\n"
                          "-CONFIG END-\n-MODULE 0 END-\nGROUP NAME: Shared\n");
  loadCustomGroups();
  ASSERT_EQ(customGroups.size(), 1u);
  EXPECT_EQ(customGroups[0].name, "Shared");
  EXPECT_EQ(customGroups[0].set.modules[0]->logic->configValue()->int_value(), 8);
  EXPECT_FALSE(fileExists(path(0) + ".bad"));
}

}  // namespace
