#pragma once
// The table of global objects: user variables and functions, sorted by name.
// (Filled in by the object-table work; the console needs only the count so far.)

#include <cstddef>

namespace tovik::objects {

class ObjectTable {
public:
  std::size_t count() const { return 0; }
};

} // namespace tovik::objects
