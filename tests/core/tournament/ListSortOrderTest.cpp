#include "core/tournament/ListSortOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

// The player list's quicksort as it always ran, swapping the items themselves.
std::vector<int> ReferenceOrder(std::vector<int> ranks) {
  std::vector<int> order(ranks.size());
  std::iota(order.begin(), order.end(), 0);
  if (ranks.size() < 2) return order;
  std::vector<std::pair<int, int>> stapel{{0, static_cast<int>(ranks.size()) - 1}};
  const auto at = [](std::vector<int>& v, int k) -> int& { return v[static_cast<std::size_t>(k)]; };
  while (!stapel.empty()) {
    auto [l, r] = stapel.back();
    stapel.pop_back();
    while (l < r) {
      int i = l;
      int j = r;
      int p = (l + r) / 2;
      do {
        while (at(ranks, i) < at(ranks, p)) ++i;
        while (at(ranks, j) > at(ranks, p)) --j;
        if (i <= j) {
          std::swap(at(ranks, i), at(ranks, j));
          std::swap(at(order, i), at(order, j));
          if (p == i) {
            p = j;
          } else if (p == j) {
            p = i;
          }
          ++i;
          --j;
        }
      } while (i <= j);
      if (j - l > r - i) {
        stapel.emplace_back(l, j);
        l = i;
      } else {
        stapel.emplace_back(i, r);
        r = j;
      }
    }
  }
  return order;
}

// Equal keys end exactly where the quicksort always put them, whether the plain scans finish
// or the tree takes over at once; inputs range from all keys equal to all keys different.
TEST(ListSortOrder, LeavesEveryItemWhereTheListsQuicksortDoes) {
  std::mt19937 random(12);
  for (const int distinct : {1, 2, 3, 7, 40, 1000}) {
    for (int round = 0; round < 40; ++round) {
      const auto size = static_cast<std::size_t>(random() % 300);
      std::vector<int> ranks(size);
      for (int& rank : ranks) rank = static_cast<int>(random() % static_cast<unsigned>(distinct));
      if (round % 4 == 1) std::sort(ranks.begin(), ranks.end());
      if (round % 4 == 2) std::sort(ranks.rbegin(), ranks.rend());
      SCOPED_TRACE("size " + std::to_string(size) + ", distinct " + std::to_string(distinct) +
                   ", round " + std::to_string(round));
      const std::vector<int> want = ReferenceOrder(ranks);
      EXPECT_EQ(ListSortOrder(ranks), want);
      EXPECT_EQ(ListSortOrder(ranks, 0), want);
    }
  }
}

} // namespace
