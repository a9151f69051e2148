# The two entry points of the README; both go through scripts/bootstrap.
.PHONY: run test build install sanitize fuzz bench bench-micro clean

PREFIX ?= /usr/local

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

sanitize:
	@scripts/bootstrap --sanitize
	@cd build-sanitize && ctest --output-on-failure -j2

fuzz:
	@scripts/bootstrap --fuzz

# Tovik against bc, python3 and lua5.4 on the same workloads (bench/compare.py); never part of
# make test or CI. BEFORE=path/to/an/older/tovik adds it as a column. The micro-benchmarks of the
# pieces are make bench-micro.
bench:
	@scripts/bootstrap --bench
	@python3 bench/compare.py build/tovik $(if $(BEFORE),--before $(BEFORE))

bench-micro: build
	@./build/tovik_bench

clean:
	rm -rf build build-sanitize build-fuzz
