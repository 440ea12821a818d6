# The README's two commands: `make run` and `make test`. Each installs what it
# needs on a fresh Debian 12 machine (scripts/install-deps.sh), builds and runs.
SHELL := /bin/bash
.DEFAULT_GOAL := test

.PHONY: deps check test test-linux test-win32 test-win64 test-asan test-package test-windows-zip package run bench bench-win64 screenshots format clean mutants fuzz stress compat

deps:
	@bash scripts/install-deps.sh

test: deps
	@$(MAKE) --no-print-directory check-layers test-linux test-package test-asan test-win64 test-win32 test-windows-zip

# The everyday loop: the Linux build and its tests only, a minute or less
# after a change on a built tree. make test runs these and the other presets.
check:
	@$(MAKE) --no-print-directory test-linux

# The source folders include one another downwards only, and only platform/ and
# backends/ include OS or toolkit headers. The checker tests itself first.
.PHONY: check-layers
check-layers:
	@python3 tools/check-layers.py --self-test
	@python3 tools/check-layers.py

test-linux:
	cmake --preset linux >/dev/null
	cmake --build --preset linux
	ctest --preset linux

# The packages: for Linux build/linux/package/quibra_*.deb, from the Linux
# build; for Windows build/package/QuibraD-*-windows.zip, with both programs.
package: deps
	cmake --preset linux >/dev/null
	cmake --build --preset linux
	cd build/linux && cpack -G DEB
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 --target QuibraD QuibraDcom
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 --target QuibraD QuibraDcom
	@bash scripts/package-windows.sh

# The package unpacked and run, and checked by lintian (after test-linux,
# whose build it packs).
test-package:
	@bash scripts/test-package.sh

# The Windows zip made and unpacked into a folder with a space in its name,
# its 64-bit program started from there (after both Windows builds).
test-windows-zip:
	@bash scripts/package-windows.sh --test

test-asan:
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan

# Each fuzzer of fuzz/ for FUZZ_SECONDS (default 60), in the sanitizer build
# (make test runs each for a few seconds over its corpus):
#   make fuzz [FUZZ_SECONDS=600]
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan --target error_table_fuzzer error_text_fuzzer ini_fuzzer ascii_record_fuzzer \
	  native_hook_fuzzer command_line_fuzzer
	@bash scripts/fuzz.sh build/asan $(FUZZ_SECONDS)

# The INI file's crash and sharing tests at full size (not part of make test):
# 1000 kills of a writer of a 200-entry list, and 8 processes writing 1000
# entries each to one file at once. On the optimised Linux build.
stress: deps
	cmake --preset linux >/dev/null
	cmake --build --preset linux --target runtime_tests
	QUIBRA_INI_KILLS=1000 QUIBRA_INI_KILL_ENTRIES=200 QUIBRA_INI_WRITERS=8 QUIBRA_INI_WRITER_ENTRIES=1000 \
	  build/linux/tests/runtime_tests --gtest_filter='IniCrashSafety.AWriterKilled*:IniSharing.WritersInSeveral*'

# The Windows tests run on the 64-bit build under 64-bit Wine, which every
# machine of ours can start.
test-win64:
	cmake --preset win64 >/dev/null
	cmake --build --preset win64
	ctest --preset win64
	@bash scripts/test-counts.sh build/win64

# The 32-bit program, the product: its tests run only where 32-bit Wine starts.
test-win32:
	@bash scripts/test-win32.sh

run: deps
	cmake --preset linux >/dev/null
	cmake --build --preset linux
	@bash scripts/run.sh

# The benchmarks in bench/, then the start-up of an optimised Linux program
# beside a bare Qt box and the desktop's dialog programs (bench/startup.sh).
# Only here are those dialog programs installed: make test does not need them.
bench:
	@bash scripts/install-deps.sh --bench
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	@for b in build/bench/bench/*_bench; do [ -x "$$b" ] && "$$b"; done
	cmake -S . -B build/bench-linux -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUIBRA_BACKENDS="headless;qt;terminal" \
	  -DQUIBRA_TESTS=OFF >/dev/null
	cmake --build build/bench-linux -j2 --target quibrad
	@bash bench/startup.sh build/bench-linux/src/app/quibrad
	@bash bench/terminal-first-frame.sh build/bench-linux/src/app/quibrad

# The INI functions beside the system's own profile functions, under 64-bit
# Wine (bench/windows): a list of 10,000 entries read right after it was
# written, both ways. Run as `make bench-win64 ARGS="entries rounds"`.
bench-win64: deps
	cmake --preset win64 >/dev/null
	cmake --build build/win64 -j2 --target ini_profile_bench
	@bash scripts/wine-run.sh "$(CURDIR)/build/win64/bench/windows/ini_profile_bench.exe" $(ARGS)

# Renders the windows of both desktop programs to docs/ under a virtual display
# (the Windows program as its 64-bit build, which 64-bit Wine runs anywhere).
screenshots: deps
	cmake --preset linux >/dev/null
	cmake --build --preset linux
	cmake --preset win64 >/dev/null
	cmake --build --preset win64
	@for s in scripts/screenshots-*.sh; do [ -f "$$s" ] && bash "$$s"; done

# Mutation testing of one folder (not part of make test):
#   make mutants DIR=src/framework/window [MAX=40] [SEED=1]
mutants: deps
	@test -n "$(DIR)" || { echo "make mutants: name a folder, e.g. DIR=src/framework/window" >&2; exit 2; }
	@python3 tools/mutants.py "$(DIR)" --max "$(or $(MAX),40)" --seed "$(or $(SEED),1)"

# Our command line beside zenity and kdialog (not part of make test): every row
# of tests/compat/message-boxes.tsv through the real tool and through our
# program on a virtual display, side by side, with the totals. Installs the two
# tools first; without a built program it checks the real tools against the table.
#   make compat [QUIBRAD=build/linux/src/app/quibrad] [ROWS=1-12]
compat:
	@bash scripts/compat.sh $(if $(QUIBRAD),"$(QUIBRAD)") $(if $(ROWS),--rows "$(ROWS)")

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build
