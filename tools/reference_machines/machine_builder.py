"""Builds machine files (.mgrlv, version 0.08) from modules wired by port role.

Modules are laid out in columns: each module names its column, and the modules
of one column are stacked top to bottom in row order with room between them.
"""

KINDS = {
    'Number': 1, 'Adder': 2, 'Latch': 3, 'Writer': 4, 'Reader': 5, 'Instruction Decoder': 6,
    'Input Selector': 7, 'Output Selector': 8, 'Equals': 9, 'Subtract': 10, 'Op Selector': 11,
    'Register': 12, 'Multiplier': 13,
}
MNEMONICS = ['NOOP', 'SETR', '0MEM', 'MSET', 'ADDR', 'ADDM', 'LOAD', 'SAVE', 'JUMP', 'BREQ', 'MULT',
             'LDAC', 'ADAC', 'SVAC', 'BAKP', 'RSTR', 'BMEM', 'DIVI', 'GRTR']
# Delays in mTicks; the selectors take as long as their configured count.
DELAYS = {'Number': 0, 'Adder': 3, 'Latch': 2, 'Writer': 12, 'Reader': 12, 'Instruction Decoder': 4,
          'Equals': 1, 'Subtract': 3, 'Op Selector': 1, 'Register': 2, 'Multiplier': 8}
CLOCKED = ('Latch', 'Writer', 'Register')
COUNTED = ('Input Selector', 'Output Selector', 'Equals', 'Register')  # configured with a count
DECODER_FIELDS = ('op', 'src', 'trg', 'dst')
COLUMN_WIDTH = 288
GAP = 64


class Module:
    def __init__(self, kind, name, config, col, row):
        self.kind, self.name, self.config, self.col, self.row = kind, name, config, col, row
        self.links = {}  # destination port index -> (source module, source port index)

    def count(self):
        return len(self.config) if self.kind == 'Op Selector' else self.config

    def inputs(self):
        if self.kind in ('Input Selector', 'Op Selector', 'Equals', 'Register'):
            return self.count()
        return {'Number': 0, 'Reader': 0, 'Adder': 2, 'Subtract': 2, 'Multiplier': 2}.get(self.kind, 1)

    def controls(self):
        return 1 if self.kind in ('Writer', 'Reader', 'Input Selector', 'Output Selector', 'Op Selector') else 0

    def outputs(self):
        if self.kind in ('Output Selector', 'Register'):
            return self.count()
        return {'Writer': 0, 'Instruction Decoder': 4}.get(self.kind, 1)

    def port_count(self):
        return self.inputs() + self.controls() + self.outputs()

    # Ports by role, as indexes into the module's port list (inputs, controls, results).
    def inp(self, i=0):
        """Input i; for an Op Selector, the input of opcode i."""
        index = self.config.index(i) if self.kind == 'Op Selector' else i
        assert 0 <= index < self.inputs(), (self.name, i)
        return index

    def ctl(self):
        assert self.controls(), self.name
        return self.inputs()

    def out(self, i=0):
        """Result i; an Instruction Decoder's results may be named by DECODER_FIELDS."""
        index = DECODER_FIELDS.index(i) if isinstance(i, str) else i
        assert 0 <= index < self.outputs(), (self.name, i)
        return self.inputs() + self.controls() + index

    def delay(self):
        return self.config if self.kind in ('Input Selector', 'Output Selector') else DELAYS[self.kind]

    def height(self):
        """The module's height on the board, as the editor lays it out."""
        if self.kind == 'Number':
            return 48
        return 48 * max(self.inputs(), self.outputs(), 1) + 80 + (32 if self.controls() else 0)

    def config_text(self):
        if self.kind == 'Number' or self.kind in COUNTED:
            return f'3 {self.config}'
        if self.kind == 'Op Selector':
            return '9 ' + ','.join(f'{MNEMONICS[op]} ({op})' for op in self.config)
        return None


class Machine:
    def __init__(self):
        self.modules = []
        # None: the automatic period of the delay puzzles, the longest delay + 1.
        self.clock = 1

    def add(self, kind, name, config=None, col=0, row=0):
        assert kind in KINDS, kind
        assert len(name) <= 21 and all(m.name != name for m in self.modules), name
        if kind == 'Number':
            assert -15 <= config <= 16, config
        elif kind == 'Equals':
            assert 2 <= config <= 8, config
        elif kind in COUNTED:
            assert 1 <= config <= 8, config
        elif kind == 'Op Selector':
            config = sorted(config)  # a placed Op Selector lists the puzzle's opcodes in order
        else:
            assert config is None, (kind, config)
        module = Module(kind, name, config, col, row)
        self.modules.append(module)
        return module

    def wire(self, dst, src):
        """dst and src are (module, port index) pairs; dst an input or control."""
        (to, port), (source, source_port) = dst, src
        assert port not in to.links, (to.name, port)
        assert 0 <= port < to.inputs() + to.controls(), (to.name, port)
        assert source.inputs() + source.controls() <= source_port < source.port_count(), (source.name, source_port)
        to.links[port] = (source, source_port)

    def longest_delay(self):
        """The longest chain of delays; clocked modules start fresh chains."""
        memo, stack = {}, set()

        def through(module):
            if id(module) in memo:
                return memo[id(module)]
            if id(module) in stack:
                return 0
            stack.add(id(module))
            best = max([0 if s.kind in CLOCKED else through(s) for s, _ in module.links.values()] or [0])
            stack.discard(id(module))
            memo[id(module)] = best + module.delay()
            return memo[id(module)]

        return max([through(m) for m in self.modules if m.links] or [0])

    def text(self):
        number = {id(m): i for i, m in enumerate(self.modules)}
        tops, position = {}, {}
        for m in sorted(self.modules, key=lambda m: (m.col, m.row)):
            y = tops.get(m.col, 0)
            position[id(m)] = (m.col * COLUMN_WIDTH, y)
            tops[m.col] = y + m.height() + GAP
        clock = self.clock if self.clock is not None else min(max(self.longest_delay() + 1, 1), 64)
        lines = ['0451', '0.08', '-CLOCK PERIOD START-', str(clock), '-CLOCK PERIOD END-']
        for i, m in enumerate(self.modules):
            x, y = position[id(m)]
            lines += [f'-MODULE {i} START-', f'{KINDS[m.kind]} ({m.kind})', f'{x},{y}', f'NAME: {m.name}']
            for port in sorted(m.links):
                source, source_port = m.links[port]
                lines.append(f'port #{port} <- module #{number[id(source)]} port #{source_port}')
            config = m.config_text()
            if config is not None:
                lines += ['-CONFIG START-', config, '-CONFIG END-']
            lines.append(f'-MODULE {i} END-')
        return '\n'.join(lines) + '\n'

    def save(self, path):
        with open(path, 'w') as f:
            f.write(self.text())
