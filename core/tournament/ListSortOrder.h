#pragma once

#include <cstddef>
#include <vector>

// The order in which the player list's quicksort leaves items of the given ranks (equal ranks
// for equal sort keys): element k of the result is the index of the item that ends at
// position k. Items with equal keys end in exactly the order that quicksort gives them, for
// which stored reports rely on it; the cost stays within n log^2 n for every input, also for
// an order built against the partition scheme: the plain scans take at most `plainSteps`
// steps (by default eight times n log2 n, which ordinary inputs never need) before a tree of
// the ranks takes over and starts again.
std::vector<int> ListSortOrder(std::vector<int> ranks);
std::vector<int> ListSortOrder(std::vector<int> ranks, std::size_t plainSteps);
