#!/usr/bin/env python3
"""Writes the reference machines of the instruction puzzles and their broken twins.

    python3 tools/reference_machines/make_reference_machines.py tests/content/fixtures [puzzle...]

Each puzzle gets puzz-<name>.mgrlv, which wins it, and puzz-<name>-wrong.mgrlv,
which makes a mistake the puzzle's description warns of. The processors build
on each other: the one-tick processor of the CPU puzzles grows an opcode at a
time, and the pipelined ones of the delay puzzles share their fetch stage.
Content tests run every file against all of its puzzle's tests.
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from machine_builder import Machine  # noqa: E402

SETR, MSET, ADDR, ADDM, LOAD, SAVE, JUMP, BREQ = 1, 3, 4, 5, 6, 7, 8, 9
LDAC, ADAC, SVAC, BMEM = 11, 12, 13, 16


# --- Parts shared by several machines ----------------------------------------

def counter(m, name='Program Counter', counts=True):
    """A Latch and an Adder: the slot to work on and the one after it. Unless it
    counts up by one every tick, the caller chooses what the Latch takes next."""
    pc = m.add('Latch', name, col=0, row=0)
    one = m.add('Number', 'One', 1, col=0, row=1)
    nxt = m.add('Adder', 'Next Slot', col=1, row=1)
    m.wire((nxt, nxt.inp(0)), (pc, pc.out()))
    m.wire((nxt, nxt.inp(1)), (one, one.out()))
    if counts:
        m.wire((pc, pc.inp()), (nxt, nxt.out()))
    return pc, one, nxt


def fetch(m, pc):
    """The instruction in the slot the counter names, split into its fields."""
    rd = m.add('Reader', 'Fetch', col=1, row=0)
    m.wire((rd, rd.ctl()), (pc, pc.out()))
    dec = m.add('Instruction Decoder', 'Decoder', col=2, row=0)
    m.wire((dec, dec.inp()), (rd, rd.out()))
    return dec


def register_file(m, col):
    """Eight registers; an Output Selector routes a value to the one to write."""
    regs = m.add('Register', 'Registers', 8, col=col, row=0)
    wsel = m.add('Output Selector', 'Register Select', 8, col=col - 1, row=0)
    for i in range(8):
        m.wire((regs, regs.inp(i)), (wsel, wsel.out(i)))
    return regs, wsel


def read_port(m, regs, name, col, row):
    sel = m.add('Input Selector', name, 8, col=col, row=row)
    for i in range(8):
        m.wire((sel, sel.inp(i)), (regs, regs.out(i)))
    return sel


def fetch_decode(m, ops, follow_jumps=False, broken_jumps=False):
    """First stage of the pipelined processors: the instruction the counter
    names, decoded into a Register of its four fields. The opcode field's input
    is left to the caller. Returns the counter, the decoder, the fields and
    the next slot to fetch."""
    pc, one, nxt = counter(m, counts=False)
    dec = fetch(m, pc)
    fields = m.add('Register', 'Fetched', 4, col=3, row=0)  # opcode, source, target, destination
    for i in (1, 2, 3):
        m.wire((fields, fields.inp(i)), (dec, dec.out(i)))
    following = (nxt, nxt.out())
    if follow_jumps:
        # A JUMP is followed as soon as it is fetched, so it costs no more than
        # any other instruction; the later stages pass it over.
        nextpc = m.add('Op Selector', 'Next Instruction', ops, col=1, row=2)
        m.wire((nextpc, nextpc.ctl()), (dec, dec.out('op')))
        for op in ops:
            jumps = op == JUMP and not broken_jumps
            m.wire((nextpc, nextpc.inp(op)), (dec, dec.out('dst')) if jumps else following)
        following = (nextpc, nextpc.out())
    return pc, dec, fields, following


def branch_taken(m, opcode, branch_op, equal, col):
    """1 when the opcode is the branch and the compared values are equal, else 0."""
    zero = m.add('Number', 'Zero', 0, col=col - 1, row=5)
    code = m.add('Number', 'Branch Opcode', branch_op, col=col - 1, row=6)
    is_branch = m.add('Equals', 'Is Branch', 2, col=col, row=5)
    m.wire((is_branch, is_branch.inp(0)), opcode)
    m.wire((is_branch, is_branch.inp(1)), (code, code.out()))
    taken = m.add('Input Selector', 'Branch Taken', 2, col=col + 1, row=5)
    m.wire((taken, taken.inp(0)), (zero, zero.out()))
    m.wire((taken, taken.inp(1)), equal)
    m.wire((taken, taken.ctl()), (is_branch, is_branch.out()))
    return taken, zero


def branch_stage(m, pc, dec, fields, following, taken, drop_op):
    """Points the counter at a taken branch's destination and drops the
    instruction fetched behind the branch by giving it an opcode (drop_op)
    that the later stages pass over; without drop_op it runs anyway."""
    nextpc = m.add('Input Selector', 'Branch or Not', 2, col=1, row=3)
    m.wire((nextpc, nextpc.inp(0)), following)
    m.wire((nextpc, nextpc.inp(1)), (fields, fields.out(3)))
    m.wire((nextpc, nextpc.ctl()), (taken, taken.out()))
    m.wire((pc, pc.inp()), (nextpc, nextpc.out()))
    if drop_op is None:
        m.wire((fields, fields.inp(0)), (dec, dec.out('op')))
        return
    drop = m.add('Input Selector', 'Drop Fetched', 2, col=3, row=3)
    m.wire((drop, drop.inp(0)), (dec, dec.out('op')))
    m.wire((drop, drop.inp(1)), drop_op)
    m.wire((drop, drop.ctl()), (taken, taken.out()))
    m.wire((fields, fields.inp(0)), (drop, drop.out()))


# --- One instruction per tick -------------------------------------------------

def one_instruction(broken=False):
    m = Machine()
    pc, one, nxt = counter(m)
    dec = fetch(m, pc)
    # The broken machine writes a one where 0MEM asks for a zero.
    value = m.add('Number', 'Zero' if not broken else 'One Again', 0 if not broken else 1, col=3, row=1)
    w = m.add('Writer', 'Zero Writer', col=4, row=0)
    m.wire((w, w.inp()), (value, value.out()))
    m.wire((w, w.ctl()), (dec, dec.out('dst')))
    return m


def two_instructions(broken=False):
    m = Machine()
    pc, one, nxt = counter(m)
    dec = fetch(m, pc)
    rs = m.add('Reader', 'Source Slot', col=3, row=0)
    rt = m.add('Reader', 'Target Slot', col=3, row=1)
    m.wire((rs, rs.ctl()), (dec, dec.out('src')))
    m.wire((rt, rt.ctl()), (dec, dec.out('trg')))
    s = m.add('Adder', 'Sum', col=4, row=0)
    if broken:
        # ADDM adds the slot numbers instead of what the slots hold.
        m.wire((s, s.inp(0)), (dec, dec.out('src')))
        m.wire((s, s.inp(1)), (dec, dec.out('trg')))
    else:
        m.wire((s, s.inp(0)), (rs, rs.out()))
        m.wire((s, s.inp(1)), (rt, rt.out()))
    op = m.add('Op Selector', 'Result', [MSET, ADDM], col=5, row=0)
    m.wire((op, op.inp(MSET)), (dec, dec.out('src')))
    m.wire((op, op.inp(ADDM)), (s, s.out()))
    m.wire((op, op.ctl()), (dec, dec.out('op')))
    w = m.add('Writer', 'Result Writer', col=6, row=0)
    m.wire((w, w.inp()), (op, op.out()))
    m.wire((w, w.ctl()), (dec, dec.out('dst')))
    return m


def register_cpu(ops, broken=None):
    """The register processor of the CPU puzzles: one instruction per tick.
    broken names the fault the broken twin is built with."""
    m = Machine()
    pc, one, nxt = counter(m, counts=JUMP not in ops)
    dec = fetch(m, pc)
    regs, wsel = register_file(m, 5)
    ra = read_port(m, regs, 'Source Register', 6, 0)
    rb = read_port(m, regs, 'Target Register', 6, 1)
    m.wire((ra, ra.ctl()), (dec, dec.out('src')))
    m.wire((rb, rb.ctl()), (dec, dec.out('trg')))
    m.wire((wsel, wsel.ctl()), (dec, dec.out('dst')))
    w = m.add('Writer', 'Memory Writer', col=7, row=0)
    m.wire((w, w.inp()), (ra, ra.out()))
    # SAVE writes into the slot whose number the target register holds; the
    # broken twin writes into the slot numbered like the register instead.
    slot = (dec, dec.out('trg')) if broken == 'save slot' else (rb, rb.out())
    if ops == [SETR, SAVE]:
        # SETR names no target, so its slot is unpowered and nothing is written.
        m.wire((w, w.ctl()), slot)
        m.wire((wsel, wsel.inp()), (dec, dec.out('src')))
        return m
    gate = m.add('Op Selector', 'Save Slot', ops, col=7, row=4)
    m.wire((gate, gate.ctl()), (dec, dec.out('op')))
    m.wire((gate, gate.inp(SAVE)), slot)
    m.wire((w, w.ctl()), (gate, gate.out()))
    res = m.add('Op Selector', 'Register Result', ops, col=3, row=2)
    m.wire((res, res.ctl()), (dec, dec.out('op')))
    m.wire((wsel, wsel.inp()), (res, res.out()))
    m.wire((res, res.inp(SETR)), (dec, dec.out('src')))
    s = m.add('Adder', 'Register Sum', col=7, row=1)
    if broken == 'add numbers':
        # ADDR adds the register numbers instead of what the registers hold.
        m.wire((s, s.inp(0)), (dec, dec.out('src')))
        m.wire((s, s.inp(1)), (dec, dec.out('trg')))
    else:
        m.wire((s, s.inp(0)), (ra, ra.out()))
        m.wire((s, s.inp(1)), (rb, rb.out()))
    m.wire((res, res.inp(ADDR)), (s, s.out()))
    if LOAD in ops:
        ld = m.add('Reader', 'Load', col=7, row=2)
        # The broken twin reads the slot numbered like the register.
        m.wire((ld, ld.ctl()), (dec, dec.out('trg')) if broken == 'load slot' else (rb, rb.out()))
        m.wire((res, res.inp(LOAD)), (ld, ld.out()))
    if JUMP not in ops:
        return m
    nextpc = m.add('Op Selector', 'Next Instruction', ops, col=1, row=2)
    m.wire((nextpc, nextpc.ctl()), (dec, dec.out('op')))
    m.wire((pc, pc.inp()), (nextpc, nextpc.out()))
    for op in ops:
        if op == JUMP and broken != 'ignore jump':
            m.wire((nextpc, nextpc.inp(op)), (dec, dec.out('dst')))
        elif op != BREQ:
            m.wire((nextpc, nextpc.inp(op)), (nxt, nxt.out()))
    if BREQ in ops:
        eq = m.add('Equals', 'Registers Equal', 2, col=7, row=3)
        if broken == 'compare numbers':
            # BREQ compares the register numbers instead of what they hold.
            m.wire((eq, eq.inp(0)), (dec, dec.out('src')))
            m.wire((eq, eq.inp(1)), (dec, dec.out('trg')))
        else:
            m.wire((eq, eq.inp(0)), (ra, ra.out()))
            m.wire((eq, eq.inp(1)), (rb, rb.out()))
        br = m.add('Input Selector', 'Branch Target', 2, col=1, row=3)
        go_on, take = (nxt, nxt.out()), (dec, dec.out('dst'))
        if broken == 'inverted branch':
            go_on, take = take, go_on  # branches when the registers differ
        m.wire((br, br.inp(0)), go_on)
        m.wire((br, br.inp(1)), take)
        m.wire((br, br.ctl()), (eq, eq.out()))
        m.wire((nextpc, nextpc.inp(BREQ)), (br, br.out()))
    return m


def regfile(broken=False):
    m = Machine()
    pc, one, nxt = counter(m)
    dec = fetch(m, pc)
    size = 7 if broken else 8  # the broken twin's Register is one short
    regs = m.add('Register', 'Registers', size, col=5, row=0)
    wsel = m.add('Output Selector', 'Register Select', 8, col=4, row=0)
    m.wire((wsel, wsel.ctl()), (dec, dec.out('dst')))
    m.wire((wsel, wsel.inp()), (dec, dec.out('src')))
    for i in range(size):
        m.wire((regs, regs.inp(i)), (wsel, wsel.out(i)))
    return m


def micro_cpu(broken=False):
    m = Machine()
    pc, one, nxt = counter(m)
    dec = fetch(m, pc)
    acc = m.add('Latch', 'Accumulator', col=5, row=0)  # a Latch starts at 0
    ld = m.add('Reader', 'Load Slot', col=3, row=1)
    m.wire((ld, ld.ctl()), (dec, dec.out('trg')))
    add = m.add('Adder', 'Add', col=4, row=1)
    m.wire((add, add.inp(0)), (acc, acc.out()))
    if broken:
        # ADAC adds what the slot named by the source holds, not the number.
        rs = m.add('Reader', 'Source Slot', col=3, row=2)
        m.wire((rs, rs.ctl()), (dec, dec.out('src')))
        m.wire((add, add.inp(1)), (rs, rs.out()))
    else:
        m.wire((add, add.inp(1)), (dec, dec.out('src')))
    op = m.add('Op Selector', 'New Accumulator', [LDAC, ADAC, SVAC], col=4, row=0)
    m.wire((op, op.ctl()), (dec, dec.out('op')))
    m.wire((op, op.inp(LDAC)), (ld, ld.out()))
    m.wire((op, op.inp(ADAC)), (add, add.out()))
    m.wire((acc, acc.inp()), (op, op.out()))
    w = m.add('Writer', 'Save', col=6, row=0)
    m.wire((w, w.inp()), (acc, acc.out()))
    m.wire((w, w.ctl()), (dec, dec.out('dst')))
    return m


# --- Addresses and letters ----------------------------------------------------

def dereference(broken=False):
    m = Machine()
    pc, one, nxt = counter(m, 'Slot')
    p = m.add('Reader', 'Address', col=1, row=0)
    m.wire((p, p.ctl()), (pc, pc.out()))
    v = m.add('Reader', 'Value', col=2, row=0)
    m.wire((v, v.ctl()), (p, p.out()))
    w = m.add('Writer', 'Replace', col=4, row=0)
    if not broken:
        # An empty slot reads unpowered, and the Writer writes nothing then.
        m.wire((w, w.inp()), (v, v.out()))
        m.wire((w, w.ctl()), (pc, pc.out()))
        return m
    # The broken twin writes a tick later from Latches; a Latch keeps its last
    # value when the slot pointed at is empty, and that value lands on the address.
    held = m.add('Latch', 'Held Value', col=3, row=0)
    held_slot = m.add('Latch', 'Held Slot', col=3, row=1)
    minus = m.add('Number', 'Minus One', -1, col=2, row=2)
    back = m.add('Adder', 'Previous Slot', col=3, row=2)
    m.wire((held, held.inp()), (v, v.out()))
    m.wire((held_slot, held_slot.inp()), (nxt, nxt.out()))
    m.wire((back, back.inp(0)), (held_slot, held_slot.out()))
    m.wire((back, back.inp(1)), (minus, minus.out()))
    m.wire((w, w.inp()), (held, held.out()))
    m.wire((w, w.ctl()), (back, back.out()))
    return m


def deref_r(broken=False):
    if broken:
        return dereference()  # follows one address per starting slot, not the chain
    m = Machine()
    cur = m.add('Latch', 'Chain', col=0, row=0)
    p = m.add('Reader', 'Address', col=1, row=0)
    m.wire((p, p.ctl()), (cur, cur.out()))
    v = m.add('Reader', 'Next Value', col=2, row=0)
    m.wire((v, v.ctl()), (p, p.out()))
    # The chain ends where the next value is unpowered: an empty slot or a
    # negative address. An Equals with its comparator unconnected says so.
    end = m.add('Equals', 'End of Chain', 2, col=3, row=1)
    m.wire((end, end.inp(0)), (v, v.out()))
    nxt = m.add('Adder', 'Next Chain', col=1, row=1)
    m.wire((nxt, nxt.inp(0)), (cur, cur.out()))
    m.wire((nxt, nxt.inp(1)), (end, end.out()))
    m.wire((cur, cur.inp()), (nxt, nxt.out()))
    w = m.add('Writer', 'Follow', col=3, row=0)
    m.wire((w, w.inp()), (v, v.out()))
    m.wire((w, w.ctl()), (cur, cur.out()))
    return m


def brasswick(broken=False):
    m = Machine()
    pc, one, nxt = counter(m, 'Slot')
    x = m.add('Reader', 'Letter', col=1, row=0)
    m.wire((x, x.ctl()), (pc, pc.out()))
    y = m.add('Adder', 'Next Letter', col=2, row=0)
    m.wire((y, y.inp(0)), (x, x.out()))
    m.wire((y, y.inp(1)), (one, one.out()))
    w = m.add('Writer', 'Write Letter', col=5, row=0)
    m.wire((w, w.ctl()), (pc, pc.out()))
    if broken:
        # Every character moves on by one: Z becomes 27 and a space becomes A.
        m.wire((w, w.inp()), (y, y.out()))
        return m
    sixteen = m.add('Number', 'Sixteen', 16, col=1, row=2)
    ten = m.add('Number', 'Ten', 10, col=1, row=3)
    z = m.add('Adder', 'Z', col=2, row=2)
    m.wire((z, z.inp(0)), (sixteen, sixteen.out()))
    m.wire((z, z.inp(1)), (ten, ten.out()))
    is_z = m.add('Equals', 'Is Z', 2, col=3, row=1)
    m.wire((is_z, is_z.inp(0)), (x, x.out()))
    m.wire((is_z, is_z.inp(1)), (z, z.out()))
    # Any letter minus itself is the space; the space plus one is A.
    space = m.add('Subtract', 'Space', col=2, row=1)
    m.wire((space, space.inp(0)), (x, x.out()))
    m.wire((space, space.inp(1)), (x, x.out()))
    wrap = m.add('Adder', 'Space or A', col=3, row=2)
    m.wire((wrap, wrap.inp(0)), (space, space.out()))
    m.wire((wrap, wrap.inp(1)), (is_z, is_z.out()))
    zero = m.add('Number', 'Zero', 0, col=2, row=3)
    special = m.add('Equals', 'Space or Z', 3, col=3, row=3)
    m.wire((special, special.inp(0)), (x, x.out()))
    m.wire((special, special.inp(1)), (zero, zero.out()))
    m.wire((special, special.inp(2)), (z, z.out()))
    pick = m.add('Input Selector', 'Choose', 2, col=4, row=0)
    m.wire((pick, pick.inp(0)), (y, y.out()))
    m.wire((pick, pick.inp(1)), (wrap, wrap.out()))
    m.wire((pick, pick.ctl()), (special, special.out()))
    m.wire((w, w.inp()), (pick, pick.out()))
    return m


# --- Pipelined processors of the delay puzzles --------------------------------

def delay_cpu(broken=False):
    """Two stages: fetch and decode, then registers, sum and memory."""
    ops = [SETR, ADDR, SAVE]
    if broken:
        # Arith CPU's processor as it stands: fetch, decode, registers and
        # memory in one clock period, longer than an instruction may take.
        return register_cpu(ops)
    m = Machine()
    pc, dec, f, following = fetch_decode(m, ops)
    m.wire((pc, pc.inp()), following)
    m.wire((f, f.inp(0)), (dec, dec.out('op')))
    regs, wsel = register_file(m, 7)
    m.wire((wsel, wsel.ctl()), (f, f.out(3)))
    ra = read_port(m, regs, 'Source Register', 4, 0)
    rb = read_port(m, regs, 'Target Register', 4, 1)
    m.wire((ra, ra.ctl()), (f, f.out(1)))
    m.wire((rb, rb.ctl()), (f, f.out(2)))
    s = m.add('Adder', 'Register Sum', col=5, row=0)
    m.wire((s, s.inp(0)), (ra, ra.out()))
    m.wire((s, s.inp(1)), (rb, rb.out()))
    res = m.add('Op Selector', 'Register Result', ops, col=5, row=1)
    m.wire((res, res.ctl()), (f, f.out(0)))
    m.wire((res, res.inp(SETR)), (f, f.out(1)))
    m.wire((res, res.inp(ADDR)), (s, s.out()))
    m.wire((wsel, wsel.inp()), (res, res.out()))
    gate = m.add('Op Selector', 'Save Slot', ops, col=5, row=2)
    m.wire((gate, gate.ctl()), (f, f.out(0)))
    m.wire((gate, gate.inp(SAVE)), (rb, rb.out()))
    w = m.add('Writer', 'Memory Writer', col=8, row=0)
    m.wire((w, w.inp()), (ra, ra.out()))
    m.wire((w, w.ctl()), (gate, gate.out()))
    return m


def delay_jump(broken=False):
    """Three stages: fetch (following JUMPs at once), read and add, write. An
    instruction that reads the slot the one ahead of it is about to write
    takes the value being written instead."""
    ops = [MSET, ADDM, JUMP]
    m = Machine()
    # The broken twin never follows a JUMP and runs on to the next slot.
    pc, dec, f, following = fetch_decode(m, ops, True, broken)
    m.wire((pc, pc.inp()), following)
    m.wire((f, f.inp(0)), (dec, dec.out('op')))
    e = m.add('Register', 'Executed', 4, col=7, row=0)  # opcode, source, sum, destination
    value = m.add('Op Selector', 'Value to Write', ops, col=8, row=0)
    m.wire((value, value.ctl()), (e, e.out(0)))
    m.wire((value, value.inp(MSET)), (e, e.out(1)))
    m.wire((value, value.inp(ADDM)), (e, e.out(2)))
    operands = []
    for name, field in (('Source', 1), ('Target', 2)):
        slot = m.add('Reader', f'{name} Slot', col=4, row=field - 1)
        m.wire((slot, slot.ctl()), (f, f.out(field)))
        same = m.add('Equals', f'{name} Being Written', 2, col=5, row=field + 1)
        m.wire((same, same.inp(0)), (f, f.out(field)))
        m.wire((same, same.inp(1)), (e, e.out(3)))
        pick = m.add('Input Selector', f'{name} Value', 2, col=5, row=field - 1)
        m.wire((pick, pick.inp(0)), (slot, slot.out()))
        m.wire((pick, pick.inp(1)), (value, value.out()))
        m.wire((pick, pick.ctl()), (same, same.out()))
        operands.append(pick)
    s = m.add('Adder', 'Sum', col=6, row=0)
    m.wire((s, s.inp(0)), (operands[0], operands[0].out()))
    m.wire((s, s.inp(1)), (operands[1], operands[1].out()))
    for i, src in enumerate(((f, f.out(0)), (f, f.out(1)), (s, s.out()), (f, f.out(3)))):
        m.wire((e, e.inp(i)), src)
    w = m.add('Writer', 'Memory Writer', col=9, row=0)
    m.wire((w, w.inp()), (value, value.out()))
    m.wire((w, w.ctl()), (e, e.out(3)))
    return m


def delay_branch(broken=False):
    """Two stages: fetch and decode, then read, add, write and decide BMEM.
    Behind a taken BMEM the fetched instruction gets the opcode 0, which
    nothing acts on."""
    ops = [MSET, ADDM, BMEM]
    m = Machine()
    pc, dec, f, following = fetch_decode(m, ops)
    rs = m.add('Reader', 'Source Slot', col=4, row=0)
    rt = m.add('Reader', 'Target Slot', col=4, row=1)
    m.wire((rs, rs.ctl()), (f, f.out(1)))
    m.wire((rt, rt.ctl()), (f, f.out(2)))
    s = m.add('Adder', 'Sum', col=5, row=0)
    m.wire((s, s.inp(0)), (rs, rs.out()))
    m.wire((s, s.inp(1)), (rt, rt.out()))
    value = m.add('Op Selector', 'Value to Write', ops, col=6, row=0)
    m.wire((value, value.ctl()), (f, f.out(0)))
    m.wire((value, value.inp(MSET)), (f, f.out(1)))
    m.wire((value, value.inp(ADDM)), (s, s.out()))
    w = m.add('Writer', 'Memory Writer', col=7, row=0)
    m.wire((w, w.inp()), (value, value.out()))
    m.wire((w, w.ctl()), (f, f.out(3)))
    same = m.add('Equals', 'Slots Equal', 2, col=5, row=1)
    m.wire((same, same.inp(0)), (rs, rs.out()))
    m.wire((same, same.inp(1)), (rt, rt.out()))
    taken, zero = branch_taken(m, (f, f.out(0)), BMEM, (same, same.out()), 5)
    # The broken twin runs the instruction fetched behind a taken BMEM.
    branch_stage(m, pc, dec, f, following, taken, None if broken else (zero, zero.out()))
    return m


def hazard_cpu(ops, broken=None):
    """Three stages over eight registers: fetch and decode; read registers, add
    and compare; load, save and write the register back. An instruction that
    needs the register the one ahead of it is writing takes that value
    instead. JUMPs are followed when fetched; behind a taken BREQ the fetched
    instruction becomes a JUMP, which the later stages pass over."""
    m = Machine()
    pc, dec, f, following = fetch_decode(m, ops, JUMP in ops)
    regs, wsel = register_file(m, 10)
    e = m.add('Register', 'Executed', 4, col=7, row=0)  # opcode, value, address, register
    # Last stage.
    load = m.add('Reader', 'Load', col=8, row=0)
    m.wire((load, load.ctl()), (e, e.out(2)))
    result = m.add('Op Selector', 'Register Result', ops, col=8, row=1)
    m.wire((result, result.ctl()), (e, e.out(0)))
    m.wire((result, result.inp(SETR)), (e, e.out(1)))
    m.wire((result, result.inp(ADDR)), (e, e.out(1)))
    m.wire((result, result.inp(LOAD)), (load, load.out()))
    m.wire((wsel, wsel.inp()), (result, result.out()))
    m.wire((wsel, wsel.ctl()), (e, e.out(3)))
    slot = m.add('Op Selector', 'Save Slot', ops, col=8, row=2)
    m.wire((slot, slot.ctl()), (e, e.out(0)))
    m.wire((slot, slot.inp(SAVE)), (e, e.out(2)))
    w = m.add('Writer', 'Memory Writer', col=9, row=0)
    m.wire((w, w.inp()), (e, e.out(1)))
    m.wire((w, w.ctl()), (slot, slot.out()))
    # Middle stage: register reads, taking over the value being written.
    operands = []
    for name, field in (('Source', 1), ('Target', 2)):
        port = read_port(m, regs, f'{name} Register', 4, field - 1)
        m.wire((port, port.ctl()), (f, f.out(field)))
        if broken == 'no forwarding':
            # Always reads the registers, even when the instruction ahead has
            # not written its result yet.
            operands.append(port)
            continue
        same = m.add('Equals', f'{name} Being Written', 2, col=5, row=field + 1)
        m.wire((same, same.inp(0)), (f, f.out(field)))
        m.wire((same, same.inp(1)), (e, e.out(3)))
        pick = m.add('Input Selector', f'{name} Value', 2, col=5, row=field - 1)
        m.wire((pick, pick.inp(0)), (port, port.out()))
        m.wire((pick, pick.inp(1)), (result, result.out()))
        m.wire((pick, pick.ctl()), (same, same.out()))
        operands.append(pick)
    a, b = operands
    s = m.add('Adder', 'Register Sum', col=6, row=0)
    m.wire((s, s.inp(0)), (a, a.out()))
    m.wire((s, s.inp(1)), (b, b.out()))
    opcode = (f, f.out(0))
    value = m.add('Op Selector', 'Value', ops, col=6, row=1)
    m.wire((value, value.ctl()), opcode)
    m.wire((value, value.inp(SETR)), (f, f.out(1)))
    m.wire((value, value.inp(ADDR)), (s, s.out()))
    m.wire((value, value.inp(SAVE)), (a, a.out()))
    # Instructions that write no register name register -1, so nothing is
    # written back and nothing is taken over from them.
    none = m.add('Number', 'No Register', -1, col=6, row=3)
    target = m.add('Op Selector', 'Register to Write', ops, col=6, row=2)
    m.wire((target, target.ctl()), opcode)
    for op in ops:
        writes = op in (SETR, ADDR, LOAD)
        m.wire((target, target.inp(op)), (f, f.out(3)) if writes else (none, none.out()))
    for i, src in enumerate((opcode, (value, value.out()), (b, b.out()), (target, target.out()))):
        m.wire((e, e.inp(i)), src)
    if BREQ not in ops:
        m.wire((f, f.inp(0)), (dec, dec.out('op')))
        m.wire((pc, pc.inp()), following)
        return m
    same = m.add('Equals', 'Registers Equal', 2, col=6, row=4)
    m.wire((same, same.inp(0)), (a, a.out()))
    m.wire((same, same.inp(1)), (b, b.out()))
    taken, zero = branch_taken(m, opcode, BREQ, (same, same.out()), 6)
    drop_op = None  # the broken twin runs the instruction fetched behind a taken BREQ
    if broken != 'no drop':
        jump = m.add('Number', 'JUMP', JUMP, col=2, row=3)
        drop_op = (jump, jump.out())
    branch_stage(m, pc, dec, f, following, taken, drop_op)
    return m


# --- The puzzles --------------------------------------------------------------

REGISTER_OPS = {
    'Basic CPU': ([SETR, SAVE], 'save slot'),
    'Arith CPU': ([SETR, ADDR, SAVE], 'add numbers'),
    'Load CPU': ([SETR, ADDR, LOAD, SAVE], 'load slot'),
    'Jump': ([SETR, ADDR, SAVE, JUMP], 'ignore jump'),
    'Branch': ([SETR, ADDR, SAVE, JUMP, BREQ], 'compare numbers'),
    'Full CPU': ([SETR, ADDR, LOAD, SAVE, JUMP, BREQ], 'inverted branch'),
}
PUZZLES = {
    'One Instruction': one_instruction,
    'Two Instructions': two_instructions,
    'Regfile': regfile,
    'MicroCPU': micro_cpu,
    'Dereference': dereference,
    'Deref-R': deref_r,
    'Brasswick': brasswick,
    'Delay CPU': delay_cpu,
    'Delay Jump': delay_jump,
    'Delay Branch': delay_branch,
    'Reg Hazard': lambda broken=False: hazard_cpu([SETR, ADDR, LOAD, SAVE], 'no forwarding' if broken else None),
    'Finale': lambda broken=False: hazard_cpu([SETR, ADDR, LOAD, SAVE, JUMP, BREQ], 'no drop' if broken else None),
}
for _name, (_ops, _fault) in REGISTER_OPS.items():
    PUZZLES[_name] = lambda broken=False, ops=_ops, fault=_fault: register_cpu(ops, fault if broken else None)
# Puzzles simulated with module delays, whose clock period follows the machine.
AUTOMATIC_CLOCK = {'Delay CPU', 'Delay Jump', 'Delay Branch', 'Reg Hazard', 'Finale'}


def main(argv):
    if len(argv) < 2:
        print(__doc__.strip())
        return 2
    out, names = argv[1], argv[2:] or sorted(PUZZLES)
    for name in names:
        for broken, suffix in ((False, ''), (True, '-wrong')):
            machine = PUZZLES[name](broken)
            if name in AUTOMATIC_CLOCK:
                machine.clock = None
            machine.save(os.path.join(out, f'puzz-{name}{suffix}.mgrlv'))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
