#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora (fuzz/corpus/<target>/) from the
game's data and small hand-made files, and the inputs that showed the faults
found so far (fuzz/regressions/<target>/, gzipped: some are megabytes of one
repeated pattern). Run from anywhere; rewrites both folders."""
import gzip
import os
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")
CORPUS = os.path.join(HERE, "corpus")
REGRESSIONS = os.path.join(HERE, "regressions")

HEADER = "0451\n0.08\n-CLOCK PERIOD START-\n3\n-CLOCK PERIOD END-\n"


def section(n, body):
    return "-MODULE %d START-\n%s-MODULE %d END-\n" % (n, body, n)


def machine(*bodies, head=HEADER):
    return head + "".join(section(i, b) for i, b in enumerate(bodies))


SAMPLE = machine(
    "1 (Number)\n0,0\nNAME: Number\n-CONFIG START-\n3 5\n-CONFIG END-\n",
    "2 (Adder)\n160,32\nNAME: Adder\nport #0 <- module #0 port #0\n-CONTROL START-\nPort 0: 120,56\nPort 0: 120,24\n-CONTROL END-\n",
    "7 (Input Selector)\n320,-64\nNAME: Pick one\nport #2 <- module #0 port #0\n-CONFIG START-\n3 3\n-CONFIG END-\n",
    "9 (Equals)\n-160,160\nNAME: Equals\n-CONFIG START-\n3 2\n-CONFIG END-\n",
)
COUNTER = machine(
    "1 (Number)\n0,0\nNAME: One\n-CONFIG START-\n3 1\n-CONFIG END-\n",
    "2 (Adder)\n160,0\nNAME: Adder\nport #0 <- module #0 port #0\nport #1 <- module #2 port #1\n",
    "3 (Latch)\n320,0\nNAME: Latch\nport #0 <- module #1 port #2\n",
    "4 (Writer)\n480,0\nNAME: Writer\nport #0 <- module #2 port #1\nport #1 <- module #0 port #0\n",
    "12 (Register)\n640,0\nNAME: Regs\nport #0 <- module #1 port #2\n-CONFIG START-\n3 3\n-CONFIG END-\n",
    "11 (Op Selector)\n0,160\nNAME: Ops\n-CONFIG START-\n9 1,2,3\n-CONFIG END-\n",
    "6 (Instruction Decoder)\n160,160\nNAME: Dec\n",
    "5 (Reader)\n320,160\nNAME: Read\nport #0 <- module #0 port #0\n",
    "8 (Output Selector)\n480,160\nNAME: Out\n-CONFIG START-\n3 2\n-CONFIG END-\n",
    "13 (Multiplier)\n640,160\nNAME: Mul\n",
    "10 (Subtract)\n800,160\nNAME: Sub\n",
    "1 (Number)\n800,0\nNAME: Letter\n-CONFIG START-\n8 65\n-CONFIG END-\n",
)
OLD = [
    "0451\n0.01\n" + section(0, "14\n0,0\n") + section(1, "21\n16,0\n") + section(2, "2\n32,0\nport #0 <- module #0 port #2\n"),
    "0451\n0.03\n" + section(0, "2 (Adder)\n0,0\n") + section(1, "2 (Adder)\n32,0\nCHEAP\n"),
    "0451\n0.05\n" + section(0, "1\n0,0\nNAME: N\n-CONFIG START-\n3 40\n-CONFIG END-\n"),
    "0451\n0.06\n" + section(0, "11\n0,0\nNAME: Op\n-CONFIG START-\n3 20\n-CONFIG END-\n"),
]
# Configurations and positions the editor could never make (clamped, snapped).
REPAIRED = [
    machine("9\n0,0\nNAME: E\n-CONFIG START-\n3 12\n-CONFIG END-\n"),
    machine("7\n0,0\nNAME: S\n-CONFIG START-\n3 0\n-CONFIG END-\n"),
    machine("9\n0,0\nNAME: E\n-CONFIG START-\n8 72\n-CONFIG END-\n"),
    machine("2\n8,-7\nNAME: A\n-CONTROL START-\nPort 0: 121,57\n-CONTROL END-\n"),
    machine("1\n0,0\nNAME: N\n-CONFIG START-\n8 200\n-CONFIG END-\n"),
    machine("11\n0,0\nNAME: Op\n-CONFIG START-\n3 4\n-CONFIG END-\n"),
]


def write(folder, name, text, compress=False):
    os.makedirs(folder, exist_ok=True)
    data = text.encode("utf-8", "surrogateescape") if isinstance(text, str) else text
    if compress:
        with gzip.open(os.path.join(folder, name + ".gz"), "wb", compresslevel=9) as out:
            out.write(data)
    else:
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


def data_files(sub, suffix, limit=None):
    folder = os.path.join(DATA, sub)
    names = sorted(n for n in os.listdir(folder) if n.endswith(suffix))
    for name in names[:limit]:
        with open(os.path.join(folder, name), "rb") as f:
            yield name.replace(" ", "_"), f.read()


def ladder(stages):
    bodies = ["1\n0,0\nNAME: L\n-CONFIG START-\n3 1\n-CONFIG END-\n", "1\n0,16\nNAME: R\n-CONFIG START-\n3 2\n-CONFIG END-\n"]
    for i in range(stages):
        left, right = 2 * i, 2 * i + 1
        for side in (0, 1):
            bodies.append("2\n%d,%d\nNAME: A\nport #0 <- module #%d port #2\nport #1 <- module #%d port #2\n"
                          % (16 * (i + 1), 16 * side, left, right))
    # The first stage's sources are Numbers, whose result is port 0.
    bodies[2] = bodies[2].replace("module #0 port #2", "module #0 port #0").replace("module #1 port #2", "module #1 port #0")
    bodies[3] = bodies[3].replace("module #0 port #2", "module #0 port #0").replace("module #1 port #2", "module #1 port #0")
    return machine(*bodies)


def counted_loop_tests(tests, n):
    memory = "0: ADDM 100 101 100\n1: BMEM 100 102 3\n2: JUMP 0\n100: 0\n101: 1\n102: %d\n" % n
    return "PUZZTEST\n0.01\n" + "".join("START\n%sLIMIT: 10\nEXPECTED\n%sEND\n" % (memory, memory) for _ in range(tests))


def main():
    for folder in (CORPUS, REGRESSIONS):
        shutil.rmtree(folder, ignore_errors=True)

    # Machine files, and the Editor's working save (first byte: plain, delay, automatic clock).
    machines = {"sample": SAMPLE, "counter": COUNTER, "empty": HEADER,
                "crlf": SAMPLE.replace("\n", "\r\n"), "cut": SAMPLE[: len(SAMPLE) // 2]}
    for i, text in enumerate(OLD):
        machines["old_%d" % i] = text
    for name, data in data_files("initial", ".mgrlv", 12):
        machines["data_" + name] = data
    for name, text in machines.items():
        write(os.path.join(CORPUS, "machine_file"), name, text)
    for i, text in enumerate(REPAIRED):
        write(os.path.join(REGRESSIONS, "machine_file"), "repaired_%d" % i, text)
    for sort in range(3):
        for name in ("sample", "counter", "empty", "old_0"):
            text = machines[name]
            write(os.path.join(CORPUS, "working_save"), "%s_%d" % (name, sort),
                  bytes([sort]) + (text if isinstance(text, bytes) else text.encode()))
    # A ladder of 8000 modules: its delay paths took gigabytes.
    write(os.path.join(REGRESSIONS, "working_save"), "ladder_8000_modules", b"\x02" + ladder(3999).encode(), True)

    # A working save entered, laid out and drawn (first byte: plain, clock set
    # by the player, automatic clock, the memory tutorial), with the saves that
    # made entering fatal: an Op Selector taller than a 1024x768 view, the
    # memory tutorial without its Reader, and a clock period of two billion.
    tall = machine("11 (Op Selector)\n96,48\nNAME: Ops\n-CONFIG START-\n9 %s\n-CONFIG END-\n"
                   % ",".join(str(i % 7) for i in range(19)))
    no_reader = machine("1 (Number)\n400,96\nNAME: Three\n-CONFIG START-\n3 3\n-CONFIG END-\n",
                        "2 (Adder)\n640,96\nNAME: Adder\nport #0 <- module #0 port #0\n")
    long_period = HEADER.replace("\n3\n", "\n2000000000\n") + COUNTER[len(HEADER):]
    entered = {"tall_op_selector_0": b"\x00" + tall.encode(), "no_reader_3": b"\x03" + no_reader.encode(),
               "long_clock_period_1": b"\x01" + long_period.encode()}
    for sort in range(4):
        entered["counter_%d" % sort] = bytes([sort]) + COUNTER.encode()
        entered["sample_%d" % sort] = bytes([sort]) + SAMPLE.encode()
    for name, data in entered.items():
        write(os.path.join(CORPUS, "entered_save"), name, data)

    # Palette groups.
    for name, text in (("sample", SAMPLE + "GROUP NAME: Mine\n"), ("end_marker", "\n"),
                       ("fake_name", machine("2\n0,0\nNAME: GROUP NAME: x\n") + "GROUP NAME: Real \u00e9\r\n")):
        write(os.path.join(CORPUS, "palette_group"), name, text)
    write(os.path.join(REGRESSIONS, "palette_group"), "out_of_range", REPAIRED[0] + "GROUP NAME: Shared\n")

    # Records and the last puzzle.
    records = {"current": "RECORD\n0.05\nCows::5::3\nMultiplex::40::7\nNo Such Puzzle::1::1\n",
               "old_03": "RECORD\n0.03\nNuke::1::2\nCows::9::9::7\n", "old_01": "RECORD\n0.01\nCows::1::2::3\n",
               "bad_version": "RECORD\n0.09\n", "digits": "12", "community": "10003",
               "long_names": "RECORD\n0.05\nA::B::1::2\n:::::1::2\n"}
    for name, text in records.items():
        write(os.path.join(CORPUS, "records"), name, text)
    write(os.path.join(REGRESSIONS, "records"), "many_unknown_names",
          "RECORD\n0.05\n" + "".join("gone %d::1::1\n" % i for i in range(30000)), True)

    # Tutorial flags and seen modules (first byte: 0 tutorial, 1 seen modules).
    for name, text in (("tutorial", b"\x00TUTORIAL\n0.01\n4 (clicked on the test button)\n13\n"),
                       ("tutorial_bad", b"\x00TUTORIAL\n0.01\nx\n99\n"),
                       ("seen", b"\x01SEENMODULES\n0.02\n2 (Adder)\n13 (Multiplier)\n"),
                       ("seen_old", b"\x01SEENMODULES\n0.01\n3\n")):
        write(os.path.join(CORPUS, "flags"), name, text)

    for name, text in (("zero", "0"), ("four", "4"), ("seven", "7"), ("negative", "-2"), ("huge", "99999999999"),
                       ("words", "profile two\n")):
        write(os.path.join(CORPUS, "profile"), name, text)

    with open(os.path.join(DATA, "initial", "main_menu.mpoxa"), "rb") as f:
        write(os.path.join(CORPUS, "locations"), "data_main_menu", f.read())
    for version in ("0.01", "0.02", "0.03"):
        write(os.path.join(CORPUS, "locations"), "version_" + version,
              "PUZZLELOC\n%s\n2 600 300\n3 -5 2\n12 300\n0 1 1\n87 2 2\nnone\n" % version)

    # Test files.
    for name, data in data_files("tests", ".mtest"):
        write(os.path.join(CORPUS, "test_file"), "data_" + name, data)
    for name, text in (("program", "PUZZTEST\n0.01\nSTART\n0: MSET 7 3\nLIMIT: 4\nEXPECTED\n0: MSET 7 3\nEND\n"),
                       ("values", "PUZZTEST\n0.01\n# note\nSTART\n0: 5\n1: 'q'\n2: ?\n3: -\nLIMIT: 12\nEXPECTED\n"
                                  "0: 5, 6 // two\n-2147483648: ?\nEND\n"),
                       ("never_stops", "PUZZTEST\n0.01\nSTART\n0: JUMP 0\nLIMIT: 4\nEXPECTED\n0: JUMP 0\nEND\n")):
        write(os.path.join(CORPUS, "test_file"), name, text)
    write(os.path.join(REGRESSIONS, "test_file"), "comment_limit_line",
          "PUZZTEST\n0.01\nSTART\n// LIMIT: 9\n1: 2\nLIMIT: 5\nEND\n")
    write(os.path.join(REGRESSIONS, "test_file"), "counted_loops_over_budget", counted_loop_tests(1000, 33333), True)
    write(os.path.join(REGRESSIONS, "test_file"), "long_goal_list",
          "PUZZTEST\n0.01\nSTART\nLIMIT: 1\nEXPECTED\n0: " + ", ".join(str(i % 3000) for i in range(150000)) + "\nEND\n", True)

    # Descriptions.
    for name, data in data_files("puzzle_descriptions", ".mdesc", 10):
        write(os.path.join(CORPUS, "description"), "data_" + name, data)
    write(os.path.join(CORPUS, "description"), "markup",
          "PUZZDESC\n0.01\nfred\nPress `RCLICK_DESC` to ~cancel~.\n\n# comment\nIt\u2019s \u2026 done\n")
    write(os.path.join(REGRESSIONS, "description"), "quotes_800000",
          "PUZZDESC\n0.01\nFred\n" + "\u2019" * 800000 + "\n", True)
    write(os.path.join(REGRESSIONS, "description"), "marks", "PUZZDESC\n0.01\nFred\n" + "~a~`b`" * 400000 + "\n", True)

    # Community metadata.
    for name, text in (("full", "METADATA\n0.01\nNAME: Sorting \u00e9tude with a long name\nMODULES: Adder, latch, Nope\n"
                                "TICKS: Quick.\nMODULEGOAL: 7\nTICKGOAL: about 40 ticks\nDELAY\nautoclock\nNO_CONFIG\n"),
                       ("bad", "METADATA\n0.02\n"), ("pars", "METADATA\n0.01\nTICKGOAL: 99999999999\nMODULEGOAL: -3\n")):
        write(os.path.join(CORPUS, "metadata"), name, text)
    write(os.path.join(REGRESSIONS, "metadata"), "long_module_list",
          "METADATA\n0.01\nMODULES: Adder" + ", nothing" * 200000 + "\n", True)

    for name, text in (("windowed", "Fullscreen: 1280x1024\nWindowed: 1100x800\nwindowed\nbordered\n"),
                       ("fullscreen", "Fullscreen: 1920x1080\nWindowed: 1024x768\nfullscreen\nborderless"),
                       ("huge", "Fullscreen: 99999x99999\nWindowed: -1x5\n")):
        write(os.path.join(CORPUS, "settings"), name, text)

    # Whole community folders: metadata, tests, description, victory, machine.
    split = "%%FILE%%\n"
    folders = {
        "full": ["METADATA\n0.01\nNAME: Folder\nMODULES: Adder, Number, Writer, Latch\nDELAY\n",
                 "PUZZTEST\n0.01\nSTART\n0: 1\nLIMIT: 30\nEXPECTED\n0: 2\nEND\nSTART\nLIMIT: 5\nEND\n",
                 "PUZZDESC\n0.01\nJack\nBuild ~it~.\n", "PUZZDESC\n0.01\nRuzuv\nWell done.\n", COUNTER],
        "no_tests": ["METADATA\n0.01\nNAME: Empty\n", "", "", "", HEADER],
        "autoclock": ["METADATA\n0.01\nAUTOCLOCK\nDELAY\n", "PUZZTEST\n0.01\nSTART\nLIMIT: 9\nEND\n", "", "", SAMPLE],
    }
    for name, parts in folders.items():
        write(os.path.join(CORPUS, "community_folder"), name, split.join(parts))


if __name__ == "__main__":
    main()
