# The two commands a newcomer needs: `make run` and `make test`. Each first
# installs whatever system packages are missing.

WIN_BUILD := build/win
NATIVE_BUILD := build/native
JOBS ?= 2

.PHONY: all deps build run test bench clean

all: build

deps:
	@bash scripts/install-deps.sh

# The shipped program (build/win/KESTRANE.exe) and the native core with its tests.
build: deps
	@cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(WIN_BUILD) -j$(JOBS)
	@cmake -S . -B $(NATIVE_BUILD) -DCMAKE_BUILD_TYPE=Debug \
	  -DKESTRANE_WIN_BUILD_DIR=$(CURDIR)/$(WIN_BUILD) >/dev/null
	@cmake --build $(NATIVE_BUILD) -j$(JOBS)

run: build
	@bash scripts/run.sh

test: build
	@ctest --test-dir $(NATIVE_BUILD) --output-on-failure -j$(JOBS)

bench: build
	@bash scripts/bench.sh

clean:
	rm -rf build
