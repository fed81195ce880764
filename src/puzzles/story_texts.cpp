#include "puzzles/story_texts.h"

// What the story's characters say when each table puzzle is beaten. The
// speaker of each line is the table row's.
namespace {

const char* const victoryTexts[puzzleTableSize] = {
    // 0 buggy
    "",
    // 1 buggy
    "",
    // 2 Time
    "Memory written. Now the machine leaves something behind, and that is what I pay for.",
    // 3 Modules
    "Placed. Wired. Counted: three modules. Keep it that lean.",
    // 4 Accumulate
    "Nought to seven, all in a row. A counter is a fine thing to know by heart, friend; you'll build a great many of them.",
    // 5 Increment
    "A hundred tests and not one sheep over the wrong fence. Ruzuv will want to see this.",
    // 6 Multiply
    "Multiplying with nothing but adding. My grandmother did her sums the same way at the market.",
    // 7 Set Memory
    "Four instructions, four slots. See? Once the decoder's wired up, it practically does the job for you.",
    // 8 Two Instructions
    "Two instructions, one machine! The Op Selector is my favourite module now.",
    // 9 Arith CPU
    "A processor that adds. Quorvex has made clocks and counters for forty years, friend, and never anything like this.",
    // 10 Basic CPU
    "The program ran exactly as written. Every slot is accounted for. Thank you.",
    // 11 Load CPU
    "It reads memory now. The Quorvex processor can't do that yet. I'll keep this one to myself for a while.",
    // 12 Delay
    "Three mTicks of nothing before the answer. That is the real floor. Learn to count them.",
    // 13 Delay-Acc
    "counting slowly. still counting.",
    // 14 buggy
    "",
    // 15 Delay CPU
    "It runs on the real floor. Quorvex has a product. Go home early today. Just today.",
    // 16 Stall
    "No Adder, and still two slots. A Latch that waits is a tool. Remember it.",
    // 17 Wiring
    "There, you see? Two wires, and the Adder knows just what to do. Everything else here is only more of that.",
    // 18 Multiwiring
    "One Number doing the work of three. Thrift is half of engineering.",
    // 19 One Instruction
    "You ran a program! Okay, it only wrote zeros, but still. A program!",
    // 20 Regfile
    "Eight registers, loaded on time. Next, make them do something.",
    // 21 Multiplex
    "Code stamped. The Input Selector stays on the floor from now on.",
    // 22 Demultiplex
    "",
    // 23 Memory
    "Six, from slot 10. Memory is only as good as the one who reads it, and you read it correctly.",
    // 24 Copying
    "Why build it twice? Keep a palette of the good stuff. Don't tell Ruzuv it's that easy.",
    // 25 Dragging
    "Rewired without one new wire. Good. Wire is not free.",
    // 26 Quadruple
    "Four times anything, in eighteen mTicks! I timed it twice to be sure.",
    // 27 Delay Zero
    "Slow and sure, like a good plough horse. Now let's see how fast it can go.",
    // 28 Parallels
    "Two at a time. Sam will need more of that.",
    // 29 Stages
    "Two stages. Faster. Not fast enough.",
    // 30 Fast Two
    "Fetching while the last one finishes. Like milking one cow while the next walks in.",
    // 31 Fastcount
    "Three Writers, one tick! Who says you have to do things one at a time?",
    // 32 Delay Latch
    "No question marks in that Latch! Patience is a feature.",
    // 33 Alternator
    "One, nought, one, nought. A perfectly regular record. Most satisfying.",
    // 34 Threes
    "Every third slot. I'd have done it with one Latch fewer, but I'm not saying how.",
    // 35 Faux-Reg
    "",
    // 36 MicroCPU
    "A whole processor around one accumulator. Small, but it's mine.",
    // 37 Reg Hazard
    "Three stages, and never a stale register. Sam is taking shape.",
    // 38 Products
    "Eight running products, every one correct. I checked the largest by hand.",
    // 39 Mem Hazard
    "Three stages on memory, nothing read too early. Good.",
    // 40 Jump
    "It jumps. The program doesn't even have to be in order any more.",
    // 41 Branch
    "Now it decides. That's the part that makes it feel alive.",
    // 42 Delay Jump
    "Jumping all over the place on the real floor, and still on time! Sam's going to be great.",
    // 43 Delay Branch
    "Every branch taken or passed exactly as the program says. Sam's records will be impeccable.",
    // 44 buggy
    "",
    // 45 Full CPU
    "Everything works together. I think I've built a better processor than the one we sell.",
    // 46 Configuration
    "Set the Numbers, wire the Adder. You'll have the whole drawer soon enough.",
    // 47 Memsum
    "Five and two from memory, seven from the Adder. You have understood the memory. That is rarer than you would think.",
    // 48 Time2
    "See? Tick, tick, tick, fifteen! Everything with a clock works like that.",
    // 49 Latch
    "Fifteen, stored and held! Latches are the memory that lives inside a machine.",
    // 50 Config
    "Four. Numbers can be set. Now you know.",
    // 51 Ones
    "Every nought a one. Tidy as a swept barn.",
    // 52 Flip
    "Both ways at once, and nothing else touched. That's care, friend.",
    // 53 Tens
    "",
    // 54 Nullfold
    "The ones are gone, the rest untouched. Clean job. Suspiciously clean.",
    // 55 Copier
    "Everything one slot up, and slot 0 still in place! Neat trick.",
    // 56 Spares
    "Doubled with spare parts. I knew the stores had enough. You found it.",
    // 57 Combiner
    "One write, the correct sum, nothing else disturbed. That is how memory should be treated.",
    // 58 Swap
    "Swapped. Fifty mTicks. Next.",
    // 59 Finale
    "Sam runs, start to finish. I've been at Quorvex a long time, friend, and this is the best thing ever to come out of it. Go and tell Ruzuv yourself.",
    // 60 Fast 2-2
    "Eight instructions, thirty mTicks each. Sam is fast. Make it faster.",
    // 61 Oh No
    "So that's how it happened. One unknown address and the whole bank goes. Now you know what to avoid.",
    // 62 Dereference
    "Following addresses is like following tracks in the snow. You find the animal at the end.",
    // 63 Deref-R
    "Chains followed all the way to the end. I like puzzles that don't stop after one step.",
    // 64 Keypad
    "The door knows my code now. Not that anyone has tried to get in.",
    // 65 Negate
    "Zero or not zero. Simple, once it works.",
    // 66 Collisions
    "Eight MSETs and not one collision! Sam's got two hands now.",
    // 67 Shift One
    "Each number with a 1 appended, in order. A very neat piece of arithmetic.",
    // 68 Divide
    "Division out of subtraction. Slow, but it never gets it wrong.",
    // 69 Delay Write
    "",
    // 70 Nil
    "Zero, from a machine that only knows 1. I like that.",
    // 71 Validation
    "See? It ran tests 1 and 2 first, and only showed you test 3 when it failed. I'm leaving the mistake in, as a lesson.",
    // 72 Greater
    "It can compare now: greater or not greater. The start of every decision.",
    // 73 Credits
    "",
    // 74 Brasswick
    "The message reads like a name: Brasswick. Someone at Quorvex is talking to me.",
    // 75 Rewrite
    "Nought to eight in one slot, one step at a time. The slot's record is complete.",
    // 76 Reverse
    "Backwards, then forwards. Whoever sends these wants to be sure I'm paying attention.",
    // 77 Cipher
    "The last message is plain now: there's a machine under the works that nobody remembers building. I'll go and look. Tomorrow.",
    // 78 Slowstall
    "Written in good time, and not a moment too early. Well done.",
    // 79 Parallac
    "Accumulator programs at speed. Sam takes anything we throw at it.",
    // 80 Odds
    "Odd or even, one bit at a time. A quiet evening's work.",
    // 81 Backup
    "Backup and restore behave exactly as specified. I sleep better knowing that.",
    // 82 Cows
    "Six cows, all home. Thank you, friend. When the works gets too loud, come and count them with me.",
    // 83 Maze
    "Out of the maze in time. Short paths win. Always.",
    // 84 Splitcount
    "Eight numbers, counted out on time. Sam's arithmetic is sound.",
    // 85 Back
    "Everything down one, clock period set by hand. Good.",
    // 86 Clock
    "Stored at the right moment, and no question marks. The clock is your friend if you respect it.",
};

}  // namespace

const char* tableVictoryText(puzzle_id id) {
  if (id < 0 || id >= puzzleTableSize) return "";
  return victoryTexts[id];
}

const char* const cowsAlternativeVictoryText =
    "Six cows, all home. I hear you've been counting for Ruzuv already; take the processor work, they'll need you there. But come back and count cows with me now and then.";
const char* const cowsClosingDescriptionLine =
    "You've counted for Ruzuv already, I hear. This one's just for me, then.";
