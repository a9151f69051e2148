#pragma once
// The table of global objects: user variables and functions, kept in ascending order of their
// names compared as unsigned bytes, with lookups in logarithmic time.

#include "objects/global_object.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tovik::objects {

// Result codes of `define_object` and `set_value`.
inline constexpr std::uint8_t table_failed = 0;
inline constexpr std::uint8_t table_created = 1;
inline constexpr std::uint8_t table_replaced = 2;
inline constexpr std::uint8_t table_system_name = 3;
inline constexpr std::uint8_t table_nothing_removed = 4;
inline constexpr std::uint8_t table_removed = 5;

// The text a plain-valued variable is shown and saved as: its name, a blank and its value.
std::string value_text(std::string_view name, double value);

// The text an object is shown and saved with: its own text when it has one (even when its code
// is a plain block), else the value text of a plain block, else none.
std::optional<std::string> shown_text(const GlobalObject& object);

// Byte-wise order of names, as unsigned characters; transparent so that lookups by
// string_view need no copy of the name.
struct NameOrder {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const {
    int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    return c != 0 ? c < 0 : a.size() < b.size();
  }
};

class ObjectTable {
public:
  std::size_t count() const { return objects_.size(); }

  // The object of exactly that name, or null.
  const GlobalObject* find(std::string_view name) const;

  // Goes up on every change of the table, so that a caller may keep what `find` returned (the
  // object and its block) for as long as this number stays the same.
  std::uint64_t changes() const { return changes_; }

  // 0: refused (a name no typed line could make, a text that is no definition text, no code or
  // an empty block, no memory); 3: a system name;
  // 2: an existing object got the new code and text; 1: a new object was made.
  std::uint8_t define_object(std::string_view name, std::shared_ptr<runner::CodeBlock> code,
                             std::string_view text);

  // 3: a system name; 5 or 4: the error value removed the object (5) or found none (4);
  // 2: an existing object now holds the plain value and no text; 1: a new one; 0: no memory, or
  // a new name that no typed line could make.
  std::uint8_t set_value(std::string_view name, double value);

  bool remove_object(std::string_view name);
  void clear_objects() {
    ++changes_;
    objects_.clear();
  }

  // Every object that has a text or is a plain-valued variable, in name order, with its text
  // (or its `value_text`). The visitor is called as visit(name, text, code, file).
  template <typename Visitor> void for_each_object(std::FILE* file, Visitor&& visit) const {
    for (const auto& [name, object] : objects_)
      if (std::optional<std::string> text = shown_text(object))
        visit(name, *text, *object.code, file);
  }

private:
  GlobalObject* insert(std::string_view name);

  std::map<std::string, GlobalObject, NameOrder> objects_;
  std::uint64_t changes_ = 0;
};

} // namespace tovik::objects
