# Quick start: `make demo` and `make test`. Both install what they need on a
# fresh Debian machine (as root) and build with CMake presets and Ninja.

.PHONY: all build demo check test dist fuzz bench clean

# Seconds each fuzzing harness runs in `make fuzz`; `make test` gives each a
# short smoke run so that a harness that no longer builds or runs is caught.
FUZZ_SECONDS ?= 300
FUZZ_SMOKE_SECONDS ?= 5

all: build

build:
	@scripts/install-deps.sh build
	cmake --preset dev
	cmake --build --preset dev

demo: build
	@scripts/demo.sh build/dev

# The release bundles, into build/dist: the Windows zip, the Linux tarball and
# the Debian package. The zip takes the manual's text from the Linux build.
dist:
	@scripts/install-deps.sh test
	cmake --preset win
	cmake --build --preset win
	cmake --preset dev
	cmake --build --preset dev --target binario binario-stub binario-docs
	cd build/win && cpack
	cd build/dev && cpack
	@scripts/package-vscode.sh build/dist

# The quick loop: the unit and end-to-end tests of the dev tree.
check: build
	ctest --preset dev -L 'unit|e2e'

test:
	@scripts/install-deps.sh test
	cmake --preset win
	cmake --build --preset win
	cmake --preset dev
	cmake --build --preset dev
	cd build/win && cpack
	cd build/dev && cpack
	ctest --preset dev
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan
	scripts/fuzz.sh $(FUZZ_SMOKE_SECONDS)

fuzz:
	@scripts/install-deps.sh test
	scripts/fuzz.sh $(FUZZ_SECONDS)

# Benchmarks of the compiler (never part of `make test`).
bench:
	@scripts/install-deps.sh build
	cmake --preset dev
	cmake --build --preset dev
	build/dev/bench/binario_bench
	build/dev/bench/binario_durability_bench
	scripts/bench_whole_run.sh build/dev

clean:
	rm -rf build
