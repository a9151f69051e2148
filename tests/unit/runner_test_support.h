#pragma once
// Helpers for the tests of the object table and the runner: a context whose output the test
// reads back, and a small assembler for code blocks made by hand.

#include "code/emit.h"
#include "code/opcodes.h"
#include "console/console.h"
#include "context/context.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tovik::runner::testing {

// A context of its own with the output captured; no key is ever waiting unless a test says so.
class TestContext {
public:
  // The console's services are attached, as in the program.
  TestContext() : out_(open_memstream(&buffer_, &size_)) {
    ctx.out = out_;
    console::attach_console(ctx);
  }
  ~TestContext() {
    std::fclose(out_);
    std::free(buffer_);
  }
  TestContext(const TestContext&) = delete;
  TestContext& operator=(const TestContext&) = delete;

  // Everything written so far; the next call returns only what follows.
  std::string output() {
    std::fflush(out_);
    std::string text(buffer_ + taken_, size_ - taken_);
    taken_ = size_;
    return text;
  }

  Context ctx;

private:
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
  std::size_t taken_ = 0;
  std::FILE* out_;
};

// Builds a block instruction by instruction; operands little-endian as the runner reads them.
class Code {
public:
  Code& op(Op o) { return byte(byte_of(o)); }
  Code& byte(std::uint8_t b) {
    bytes.push_back(b);
    return *this;
  }
  Code& i32(std::int32_t v) {
    append_i32(bytes, v);
    return *this;
  }
  Code& f64(double v) {
    append_f64(bytes, v);
    return *this;
  }
  Code& zero_ended(std::string_view s) {
    bytes.insert(bytes.end(), s.begin(), s.end());
    return byte(0);
  }
  Code& push(double v) { return op(Op::push).f64(v); }
  Code& ret() { return op(Op::ret); }
  Code& with(Op o, std::string_view name) { return op(o).zero_ended(name); }
  Code& with(Op o, std::int32_t n) { return op(o).i32(n); }
  Code& code(Op o, std::uint8_t c) { return op(o).byte(c); }
  Code& call_n(std::string_view name, std::int32_t n) {
    return op(Op::call_n).zero_ended(name).i32(n);
  }
  Code& func(std::string_view name, const Code& body, std::string_view text) {
    op(Op::func).zero_ended(name).i32(std::int32_t(body.bytes.size()));
    bytes.insert(bytes.end(), body.bytes.begin(), body.bytes.end());
    return zero_ended(text);
  }
  std::uint32_t size() const { return std::uint32_t(bytes.size()); }
  std::shared_ptr<CodeBlock> shared() const { return std::make_shared<CodeBlock>(bytes); }

  CodeBlock bytes;
};

} // namespace tovik::runner::testing
