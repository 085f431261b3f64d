#include "core/tournament/ListSortOrder.h"

#include <bit>
#include <climits>
#include <cstddef>
#include <numeric>
#include <utility>

namespace {

// The scans of the plain quicksort, one position at a time, as long as they stay within a
// budget that ordinary inputs keep; an input built against the scheme runs out of it.
class TPlainScan {
public:
  TPlainScan(const std::vector<int>& ranks, std::size_t budget) : FRanks(ranks), FBudget(budget) {}

  // Moves i to the first position from i on whose rank is not below the pivot's.
  bool Forward(int& i, int pivot) {
    while (Rank(i) < pivot) {
      if (FBudget-- == 0) return false;
      ++i;
    }
    return true;
  }
  // Moves j to the last position up to j whose rank is not above the pivot's.
  bool Backward(int& j, int pivot) {
    while (Rank(j) > pivot) {
      if (FBudget-- == 0) return false;
      --j;
    }
    return true;
  }
  void Swapped(int, int) {}

private:
  int Rank(int pos) const { return FRanks[static_cast<std::size_t>(pos)]; }

  const std::vector<int>& FRanks;
  std::size_t FBudget;
};

// The same scans over a tree of the lowest and highest rank of every range of positions, so
// that a scan takes log n steps however far it goes.
class TTreeScan {
public:
  explicit TTreeScan(const std::vector<int>& ranks)
      : FRanks(ranks), FLeaves(std::bit_ceil(ranks.size())), FMin(2 * FLeaves, INT_MAX),
        FMax(2 * FLeaves, INT_MIN) {
    for (std::size_t k = 0; k < ranks.size(); ++k) FMin[FLeaves + k] = FMax[FLeaves + k] = ranks[k];
    for (std::size_t node = FLeaves - 1; node >= 1; --node) Pull(node);
  }

  bool Forward(int& i, int pivot) const {
    std::size_t node = FLeaves + static_cast<std::size_t>(i);
    if (FMax[node] < pivot) {
      // Up to the nearest right sibling that holds such a rank, then down to its first one.
      do {
        while (node & 1) node >>= 1;
        ++node;
      } while (FMax[node] < pivot);
      while (node < FLeaves) {
        node *= 2;
        if (FMax[node] < pivot) ++node;
      }
    }
    i = static_cast<int>(node - FLeaves);
    return true;
  }
  bool Backward(int& j, int pivot) const {
    std::size_t node = FLeaves + static_cast<std::size_t>(j);
    if (FMin[node] > pivot) {
      do {
        while ((node & 1) == 0) node >>= 1;
        --node;
      } while (FMin[node] > pivot);
      while (node < FLeaves) {
        node = 2 * node + 1;
        if (FMin[node] > pivot) --node;
      }
    }
    j = static_cast<int>(node - FLeaves);
    return true;
  }
  void Swapped(int i, int j) {
    Set(static_cast<std::size_t>(i));
    Set(static_cast<std::size_t>(j));
  }

private:
  void Pull(std::size_t node) {
    FMin[node] = std::min(FMin[2 * node], FMin[2 * node + 1]);
    FMax[node] = std::max(FMax[2 * node], FMax[2 * node + 1]);
  }
  void Set(std::size_t pos) {
    std::size_t node = FLeaves + pos;
    FMin[node] = FMax[node] = FRanks[pos];
    for (node >>= 1; node >= 1; node >>= 1) Pull(node);
  }

  const std::vector<int>& FRanks;
  std::size_t FLeaves;
  std::vector<int> FMin;
  std::vector<int> FMax;
};

// The list's quicksort: middle pivot, both scans stop at keys equal to it, the smaller part
// is sorted first and the larger one kept on a stack. False when the scan gave up.
template <class TScan>
bool QuickSort(std::vector<int>& ranks, std::vector<int>& order, TScan& scan) {
  std::vector<std::pair<int, int>> stapel{{0, static_cast<int>(ranks.size()) - 1}};
  while (!stapel.empty()) {
    auto [l, r] = stapel.back();
    stapel.pop_back();
    while (l < r) {
      int i = l;
      int j = r;
      // The pivot item moves with the swaps, but its rank is what the scans compare with.
      const int pivot = ranks[static_cast<std::size_t>(l + (r - l) / 2)];
      do {
        if (!scan.Forward(i, pivot) || !scan.Backward(j, pivot)) return false;
        if (i <= j) {
          std::swap(ranks[static_cast<std::size_t>(i)], ranks[static_cast<std::size_t>(j)]);
          std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(j)]);
          scan.Swapped(i, j);
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
  return true;
}

} // namespace

std::vector<int> ListSortOrder(std::vector<int> ranks) {
  const std::size_t plainSteps = 8 * ranks.size() * std::bit_width(ranks.size());
  return ListSortOrder(std::move(ranks), plainSteps);
}

std::vector<int> ListSortOrder(std::vector<int> ranks, std::size_t plainSteps) {
  std::vector<int> order(ranks.size());
  std::iota(order.begin(), order.end(), 0);
  if (ranks.size() < 2) return order;

  std::vector<int> plainRanks = ranks;
  std::vector<int> plainOrder = order;
  TPlainScan plain(plainRanks, plainSteps);
  if (QuickSort(plainRanks, plainOrder, plain)) return plainOrder;

  TTreeScan tree(ranks);
  QuickSort(ranks, order, tree);
  return order;
}
