# The two entry points of the README; both go through scripts/bootstrap.
.PHONY: run test build install deb sanitize fuzz bench clean

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

# The Debian package build/tovik_<version>_<arch>.deb (CPack; its dependencies from dpkg-shlibdeps).
deb:
	@scripts/bootstrap --only tovik
	@cd build && cpack -G DEB

sanitize:
	@scripts/bootstrap --sanitize
	@cd build-sanitize && ctest --output-on-failure -j2

fuzz:
	@scripts/bootstrap --fuzz

bench: build
	@./build/tovik_bench

clean:
	rm -rf build build-sanitize build-fuzz
