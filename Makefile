# The two entry points of the README; both go through scripts/bootstrap.
.PHONY: run test build install deb sanitize fuzz fuzz-long bench bench-micro clean

PREFIX ?= /usr/local
# Seconds each fuzzer runs in `make fuzz` (the CI smoke run) and in `make fuzz-long`.
FUZZ_SECONDS ?= 30
FUZZ_LONG_SECONDS ?= 1200

build:
	@scripts/bootstrap

# Only the calculator: the tests, benchmarks and fuzz targets wait for their own targets.
run:
	@scripts/bootstrap --only tovik
	@./build/tovik

test: build
	@cd build && ctest --output-on-failure -j2

install: build
	@cmake --install build --prefix $(PREFIX)

# The Debian package build/tovik_<version>_<arch>.deb (CPack; its dependencies from dpkg-shlibdeps).
deb:
	@scripts/bootstrap --only tovik
	@cd build && cpack -G DEB

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

# Tovik against bc, python3 and lua5.4 on the same workloads (bench/compare.py); never part of
# make test or CI. BEFORE=path/to/an/older/tovik adds it as a column. The micro-benchmarks of the
# pieces are make bench-micro.
bench:
	@scripts/bootstrap --bench
	@python3 bench/compare.py build/tovik $(if $(BEFORE),--before $(BEFORE))

bench-micro:
	@scripts/bootstrap --only tovik_bench
	@./build/tovik_bench

clean:
	rm -rf build build-sanitize build-fuzz
