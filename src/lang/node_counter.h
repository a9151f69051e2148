#pragma once
// The live count of expression-tree nodes. Every node created is counted up and every node
// destroyed counted down, so a count that is not zero between console lines shows a leak.

#include <cstdint>

namespace tovik::lang {

struct NodeCounter {
  std::int64_t live = 0;
};

} // namespace tovik::lang
