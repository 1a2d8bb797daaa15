# The two commands a newcomer needs: `make run` and `make test`. Each first
# installs whatever system packages are missing.

WIN_BUILD := build/win
NATIVE_BUILD := build/native
JOBS ?= 2
# The end-to-end tests mostly wait on the real clock (31-second countdowns),
# each in a Wine prefix and on a display of its own, so more of them run at
# once than there are cores.
TEST_JOBS ?= 8

# How long `make fuzz` runs the fuzzer of the stored placement, in seconds.
FUZZ_SECONDS ?= 600

.PHONY: all deps test-deps build checks-build run test fuzz bench dist clean

all: build

deps:
	@bash scripts/install-deps.sh

# What only the tests and checks need, on top.
test-deps:
	@bash scripts/install-deps.sh test

# The shipped program (build/win/KESTRANE.exe) and the tests' Windows programs.
build: deps
	@JOBS=$(JOBS) bash scripts/build.sh

# Builds quietly, so that what a newcomer sees is the countdown.
run: deps
	@JOBS=$(JOBS) bash scripts/build.sh --quiet
	@bash scripts/run.sh

# The builds only the tests and checks need, with the test packages: the
# portable core with its unit tests and the fuzzer (clang), and clang-tidy's
# compile database.
checks-build: test-deps build
	@JOBS=$(JOBS) bash scripts/build.sh native tidy

test: test-deps build checks-build
	@ctest --test-dir $(NATIVE_BUILD) --output-on-failure -j$(TEST_JOBS)

# A long run of the fuzzer of the stored placement (make test gives it a
# short one). Inputs that fail land in build/fuzz/findings/.
fuzz: checks-build
	@bash scripts/fuzz.sh -max_total_time=$(FUZZ_SECONDS)

# A benchmark, never a test: how KESTRANE starts against its floor, with a
# verdict for each goal (docs/benchmark.md). About five minutes.
bench: build
	@bash scripts/bench.sh

# The release files in dist/: portable zip, installer, exe and SHA256SUMS
# (signed when KESTRANE_SIGN_PFX is set; see scripts/dist.sh).
dist: build
	@bash scripts/dist.sh

clean:
	rm -rf build dist
