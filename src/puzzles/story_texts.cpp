#include "puzzles/story_texts.h"

// Short stand-ins until the story's own texts are written.
namespace {

const char* const victoryTexts[puzzleTableSize] = {
    "",                                       // 0 buggy
    "",                                       // 1 buggy
    "The Writer put its number in memory.",   // 2 Time
    "Modules placed and working.",            // 3 Modules
    "It counts!",                             // 4 Accumulate
    "Every value is one higher now.",         // 5 Increment
    "The products are all there.",            // 6 Multiply
    "Memory is set.",                         // 7 Set Memory
    "Two instructions, both understood.",     // 8 Two Instructions
    "The arithmetic works.",                  // 9 Arith CPU
    "A basic CPU, running.",                  // 10 Basic CPU
    "Loads work too.",                        // 11 Load CPU
    "You can see the delays now.",            // 12 Delay
    "Counting with delays.",                  // 13 Delay-Acc
    "",                                       // 14 buggy
    "A CPU that respects its delays.",        // 15 Delay CPU
    "Stalled just long enough.",              // 16 Stall
    "Wired up.",                              // 17 Wiring
    "Wires everywhere, all correct.",         // 18 Multiwiring
    "One instruction, done.",                 // 19 One Instruction
    "The register file holds.",               // 20 Regfile
    "The selector picks right.",              // 21 Multiplex
    "",                                       // 22 Demultiplex
    "Memory read.",                           // 23 Memory
    "The palette saved some work.",           // 24 Copying
    "Moved into place.",                      // 25 Dragging
    "Four times over.",                       // 26 Quadruple
    "No delay to spare.",                     // 27 Delay Zero
    "Side by side.",                          // 28 Parallels
    "Stage by stage.",                        // 29 Stages
    "Fast, twice.",                           // 30 Fast Two
    "Counted fast.",                          // 31 Fastcount
    "The latch held.",                        // 32 Delay Latch
    "Back and forth.",                        // 33 Alternator
    "In threes.",                             // 34 Threes
    "",                                       // 35 Faux-Reg
    "Small, but a CPU.",                      // 36 MicroCPU
    "Hazard handled.",                        // 37 Reg Hazard
    "All the products.",                      // 38 Products
    "More stages, still right.",              // 39 Mem Hazard
    "It jumps.",                              // 40 Jump
    "It branches.",                           // 41 Branch
    "Jumping on time.",                       // 42 Delay Jump
    "Branching on time.",                     // 43 Delay Branch
    "",                                       // 44 buggy
    "The full CPU.",                          // 45 Full CPU
    "Configured.",                            // 46 Configuration
    "Summed from memory.",                    // 47 Memsum
    "Right on time.",                         // 48 Time2
    "Latched.",                               // 49 Latch
    "Config done.",                           // 50 Config
    "All ones.",                              // 51 Ones
    "Flipped.",                               // 52 Flip
    "",                                       // 53 Tens
    "Folded away.",                           // 54 Nullfold
    "Copied over.",                           // 55 Copier
    "Nothing to spare.",                      // 56 Spares
    "Combined.",                              // 57 Combiner
    "Swapped.",                               // 58 Swap
    "The finale, finished.",                  // 59 Finale
    "Two by two, fast.",                      // 60 Fast 2-2
    "Oh yes.",                                // 61 Oh No
    "Followed the pointer.",                  // 62 Dereference
    "Followed every pointer.",                // 63 Deref-R
    "The keypad answers.",                    // 64 Keypad
    "Negated.",                               // 65 Negate
    "No collisions.",                         // 66 Collisions
    "Shifted by one.",                        // 67 Shift One
    "Divided.",                               // 68 Divide
    "",                                       // 69 Delay Write
    "Nothing at all.",                        // 70 Nil
    "Validated.",                             // 71 Validation
    "Greater, or not.",                       // 72 Greater
    "",                                       // 73 Credits
    "A message from Brasswick.",              // 74 Brasswick
    "Rewritten.",                             // 75 Rewrite
    "Reversed.",                              // 76 Reverse
    "The cipher is cracked.",                 // 77 Cipher
    "Slow, and stalled.",                     // 78 Slowstall
    "In parallel.",                           // 79 Parallac
    "The odd ones out.",                      // 80 Odds
    "Backed up.",                             // 81 Backup
    "The cows are counted.",                  // 82 Cows
    "Out of the maze.",                       // 83 Maze
    "Split and counted.",                     // 84 Splitcount
    "Back again.",                            // 85 Back
    "Clockwork.",                             // 86 Clock
};

}  // namespace

const char* tableVictoryText(puzzle_id id) {
  if (id < 0 || id >= puzzleTableSize) return "";
  return victoryTexts[id];
}

const char* const cowsAlternativeVictoryText = "The cows are counted, and there is more to come.";
const char* const cowsClosingDescriptionLine = "Take your time with these.";
