#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "machine_fixture.h"
#include "model/module_config.h"
#include "model/opcode_table.h"
#include "model/value.h"
#include "profile_fixture.h"
#include "puzzles/puzzle_services.h"
#include "saves/machine_file.h"

namespace {

class MachineFile : public ProfileTest {
 protected:
  std::string read(ModuleList& modules, const std::string& text, bool delay = false, int* period = nullptr) {
    writeWholeFile("m.mgrlv", text);
    int clock = 1;
    std::string error = readMachineFile(modules, clock, "m.mgrlv", delay ? delayContext() : plainContext());
    if (period) *period = clock;
    return error;
  }
  std::string read(const std::string& text) {
    ModuleList modules;
    return read(modules, text);
  }
};

const std::string header = "0451\n0.08\n-CLOCK PERIOD START-\n1\n-CLOCK PERIOD END-\n";

std::string section(int n, const std::string& body) {
  return "-MODULE " + std::to_string(n) + " START-\n" + body + "-MODULE " + std::to_string(n) + " END-\n";
}

TEST_F(MachineFile, WritesTheExpectedBytes) {
  const std::string expected = header +
                               section(0, "1 (Number)\n0,0\nNAME: Number\n-CONFIG START-\n3 5\n-CONFIG END-\n") +
                               section(1,
                                       "2 (Adder)\n160,32\nNAME: Adder\nport #0 <- module #0 port #0\n"
                                       "-CONTROL START-\nPort 0: 120,56\nPort 0: 120,24\n-CONTROL END-\n") +
                               section(2,
                                       "7 (Input Selector)\n320,-64\nNAME: Pick one\nport #2 <- module #0 port #0\n"
                                       "-CONFIG START-\n3 3\n-CONFIG END-\n") +
                               section(3, "9 (Equals)\n-160,160\nNAME: Equals\n-CONFIG START-\n3 2\n-CONFIG END-\n");
  EXPECT_EQ(machineFileText(sampleMachine(), 1), expected);
}

TEST_F(MachineFile, RoundTripIsByteExact) {
  for (bool delay : {false, true}) {
    const std::string text = machineFileText(sampleMachine(), 7);
    ModuleList modules;
    int period = 1;
    ASSERT_EQ(read(modules, text, delay, &period), "");
    EXPECT_EQ(period, delay ? 7 : 1);  // the period is read only in delay puzzles
    ASSERT_EQ(modules.size(), 4u);
    EXPECT_EQ(modules[1]->ports[0]->source, modules[0]->ports[0].get());
    EXPECT_EQ(machineFileText(modules, 7), text);
  }
  ModuleList none;
  EXPECT_EQ(machineFileText(none, 3), "0451\n0.08\n-CLOCK PERIOD START-\n3\n-CLOCK PERIOD END-\n");
  ModuleList back;
  EXPECT_EQ(read(back, machineFileText(none, 3)), "");
  EXPECT_TRUE(back.empty());
}

TEST_F(MachineFile, EveryLineEndReadsTheSame) {
  const std::string text = machineFileText(sampleMachine(), 1);
  std::string crlf, cr;
  for (char c : text) {
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    cr += c == '\n' ? '\r' : c;
  }
  cr.pop_back();  // and no line end after the last line
  for (const std::string& variant : {crlf, cr}) {
    ModuleList modules;
    ASSERT_EQ(read(modules, variant), "");
    EXPECT_EQ(machineFileText(modules, 1), text);
  }
}

TEST_F(MachineFile, OlderVersionsAreConverted) {
  // 0.03 stored no names: kinds get their default names in list order.
  ModuleList modules;
  ASSERT_EQ(read(modules, "0451\n0.03\n" + section(0, "2 (Adder)\n0,0\n") + section(1, "2 (Adder)\n32,0\n")), "");
  ASSERT_EQ(modules.size(), 2u);
  EXPECT_EQ(modules[0]->name, defaultModuleName(kAdderKind, {}));
  EXPECT_NE(modules[1]->name, modules[0]->name);
  EXPECT_EQ(read("0451\n0.03\n" + section(0, "2 (Adder)\n0,0\nNAME: Adder\n")),
            "Old version has unexpected module name 'Adder'!");

  // 0.01 maps old ids; Equals without configuration gets 2 up to 0.02.
  ASSERT_EQ(read(modules, "0451\n0.01\n" + section(0, "14\n0,0\n") + section(1, "21\n0,0\n") +
                              section(2, "2\n0,0\n")),
            "");
  EXPECT_EQ(modules[0]->kind(), kEqualsKind);
  EXPECT_EQ(modules[0]->logic->configValue()->int_value(), 2);
  EXPECT_EQ(modules[1]->kind(), kRegisterKind);
  EXPECT_EQ(modules[2]->kind(), kAdderKind);
  // From 0.02 the ids stand as they are.
  EXPECT_EQ(read(modules, "0451\n0.02\n" + section(0, "14\n0,0\n")),
            "Unknown module kind in line '14' for module #0");

  // Numbers above 16 are cut down before 0.06; "CHEAP" lines are skipped before 0.05.
  ASSERT_EQ(read(modules, "0451\n0.05\n" + section(0, "1\n0,0\nNAME: N\n-CONFIG START-\n3 40\n-CONFIG END-\n") +
                              section(1, "1\n0,0\nNAME: M\n-CONFIG START-\n3 -3\n-CONFIG END-\n")),
            "");
  EXPECT_EQ(modules[0]->logic->configValue()->int_value(), 16);
  EXPECT_EQ(modules[1]->logic->configValue()->int_value(), -3);
  ASSERT_EQ(read(modules, "0451\n0.04\n" + section(0, "2\n0,0\nCHEAP\nNAME: A\n")), "");
  EXPECT_EQ(modules[0]->name, "A");
  EXPECT_EQ(modules[0]->ports[0]->source, nullptr);
  ASSERT_EQ(read(modules, "0451\n0.08\n" + section(0, "2\n0,0\nCHEAP\nNAME: A\n")), "");  // a bad link line now

  // Op Selectors held a puzzle id before 0.07.
  const int puzzle = findPuzzle([](const Puzzle& p) { return p.generator != nullptr; });
  ASSERT_EQ(read(modules, "0451\n0.06\n" + section(0, "11\n0,0\nNAME: Op\n-CONFIG START-\n3 " +
                                                          std::to_string(puzzle) + "\n-CONFIG END-\n")),
            "");
  std::set<int> ops = getPuzzleOpcodes(puzzle);
  ASSERT_NE(modules[0]->logic->configValue()->asOpVec(), nullptr);
  EXPECT_EQ(modules[0]->logic->configValue()->asOpVec()->opcodes(), std::vector<int>(ops.begin(), ops.end()));
  EXPECT_EQ(read("0451\n0.06\n" + section(0, "11\n0,0\nNAME: Op\n-CONFIG START-\n3 999\n-CONFIG END-\n")),
            "Invalid puzzle id 999 in the configuration of Op Selector #0@(0,0)");
}

TEST_F(MachineFile, ErrorTexts) {
  ModuleList modules;
  int clock = 1;
  EXPECT_EQ(readMachineFile(modules, clock, "missing.mgrlv", plainContext()),
            "invalid save file missing.mgrlv (file does not exist)");
  struct Case {
    std::string text;
    std::string error;
    bool delay = false;
  } cases[] = {
      {"0452\n0.08\n", "invalid save file m.mgrlv (magic string not found)"},
      {"0451\nBUGGY\n", "invalid save file m.mgrlv (unknown version BUGGY)"},
      {"0451\n0.09\n", "invalid save file m.mgrlv (unknown version 0.09)"},
      {"0451\n0.08\n" + section(0, "2 (Adder)\n16,32\n"), "No name for 'Adder' at 16, 32!"},
      {"0451\n0.08\n" + section(0, "2\n0,0\nNAME: A\n-CONTROL START-\nPort 3: 1,2\n-CONTROL END-\n"),
       "Invalid port 3 for A"},
      {"0451\n0.08\n" + section(0, "2\n0,0\nNAME: A\nport #5 <- module #0 port #2\n"),
       "Invalid destination port index 5 for A (3 ports)"},
      {"0451\n0.08\n" + section(0, "2\n0,0\nNAME: A\nport #0 <- module #4 port #2\n"),
       "Invalid source module index 4 for A (1 modules)"},
      {"0451\n0.08\n" + section(0, "2\n0,0\nNAME: A\nport #0 <- module #0 port #7\n"),
       "Invalid source port index 7 for A (3 ports in A)"},
      {"0451\n0.08\n" + section(0, "99 (Future)\n0,0\nNAME: A\n"),
       "Unknown module kind in line '99 (Future)' for module #0"},
      {"0451\n0.08\n" + section(0, "2\n16777232,0\nNAME: A\n"), "Position out of range 16777232,0 for A"},
      {"0451\n0.08\n" + section(0, "2\n0,-2147483648\nNAME: A\n"), "Position out of range 0,-2147483648 for A"},
      // A section cut short never takes the next section's lines as its own.
      {"0451\n0.08\n-MODULE 0 START-\n-MODULE 0 END-\n" + section(1, "2\n0,0\nNAME: B\n"),
       "Missing module body for module #0"},
      {"0451\n0.08\n-MODULE 0 START-\n2\n" + section(1, "2\n0,0\nNAME: B\n"), "Missing origin for Adder #0"},
      {"0451\n0.08\n-MODULE 0 START-\n", "Missing module body for module #0"},
      {"0451\n0.08\n-MODULE 0 START-\n2", "Missing origin for Adder #0"},
      {"0451\n0.08\n-MODULE 0 START-\n2\n-MODULE 0 END-\n" + section(1, "2\n0,0\nNAME: B\n"),
       "Missing origin for Adder #0"},
      {"0451\n0.08\n" + section(0, "1\n0,0\nNAME: N\n-CONFIG START-\n8 200\n-CONFIG END-\n"),
       "Unreadable configuration '8 200' for N"},
      {"0451\n0.08\n-CLOCK PERIOD START-\n4\n", "invalid save file m.mgrlv (delay doesn't end with clock period end)",
       true},
      {"0451\n0.08\n-MODULE 0 START-\n", "invalid save file m.mgrlv (delay doesn't start with clock period start)",
       true},
      {"0451\n0.08\n-CLOCK PERIOD START-\n0\n-CLOCK PERIOD END-\n",
       "invalid save file m.mgrlv (invalid clock period: 0)", true},
      {"0451\n0.08\n-CLOCK PERIOD START-\n", "invalid save file m.mgrlv (invalid clock period: )", true},
      {"0451\n0.08\n-CLOCK PERIOD START-\nsoon\n-CLOCK PERIOD END-\n",
       "invalid save file m.mgrlv (invalid clock period: soon)", true},
  };
  for (const Case& c : cases) {
    ModuleList m;
    EXPECT_EQ(read(m, c.text, c.delay), c.error) << c.text;
  }

  // An Op Selector gets a port per listed opcode: at most the whole table.
  for (size_t count : {size_t(kOpcodeCount), size_t(kOpcodeCount) + 1}) {
    const std::string ops = OpVecValue(std::vector<int>(count, 1)).serialize();
    const std::string expected = count > size_t(kOpcodeCount) ? "Invalid configuration " + ops + " for Op" : "";
    ModuleList m;
    EXPECT_EQ(read(m, "0451\n0.08\n" + section(0, "11\n0,0\nNAME: Op\n-CONFIG START-\n" + ops + "\n-CONFIG END-\n")),
              expected);
  }
}

TEST_F(MachineFile, AFileWithMoreModulesThanTheLimitIsRefused) {
  for (int count : {kMaxMachineModules, kMaxMachineModules + 1}) {
    std::string text = "0451\n0.08\n";
    for (int i = 0; i < count; ++i) text += section(i, "2\n0,0\nNAME: A\n");
    ModuleList modules;
    const std::string error = read(modules, text);
    if (count <= kMaxMachineModules) {
      EXPECT_EQ(error, "");
      EXPECT_EQ(modules.size(), size_t(count));
    } else {
      EXPECT_EQ(error, "invalid save file m.mgrlv (more than 10000 modules)");
      EXPECT_TRUE(modules.empty());
    }
  }
}

TEST_F(MachineFile, ASectionWithoutItsEndStopsAtTheNextMarker) {
  ModuleList modules;
  const std::string text = "0451\n0.08\n" + section(0, "2\n0,0\nNAME: First\n") +
                           "-MODULE 1 START-\n7\n0,0\nNAME: Broken\n-CONFIG START-\n3 3\n-MODULE 1 END-\n" +
                           section(2, "2\n32,0\nNAME: Third\n");
  EXPECT_EQ(read(modules, text), "Configuration section without end for Input Selector #1@(0,0)");
  ASSERT_EQ(modules.size(), 1u);  // a partial load keeps the modules before the broken one
  EXPECT_EQ(modules[0]->name, "First");

  const std::string control = "0451\n0.08\n-MODULE 0 START-\n2\n0,0\nNAME: A\n-CONTROL START-\nPort 0: 1,2\n" +
                              section(1, "2\n32,0\nNAME: B\n");
  EXPECT_EQ(read(modules, control), "Control point section without end for Adder #0@(0,0)");
  const std::string open = "0451\n0.08\n-MODULE 0 START-\n2\n0,0\nNAME: A\n" + section(1, "2\n32,0\nNAME: B\n");
  EXPECT_EQ(read(modules, open), "Module section without end for Adder #0@(0,0)");
}

TEST_F(MachineFile, DamagedCopiesReadWithoutHarm) {
  // Every cut, every dropped line and every doubled line of a real file:
  // each read ends, and whatever loads writes out as a file that reads back
  // to the same machine and writes the very same text again.
  const std::string text = machineFileText(sampleMachine(), 3);
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end + 1 - start));
    start = end + 1;
  }
  std::vector<std::string> variants;
  for (size_t cut = 0; cut < text.size(); ++cut) variants.push_back(text.substr(0, cut));
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string dropped, doubled;
    for (size_t j = 0; j < lines.size(); ++j) {
      if (j != i) dropped += lines[j];
      doubled += lines[j];
      if (j == i) doubled += lines[j];
    }
    variants.push_back(dropped);
    variants.push_back(doubled);
  }
  testing::internal::CaptureStdout();
  std::size_t rewritten = 0, withModules = 0;
  for (std::size_t v = 0; v < variants.size(); ++v) {
    for (bool delay : {false, true}) {
      SCOPED_TRACE("variant " + std::to_string(v) + (delay ? ", delays" : ""));
      ModuleList modules;
      int period = 0;
      read(modules, variants[v], delay, &period);
      EXPECT_LE(modules.size(), 5u);
      std::map<const Module*, int> inList;
      for (const auto& m : modules) inList[m.get()] = 1;
      bool closed = true;
      for (const auto& m : modules) {
        for (const auto& port : m->ports) closed = closed && (!port->source || inList.count(port->source->owner));
      }
      if (!closed) continue;
      const std::string rewrite = machineFileText(modules, period);
      ModuleList back;
      int backPeriod = 0;
      ASSERT_EQ(read(back, rewrite, delay, &backPeriod), "") << rewrite;
      EXPECT_EQ(back.size(), modules.size());
      EXPECT_EQ(backPeriod, period);
      EXPECT_EQ(machineFileText(back, backPeriod), rewrite);
      ++rewritten;
      withModules += !modules.empty();
    }
  }
  testing::internal::GetCapturedStdout();
  // Most damaged copies still give a machine worth writing.
  EXPECT_GT(withModules, variants.size());
  EXPECT_GE(rewritten, withModules);
}

TEST_F(MachineFile, PrintedLinesArePassedOver) {
  ModuleList modules;
  const std::string text = "0451\n0.08\n" +
                           section(0, "2\n0,0\nNAME: A\nport #1 <- module #0\n\n-CONTROL START-\nPort 0: x\n"
                                      "-CONTROL END-\n-CONFIG START-\nnot a value\n3 3\n-CONFIG END-\n") +
                           section(1, "kind?\nsomewhere\nNAME: Buggy one\n");
  ASSERT_EQ(read(modules, text), "");
  ASSERT_EQ(modules.size(), 2u);
  EXPECT_EQ(modules[0]->ports[1]->source, nullptr);
  EXPECT_EQ(modules[1]->kind(), 0);
  EXPECT_EQ(modules[1]->x, 0);
}

// Files from other hands: what the editor could never make is brought to the
// nearest thing it could, with one log line, instead of refusing the machine.
TEST_F(MachineFile, ConfigurationsOutsideTheKindsRangeAreClampedNotRefused) {
  struct Case {
    int kind;
    std::string config;
    std::string loaded;
  } cases[] = {
      {kEqualsKind, "3 0", "3 2"},           {kEqualsKind, "3 12", "3 8"},
      {kInputSelectorKind, "3 0", "3 1"},    {kInputSelectorKind, "3 12", "3 8"},
      {kOutputSelectorKind, "3 1000", "3 8"}, {kRegisterKind, "3 -4", "3 1"},
      {kEqualsKind, "8 66", "3 2"},          {kInputSelectorKind, "8 72", "3 8"},  // letters B (2), H (8)
      {kOpSelectorKind, "3 4", "9 "},        {kEqualsKind, "3 5", "3 5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.config);
    std::filesystem::remove("log.txt");
    const std::string text = "0451\n0.08\n" + section(0, std::to_string(c.kind) + "\n0,0\nNAME: M\n-CONFIG START-\n" +
                                                         c.config + "\n-CONFIG END-\n");
    ModuleList modules;
    testing::internal::CaptureStdout();
    const std::string error = read(modules, text);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(error, "");
    ASSERT_EQ(modules.size(), 1u);
    EXPECT_EQ(modules[0]->logic->configValue()->serialize(), c.loaded);
    const bool repaired = c.loaded != c.config;
    EXPECT_EQ(logHas("Repaired m.mgrlv while loading: M: configuration " + c.config + " brought to " + c.loaded) ||
                  logHas("Repaired m.mgrlv while loading: M: configuration " + c.config + " is no opcode list"),
              repaired);
    // What loads writes back as it now stands, and reads back the same.
    const std::string saved = machineFileText(modules, 1);
    ModuleList again;
    ASSERT_EQ(read(again, saved), "");
    EXPECT_EQ(machineFileText(again, 1), saved);
  }
  // A group holding such a module stays in the palette: it goes through the same reader.
  ModuleList modules;
  ASSERT_EQ(read(modules, "0451\n0.08\n" + section(0, "9\n0,0\nNAME: E\n-CONFIG START-\n3 12\n-CONFIG END-\n") +
                              section(1, "2\n32,0\nNAME: After\n")),
            "");
  EXPECT_EQ(modules.size(), 2u);
}

TEST_F(MachineFile, ANumberWhoseValueCannotBeReadIsRefusedNotReplaced) {
  ModuleList modules, other;
  testing::internal::CaptureStdout();
  const std::string number =
      read(modules, "0451\n0.08\n" + section(0, "1\n0,0\nNAME: N\n-CONFIG START-\n8 200\n-CONFIG END-\n"));
  // Other kinds keep their default, and say so.
  const std::string equals =
      read(other, "0451\n0.08\n" + section(0, "9\n0,0\nNAME: E\n-CONFIG START-\n3 x\n-CONFIG END-\n"));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(number, "Unreadable configuration '8 200' for N");
  ASSERT_EQ(equals, "");
  EXPECT_EQ(other[0]->logic->configValue()->serialize(), "3 2");
  EXPECT_TRUE(logHas("E: unreadable configuration '3 x', default used"));
}

TEST_F(MachineFile, PositionsOffTheGridSnapToTheNearestGridPoint) {
  struct Case {
    std::string origin;
    std::string loaded;
  } cases[] = {{"8,0", "16,0"}, {"7,-7", "0,0"}, {"-8,-9", "0,-16"}, {"-24,40", "-16,48"}, {"16777215,3", "16777216,0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.origin);
    ModuleList modules;
    ASSERT_EQ(read(modules, "0451\n0.08\n" + section(0, "2\n" + c.origin + "\nNAME: A\n")), "");
    EXPECT_EQ(formatOrigin(modules[0]->x, modules[0]->y), c.loaded);
    EXPECT_TRUE(logHas("A moved from " + c.origin + " to " + c.loaded));
  }
}

TEST_F(MachineFile, WireBendsOffTheGridSnapToTheirPortsGrid) {
  ModuleList modules;
  ASSERT_EQ(read(modules, "0451\n0.08\n" + section(0, "2\n160,32\nNAME: A\n-CONTROL START-\nPort 0: 120,56\n"
                                                          "Port 0: 121,56\nPort 0: 120,60\nPort 0: 104,24\n"
                                                          "Port 0: 111,47\n"
                                                          "Port 0: -2147483640,56\nPort 0: 120,2147483640\n"
                                                          "-CONTROL END-\n")),
            "");
  // The port box is at (152, 56): its grid holds x = 8 mod 16 and y = 8 mod 16.
  EXPECT_EQ(modules[0]->ports[0]->controlPoints,
            (std::vector<WirePoint>{{120, 56}, {120, 56}, {120, 56}, {104, 24}, {104, 40}}));
  const std::string log = logText();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;  // one line for the whole file
  EXPECT_NE(log.find("wire bend of port 0 of A moved from 121,56 to 120,56"), std::string::npos) << log;
  EXPECT_NE(log.find("wire bend -2147483640,56 of port 0 of A dropped"), std::string::npos) << log;
  // The next save keeps them.
  const std::string saved = machineFileText(modules, 1);
  EXPECT_NE(saved.find("Port 0: 104,40\n"), std::string::npos);
}

TEST_F(MachineFile, WireBendsAtTheBoardsEdgeSnapInwardAndSurviveTheNextLoad) {
  ModuleList modules;
  ASSERT_EQ(read(modules, "0451\n0.08\n" + section(0, "2\n160,32\nNAME: A\n-CONTROL START-\n"
                                                          "Port 0: 16777216,-16777216\n-CONTROL END-\n")),
            "");
  // The port's grid is 8 off the board's: the edge itself is no grid point.
  EXPECT_EQ(modules[0]->ports[0]->controlPoints, (std::vector<WirePoint>{{16777208, -16777208}}));
  ModuleList again;
  ASSERT_EQ(read(again, machineFileText(modules, 1)), "");
  EXPECT_EQ(again[0]->ports[0]->controlPoints, modules[0]->ports[0]->controlPoints);
}

TEST_F(MachineFile, NamesAreCutAtACharacterBoundary) {
  ModuleList modules;
  ASSERT_EQ(read(modules, "0451\n0.08\n" + section(0, "2\n0,0\nNAME: abcdefghijklmnopqrstuvwxyz\n") +
                              section(1, "2\n0,0\nNAME: abcdefghijklmnopqrst\xC3\xA9xyz\n")),
            "");
  EXPECT_EQ(modules[0]->name, "abcdefghijklmnopqrstu");
  EXPECT_EQ(modules[1]->name, "abcdefghijklmnopqrst");
}

TEST_F(MachineFile, ALinkToAModuleOutsideTheListIsFatal) {
  ModuleList machine = sampleMachine();
  ModuleList part{machine[1]};  // the Adder without the Number that feeds it
  testing::internal::CaptureStdout();
  EXPECT_THROW(machineFileText(part, 1), FatalErrorException);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Unable to marshall link for port type 1-0 of Adder at 160,32 to port type 2-0 of Number at 0,0\n");
}

TEST_F(MachineFile, UnknownOldIdsBecomeKindZero) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(oldModuleKind(24, 3), 0);
  EXPECT_EQ(oldModuleKind(0, 1), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Unknown old module ID for module 3: 24\nUnknown old module ID for module 1: 0\n");
  struct Case {
    int oldId;
    int kind;
  } cases[] = {{1, 1}, {8, 8}, {9, 0}, {13, 0}, {14, 9}, {15, 10}, {16, 11}, {17, 0},
               {18, 0}, {19, 3}, {20, 4}, {21, 12}, {22, 12}, {23, 13}};
  for (const Case& c : cases) EXPECT_EQ(oldModuleKind(c.oldId, 0), c.kind) << c.oldId;
}

TEST_F(MachineFile, FailedWriteLeavesThePreviousFile) {
  ASSERT_EQ(writeMachineFile("profiles/profile0/saves/x.mgrlv", sampleMachine(), 1), "");
  const std::string before = readWholeFile("profiles/profile0/saves/x.mgrlv");
  setSimulateWriteFailure(true);
  EXPECT_EQ(writeMachineFile("profiles/profile0/saves/x.mgrlv", {}, 1),
            "Failed to write file profiles/profile0/saves/x.mgrlv!");
  setSimulateWriteFailure(false);
  EXPECT_EQ(readWholeFile("profiles/profile0/saves/x.mgrlv"), before);
}

TEST_F(MachineFile, LoadPicksTheLocationAndMovesBadSavesAside) {
  const int puzzle = findPuzzle([](const Puzzle& p) {
    return !p.hasFlag(puzzleFlagDelay) && !p.hasFlag(puzzleFlagFixedMachine) && p.generator != nullptr;
  });
  ASSERT_NE(puzzle, -1);
  const std::string file = machineFileName(puzzle);
  EXPECT_EQ(file, "puzz-" + getPuzzleName(puzzle) + ".mgrlv");
  EXPECT_EQ(machineSaveDir(1), "profiles/profile0/saves/");
  EXPECT_EQ(machineSaveDir(2), "profiles/profile0/successful/");
  EXPECT_THROW(machineSaveDir(3), FatalErrorException);

  const std::string initial = machineFileText(sampleMachine(), 1);
  writeWholeFile("initial/" + file, initial);
  ModuleList modules;
  int clock = 1;
  EXPECT_EQ(loadMachine(modules, clock, 1, saveLocationWorking, puzzle), "");  // never saved: the initial machine
  EXPECT_EQ(modules.size(), 4u);

  ASSERT_EQ(saveMachine(puzzle, saveLocationWorking, {modules[0]}, 1), "");
  EXPECT_EQ(loadMachine(modules, clock, 1, saveLocationWorking, puzzle), "");
  EXPECT_EQ(modules.size(), 1u);

  writeWholeFile("profiles/profile0/saves/" + file, "0451\n0.08\n" + section(0, "2\n0,0\n"));
  EXPECT_EQ(loadMachine(modules, clock, 1, saveLocationWorking, puzzle), "No name for 'Adder' at 0, 0!");
  EXPECT_FALSE(fileExists("profiles/profile0/saves/" + file));
  EXPECT_TRUE(fileExists("profiles/profile0/saves/" + file + ".bad"));
  EXPECT_TRUE(logHas(file + ".bad"));

  writeWholeFile("initial/" + file, "broken");
  EXPECT_NE(loadMachine(modules, clock, 1, saveLocationInitial, puzzle), "");
  EXPECT_EQ(readWholeFile("initial/" + file), "broken");  // game data is never moved
}

}  // namespace
