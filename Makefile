# make run   - install what is missing, build, start the program
# make test  - the same, then the whole test suite (headless)
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test screenshots bench clean

all: build

deps:
	@./tools/install-deps

configure: deps
	@cmake --preset default >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/dovrin

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

screenshots: build
	$(BUILD)/bin/dovrin-screenshots screenshots-out

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD)
