// The undo records' side list: rings that grow, wrap and are cut from both
// ends, checked against a plain deque doing the same.
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>

#include "model/state_delta.h"
#include "model/value.h"

namespace {

TEST(DeltaExtras, KeepsEveryEntryAtItsPlaceThroughGrowthWrapsAndCutsAtBothEnds) {
  std::mt19937 random(7);
  DeltaExtras extras;
  struct Entry {
    int number;
    std::string text;  // empty: the entry has none
  };
  std::deque<Entry> model;  // the entries in use, oldest first
  std::uint32_t oldest = 0;  // the model's first place
  for (int round = 0; round < 4000; ++round) {
    const int action = static_cast<int>(random() % 10);
    if (action < 6) {
      const std::uint32_t place = extras.push();
      ASSERT_EQ(place, oldest + model.size());
      extras.at(place).value = makeNumericValue(round + 100000);
      Entry entry{round + 100000, ""};
      if (round % 3 != 0) {
        // Long texts, so moving one to a larger ring moves its own block.
        entry.text = "entry " + std::to_string(round) + (round % 2 == 0 ? std::string(40, '*') : "");
        extras.addText(place) = entry.text;
      }
      model.push_back(entry);
    } else if (action < 8 && !model.empty()) {
      const std::size_t keep = random() % model.size();
      extras.truncate(oldest + static_cast<std::uint32_t>(keep));
      model.resize(keep);
    } else if (!model.empty()) {
      const std::size_t drop = random() % (model.size() + 1);
      extras.dropBefore(oldest + static_cast<std::uint32_t>(drop));
      model.erase(model.begin(), model.begin() + static_cast<std::ptrdiff_t>(drop));
      oldest += static_cast<std::uint32_t>(drop);
    }
    ASSERT_EQ(extras.size(), model.size());
    ASSERT_EQ(extras.end(), oldest + model.size());
    for (std::size_t k = 0; k < model.size(); ++k) {
      DeltaExtras::Extra& extra = extras.at(oldest + static_cast<std::uint32_t>(k));
      ASSERT_EQ(extra.value->int_value(), model[k].number) << "round " << round;
      ASSERT_EQ(extra.text != DeltaExtras::kNoText, !model[k].text.empty()) << "round " << round;
      if (!model[k].text.empty()) {
        ASSERT_EQ(extras.text(extra), model[k].text) << "round " << round;
      }
    }
  }
  extras.clear();
  EXPECT_EQ(extras.size(), 0u);
  EXPECT_EQ(extras.bytes(), 0u);
}

TEST(DeltaExtras, ARecordOwnsWhatIsNotLastingAndTakesItBack) {
  DeltaLog log;
  DeltaSink sink = log.sink();
  std::shared_ptr<Value> fresh = makeNumericValue(1 << 20);
  Value* const freshAddress = fresh.get();
  sink.add(0, std::shared_ptr<Value>(sharedNumber(3)));
  sink.add(1, std::move(fresh));
  sink.add(2, std::shared_ptr<Value>(unpoweredValue()), std::string("the writer of the running total"));
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].kept, StateDelta::kNothingKept) << "a shared number needs no owner";
  EXPECT_NE(log[1].kept, StateDelta::kNothingKept);
  EXPECT_NE(log[2].kept, StateDelta::kNothingKept) << "a slot's text is kept";
  EXPECT_EQ(log.extras.size(), 2u);
  // The log alone keeps the fresh value alive.
  EXPECT_EQ(log.previousValue(1).get(), freshAddress);
  EXPECT_EQ(log.previousValue(1)->int_value(), 1 << 20);
  EXPECT_EQ(log.extras.text(log.extras.at(log[2].kept)), "the writer of the running total");
  std::shared_ptr<Value> back = log.extras.take(log[1]);
  EXPECT_EQ(back.get(), freshAddress);
  EXPECT_EQ(log.extras.take(log[0]), sharedNumber(3));
}

}  // namespace
