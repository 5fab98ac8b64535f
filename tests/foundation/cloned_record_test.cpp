#include "foundation/cloned_record.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct MoveParams {
  int angle = 0;
  std::string name;
};

TEST(ClonedRecordTest, CopiesNeverShareTheirRecord) {
  ClonedRecord<MoveParams> first;
  first.Emplace().angle = 90;
  ClonedRecord<MoveParams> second = first;
  ASSERT_TRUE(second);
  EXPECT_NE(second.get(), first.get());
  second->angle = 45;
  EXPECT_EQ(first->angle, 90);

  ClonedRecord<MoveParams> third;
  third.Emplace(MoveParams{1, "old"});
  third = first;
  EXPECT_EQ(third->angle, 90);
  EXPECT_EQ(third->name, "");
}

TEST(ClonedRecordTest, EmptySourceLeavesTheDestinationEmpty) {
  ClonedRecord<MoveParams> empty;
  ClonedRecord<MoveParams> held;
  held.Emplace();
  held = empty;
  EXPECT_FALSE(held);
  ClonedRecord<MoveParams> copy(empty);
  EXPECT_FALSE(copy);
}

}  // namespace
