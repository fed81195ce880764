#pragma once
// A big generated machine for the route checks and the display benchmarks:
// `count` modules of mixed kinds in columns 256 pixels apart and
// `wireCount` wires, most between near modules, a quarter of them with one
// to three nails. The same seed gives the same machine with any standard
// library.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "model/module_geometry.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "model/value.h"
#include "saves/profiles.h"

inline constexpr int kGeneratedMachinePuzzle = 45;  // every kind but the Multiplier allowed, no delays

// A number in [lo, hi] by Lemire's multiply-and-reject method, written out
// so the draws are the same with every standard library.
inline int generatedDraw(std::mt19937& rng, int lo, int hi) {
  const std::uint32_t range = std::uint32_t(hi - lo) + 1;
  std::uint64_t product = std::uint64_t(rng()) * range;
  if (std::uint32_t(product) < range) {
    const std::uint32_t threshold = (0u - range) % range;
    while (std::uint32_t(product) < threshold) product = std::uint64_t(rng()) * range;
  }
  return lo + int(product >> 32);
}

inline std::shared_ptr<Editor> generatedMachine(int count, int wireCount, unsigned seed) {
  activeProfile = 0;
  auto editor = std::make_shared<Editor>(kGeneratedMachinePuzzle);
  editor->machine.clear();
  std::mt19937 rng(seed);
  auto draw = [&rng](int lo, int hi) { return generatedDraw(rng, lo, hi); };
  struct Kind {
    int kind;
    int size;  // configuration of the counted kinds, 0 for the default
  };
  const Kind kinds[] = {{kNumberKind, 0},        {kAdderKind, 0},          {kSubtractKind, 0},
                        {kEqualsKind, 3},        {kLatchKind, 0},          {kRegisterKind, 3},
                        {kInputSelectorKind, 3}, {kReaderKind, 0},         {kWriterKind, 0},
                        {kDecoderKind, 0},       {kOutputSelectorKind, 2}, {kAdderKind, 0},
                        {kMultiplierKind, 0},    {kRegisterKind, 2}};
  const int columns = int(std::ceil(std::sqrt(double(count))));
  std::vector<int> columnY(std::size_t(columns), 0);
  std::vector<int> columnOf;
  for (int i = 0; i < count; ++i) {
    const int c = i % columns;
    const Kind pick = kinds[draw(0, int(std::size(kinds)) - 1)];
    auto config = pick.size > 0 ? makeNumericValue(pick.size) : defaultConfigFor(pick.kind, kGeneratedMachinePuzzle);
    if (pick.kind == kNumberKind) config = makeNumericValue(draw(0, 9));
    auto module = Module::create(pick.kind, c * 256 + 16 * draw(0, 2), columnY[std::size_t(c)], config,
                                 "m" + std::to_string(i));
    columnY[std::size_t(c)] = floorToGrid(module->y + ModuleGeometry::of(*module, false).height + 16 * draw(4, 8));
    editor->machine.push_back(module);
    columnOf.push_back(c);
  }
  const ConstContext context = editor->constContext();
  int made = 0;
  for (int attempt = 0; made < wireCount && attempt < wireCount * 50; ++attempt) {
    const int to = draw(0, count - 1);
    const bool near = draw(0, 9) < 7;
    const int from = draw(0, count - 1);
    if (from == to || (near && std::abs(columnOf[std::size_t(from)] - columnOf[std::size_t(to)]) > 2)) continue;
    Module& destination = *editor->machine[std::size_t(to)];
    Module& source = *editor->machine[std::size_t(from)];
    std::vector<Port*> inputs, results;
    for (const auto& p : destination.ports) {
      if (p->kind != kResultPort && p->source == nullptr) inputs.push_back(p.get());
    }
    for (const auto& p : source.ports) {
      if (p->kind == kResultPort) results.push_back(p.get());
    }
    if (inputs.empty() || results.empty()) continue;
    Port* in = inputs[std::size_t(draw(0, int(inputs.size()) - 1))];
    Port* out = results[std::size_t(draw(0, int(results.size()) - 1))];
    in->connect(out, context);
    if (draw(0, 3) == 0) {
      const int nails = draw(1, 3);
      for (int n = 0; n < nails; ++n) {
        const int x = (destination.x + source.x) / 2 + 16 * draw(-8, 8);
        const int y = (destination.y + source.y) / 2 + 16 * draw(-8, 8);
        in->controlPoints.push_back({floorToGrid(x) + 8, floorToGrid(y) + 8});
      }
    }
    ++made;
  }
  return editor;
}
