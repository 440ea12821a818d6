# The README's two commands: `make run` and `make test`. Each installs what it
# needs on a fresh Debian 12 machine (scripts/install-deps.sh), builds and runs.
SHELL := /bin/bash
.DEFAULT_GOAL := test

.PHONY: deps test test-linux test-win32 test-asan run bench screenshots format clean

deps:
	@bash scripts/install-deps.sh

test: deps
	@$(MAKE) --no-print-directory test-linux test-asan test-win32

test-linux:
	cmake --preset linux >/dev/null
	cmake --build --preset linux
	ctest --preset linux

test-asan:
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan

test-win32:
	cmake --preset win32 >/dev/null
	cmake --build --preset win32
	ctest --preset win32

run: deps
	cmake --preset linux >/dev/null
	cmake --build --preset linux
	@bash scripts/run.sh

bench: deps
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	@for b in build/bench/bench/*_bench; do [ -x "$$b" ] && "$$b"; done

# Renders the windows of both desktop programs to docs/ under a virtual display.
screenshots: deps
	cmake --preset linux >/dev/null
	cmake --build --preset linux
	cmake --preset win32 >/dev/null
	cmake --build --preset win32
	@for s in scripts/screenshots-*.sh; do [ -f "$$s" ] && bash "$$s"; done

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build
