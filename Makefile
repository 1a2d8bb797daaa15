# The two commands a newcomer needs: `make run` and `make test`. Each first
# installs whatever system packages are missing.

WIN_BUILD := build/win
NATIVE_BUILD := build/native
JOBS ?= 2
# The end-to-end tests mostly wait on the real clock (31-second countdowns),
# each in a Wine prefix and on a display of its own, so more of them run at
# once than there are cores.
TEST_JOBS ?= 8

.PHONY: all deps test-deps build run test bench dist clean

all: build

deps:
	@bash scripts/install-deps.sh

# What only the tests and checks need, on top.
test-deps:
	@bash scripts/install-deps.sh test

# The shipped program (build/win/KESTRANE.exe) and the native core with its tests.
build: deps
	@JOBS=$(JOBS) bash scripts/build.sh

# Builds quietly, so that what a newcomer sees is the countdown.
run: deps
	@JOBS=$(JOBS) bash scripts/build.sh --quiet
	@bash scripts/run.sh

test: test-deps build
	@ctest --test-dir $(NATIVE_BUILD) --output-on-failure -j$(TEST_JOBS)

bench: build
	@bash scripts/bench.sh

# The release files in dist/: portable zip, installer, exe and SHA256SUMS
# (signed when KESTRANE_SIGN_PFX is set; see scripts/dist.sh).
dist: build
	@bash scripts/dist.sh

clean:
	rm -rf build dist
