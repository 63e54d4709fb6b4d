# SPDX-License-Identifier: GPL-3.0-or-later
# Thin wrapper over CMake. `make run` installs what building and running need, builds the window
# program and starts it, then builds the two command-line tools beside it; `make test` adds what
# the tests need, builds everything and runs every test. Works with any CMake generator
# (CMAKE_GENERATOR=Ninja make test).
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
# Quiets the "Entering directory" lines of the make that CMake's Makefile generator runs; a
# generator that is not make ignores it.
MAKEFLAGS += --no-print-directory

.PHONY: all deps test-deps configure build run test install library bench screenshots format clean

all: build

deps:
	@bash scripts/install-deps

test-deps:
	@bash scripts/install-deps test

# Quiet when it works; on failure, everything CMake said.
configure: deps
	@mkdir -p $(BUILD)
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > $(BUILD)/configure.log 2>&1 || \
	  { cat $(BUILD)/configure.log; echo "make: configuring $(BUILD) failed (log above, also in $(BUILD)/configure.log)" >&2; exit 1; }

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The tests' packages come before the configure, so that CMake finds GoogleTest and Google
# Benchmark; a build without any test fails instead of passing silently. The tests run in the C
# locale, where the programs speak French whatever the user's (the tests of English ask for it).
test:
	@bash scripts/install-deps test
	@$(MAKE) build
	@cd $(BUILD) && env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
	  ctest --output-on-failure --no-tests=error -j $(JOBS)

# Builds what the window needs and starts it; the two tools are built once it is up.
run: configure
	@BUILD=$(BUILD) JOBS=$(JOBS) bash scripts/run

# Installs what `make build` builds, into the configured prefix (/usr/local unless CMAKE_FLAGS gave
# -DCMAKE_INSTALL_PREFIX), or into PREFIX=DIR: the programs, libvornel with its header, CMake
# package and pkg-config file, and the Python module in the prefix's dist-packages.
install: build
	@cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# libvornel, the Python module and the cluster command alone, with what they need (the test set):
# build/api/libvornel.so, and the package folder build/python/vornel (PYTHONPATH=build/python).
library:
	@bash scripts/install-deps test
	@$(MAKE) configure
	@cmake --build $(BUILD) -j $(JOBS) --target vornel_shared vornel_python

bench:
	@bash scripts/install-deps test bench
	@$(MAKE) configure
	@cmake --build $(BUILD) -j $(JOBS)
	@bash scripts/bench $(BUILD)

screenshots:
	@bash scripts/install-deps test screenshots
	@$(MAKE) configure
	@cmake --build $(BUILD) -j $(JOBS)
	@bash scripts/screenshots $(BUILD)

# Applies the checked-in .clang-format to every tracked C++ source.
format:
	@git ls-files -- '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD)
