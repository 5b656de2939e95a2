#include "app/history_list.h"

#include <gtest/gtest.h>

namespace orvano::app {
namespace {

using Items = std::vector<std::string>;

TEST(HistoryListTest, NewestFirstWithoutDuplicates) {
  HistoryList list;
  list.Add("/t/a.raw");
  list.Add("/t/b.raw");
  list.Add("/t/a.raw");
  EXPECT_EQ(list.Items(), (Items{"/t/a.raw", "/t/b.raw"}));
}

TEST(HistoryListTest, EmptyTextIsNotKept) {
  HistoryList list;
  list.Add("");
  EXPECT_TRUE(list.Items().empty());
}

TEST(HistoryListTest, FullListDropsTheOldest) {
  HistoryList list;
  for (std::size_t n = 0; n <= HistoryList::kCapacity; ++n) list.Add("f" + std::to_string(n));
  ASSERT_EQ(list.Items().size(), HistoryList::kCapacity);
  EXPECT_EQ(list.Items().front(), "f" + std::to_string(HistoryList::kCapacity));
  EXPECT_EQ(list.Items().back(), "f1");
}

}  // namespace
}  // namespace orvano::app
