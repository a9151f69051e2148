# The two entry points of the README; both go through scripts/bootstrap.
.PHONY: run test build sanitize fuzz bench clean

build:
	@scripts/bootstrap

run: build
	@./build/tovik

test: build
	@cd build && ctest --output-on-failure -j2

sanitize:
	@scripts/bootstrap --sanitize
	@cd build-sanitize && ctest --output-on-failure -j2

fuzz:
	@scripts/bootstrap --fuzz

bench: build
	@./build/tovik_bench

clean:
	rm -rf build build-sanitize build-fuzz
