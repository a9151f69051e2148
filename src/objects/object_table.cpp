#include "objects/object_table.h"

#include "lang/names.h"
#include "lang/number.h"
#include "numout/write_number.h"
#include "objects/saveable.h"

#include <new>

namespace tovik::objects {

namespace {

bool is_system_name(std::string_view name) {
  return lang::is_system_object(std::string(name).c_str());
}

} // namespace

const GlobalObject* ObjectTable::find(std::string_view name) const {
  auto it = objects_.find(name);
  return it == objects_.end() ? nullptr : &it->second;
}

GlobalObject* ObjectTable::insert(std::string_view name) {
  auto [it, created] = objects_.try_emplace(std::string(name));
  it->second.name = it->first;
  return &it->second;
}

// Existing objects never carry system names (both operations refuse them), so the system test
// is needed only before a new object is made.
std::uint8_t ObjectTable::define_object(std::string_view name,
                                        std::shared_ptr<runner::CodeBlock> code,
                                        std::string_view text) {
  if (name.empty() || !code || code->empty() || text.empty()) return table_failed;
  try {
    auto it = objects_.find(name);
    if (it == objects_.end() && is_system_name(name)) return table_system_name;
    if (!is_definition_text(name, text) || (it == objects_.end() && !is_typed_name(name)))
      return table_failed;
    // A text that says no more than the plain value it stands beside is not kept, so the object
    // is the plain-valued variable it shows as (code files carry such texts).
    std::optional<std::string> own_text(text);
    if (is_plain_block(*code) && text == value_text(name, plain_block_value(*code)))
      own_text.reset();
    ++changes_;
    GlobalObject* object = it != objects_.end() ? &it->second : insert(name);
    object->text = std::move(own_text);
    object->code = std::move(code);
    return it != objects_.end() ? table_replaced : table_created;
  } catch (const std::bad_alloc&) {
    return table_failed;
  }
}

std::uint8_t ObjectTable::set_value(std::string_view name, double value) {
  auto it = objects_.find(name);
  if (it == objects_.end() && is_system_name(name)) return table_system_name;
  ++changes_;
  if (lang::is_error_value(value)) {
    if (it == objects_.end()) return table_nothing_removed;
    objects_.erase(it);
    return table_removed;
  }
  try {
    if (it != objects_.end()) {
      GlobalObject& object = it->second;
      object.text.reset();
      // A plain block no running frame holds is overwritten in place: assigning a variable in
      // a loop then allocates nothing.
      if (object.code && object.code.use_count() == 1 && is_plain_block(*object.code))
        store_plain_value(*object.code, value);
      else
        object.code = std::make_shared<runner::CodeBlock>(make_plain_block(value));
      return table_replaced;
    }
    if (!is_typed_name(name)) return table_failed;
    auto code = std::make_shared<runner::CodeBlock>(make_plain_block(value));
    insert(name)->code = std::move(code);
    return table_created;
  } catch (const std::bad_alloc&) {
    return table_failed;
  }
}

bool ObjectTable::remove_object(std::string_view name) {
  auto it = objects_.find(name);
  if (it == objects_.end()) return false;
  ++changes_;
  objects_.erase(it);
  return true;
}

std::string value_text(std::string_view name, double value) {
  std::string text(name);
  text += ' ';
  text += numout::number_text(value, 10);
  return text;
}

std::optional<std::string> shown_text(const GlobalObject& object) {
  if (object.text) return object.text;
  if (object.code && is_plain_block(*object.code))
    return value_text(object.name, plain_block_value(*object.code));
  return std::nullopt;
}

} // namespace tovik::objects
