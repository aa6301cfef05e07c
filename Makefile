# make run   - install what is missing, build, start the program
# make test  - the same, then the whole test suite (headless): the normal
#              build, the sanitizer build, and a short run of each fuzzer
# make check - the normal suite alone, on the current build, and the
#              sources' format
BUILD ?= build
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test check format-check test-normal test-asan test-fuzz fuzz screenshots bench install package clean

all: build

deps:
	@./tools/install-deps

configure: deps
	@cmake --preset default >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/dovrin

test: test-normal test-asan test-fuzz

test-normal: build format-check
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

check: format-check
	@cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every C++ source as .clang-format lays it out.
format-check:
	@git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

build-fuzz-targets: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)

test-fuzz: build-fuzz-targets
	./tools/run-fuzzers build-fuzz 5

fuzz: build-fuzz-targets
	./tools/run-fuzzers build-fuzz $(FUZZ_SECONDS)

screenshots: build
	@cmake --build $(BUILD) -j $(JOBS) --target dovrin-screenshots
	$(BUILD)/bin/dovrin-screenshots screenshots-out

# The benchmarks are built only here: no test runs them.
bench:
	@./tools/install-deps bench
	@cmake --preset default -DDOVRIN_BUILD_BENCH=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target bench_app
	@$(BUILD)/bin/bench_app

install: build
	cmake --install $(BUILD)

# From a Release tree of its own; CPack strips the binaries it packs.
package: deps
	@cmake --preset package >/dev/null
	@cmake --build build-package -j $(JOBS)
	cd build-package && cpack -G DEB && ls package/*.deb

clean:
	rm -rf $(BUILD) build-asan build-fuzz build-package
