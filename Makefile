# The two entry points of the README; both go through scripts/bootstrap.
.PHONY: run test build install sanitize fuzz fuzz-long bench clean

PREFIX ?= /usr/local
# Seconds each fuzzer runs in `make fuzz` (the CI smoke run) and in `make fuzz-long`.
FUZZ_SECONDS ?= 30
FUZZ_LONG_SECONDS ?= 1200

build:
	@scripts/bootstrap

run: build
	@./build/tovik

test: build
	@cd build && ctest --output-on-failure -j2

install: build
	@cmake --install build --prefix $(PREFIX)

# One clang build (ASan + UBSan, with the libFuzzer targets) serves both targets below. The
# allocator returns null on huge requests, so the program's own out-of-memory paths are tested.
sanitize:
	@scripts/bootstrap --sanitize
	@cd build-sanitize && ASAN_OPTIONS=allocator_may_return_null=1 ctest --output-on-failure -j2

fuzz:
	@scripts/bootstrap --fuzz
	@tests/fuzz/smoke.sh build-sanitize $(FUZZ_SECONDS)

fuzz-long:
	@scripts/bootstrap --fuzz
	@tests/fuzz/smoke.sh build-sanitize $(FUZZ_LONG_SECONDS)

bench: build
	@./build/tovik_bench

clean:
	rm -rf build build-sanitize build-fuzz
