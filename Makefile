# make run   builds dist/ and starts the products under wine
# make test  installs what is missing (as root), builds everything, runs every test
# make dist  builds dist/win32 and dist/win64
# make package  builds dist/setup.exe and a zip of each dist folder
# make bench builds everything and prints every benchmark's figures
# make fuzz  runs every fuzz target FUZZ_SECONDS each (FUZZ_RUNS: until that many inputs)

BUILD ?= $(CURDIR)/build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build native win32 win64 dist package test run bench fuzz clean

all: dist

deps:
	@scripts/deps.sh

$(BUILD)/native/CMakeCache.txt:
	cmake -S . -B $(BUILD)/native $(CMAKE_FLAGS)
$(BUILD)/win32/CMakeCache.txt:
	cmake -S . -B $(BUILD)/win32 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-i686.cmake
$(BUILD)/win64/CMakeCache.txt:
	cmake -S . -B $(BUILD)/win64 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-x86_64.cmake

native: $(BUILD)/native/CMakeCache.txt
	cmake --build $(BUILD)/native -j $(JOBS)
win32: $(BUILD)/win32/CMakeCache.txt
	cmake --build $(BUILD)/win32 -j $(JOBS)
win64: $(BUILD)/win64/CMakeCache.txt
	cmake --build $(BUILD)/win64 -j $(JOBS)

build: native win32 win64

dist: win32 win64
	rm -rf dist/win32 dist/win64
	cmake --install $(BUILD)/win32 --prefix $(CURDIR)/dist/win32 >/dev/null
	cmake --install $(BUILD)/win64 --prefix $(CURDIR)/dist/win64 >/dev/null
	@echo "dist: $(CURDIR)/dist/win32 and $(CURDIR)/dist/win64"

package: dist
	BUILD=$(BUILD) scripts/package.sh

test: deps
	$(MAKE) build package
	BUILD=$(BUILD) scripts/run-tests.sh

bench: build
	BUILD=$(BUILD) scripts/run-bench.sh

FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= -1
fuzz: deps
	cmake -S fuzz -B $(BUILD)/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)/fuzz -j $(JOBS)
	BUILD=$(BUILD) FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_RUNS=$(FUZZ_RUNS) scripts/run-fuzz.sh

run: deps dist
	BUILD=$(BUILD) scripts/run.sh

clean:
	rm -rf $(BUILD) dist
