# Thin wrapper over CMake. `make run` starts the program, `make test` builds and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench clean screenshots

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

run: build
	@bash scripts/run

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@bash scripts/bench $(BUILD)

screenshots: build
	@bash scripts/screenshots $(BUILD)

clean:
	@rm -rf $(BUILD)
