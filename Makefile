# Quick start: `make demo` or `make test` on a fresh Debian 12 machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build test demo package clean asan-test tsan-test fuzz

all: build

deps:
	@tools/install-deps.sh

# Configures a new build folder only: an existing one re-runs CMake by itself when a build file changes.
configure: deps
	@test -f $(BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

demo: build
	@tools/demo.sh $(BUILD_DIR)

# A Debian package and a portable archive of the program, in $(BUILD_DIR)/package.
package: build
	cd $(BUILD_DIR) && cpack

clean:
	rm -rf $(BUILD_DIR) build-asan build-tsan build-fuzz

# Sanitizer builds live in folders of their own, instrumented at -O1 so that they stay usable.
SANITIZER_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
                  $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# The whole suite under AddressSanitizer, LeakSanitizer and UBSan.
asan-test: deps
	@test -f build-asan/CMakeCache.txt || \
	    cmake -S . -B build-asan $(SANITIZER_FLAGS) -DRYN_SANITIZE=address,undefined > /dev/null
	@cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

# The suites where two threads meet (the worker, the link, the window against the simulator)
# under ThreadSanitizer.
TSAN_TESTS = tst_modbusmaster tst_modbuslink tst_serialpty tst_mastersim tst_simlink \
             tst_mainwindowsim tst_controllerviewssim
tsan-test: deps
	@test -f build-tsan/CMakeCache.txt || \
	    cmake -S . -B build-tsan $(SANITIZER_FLAGS) -DRYN_SANITIZE=thread > /dev/null
	@cmake --build build-tsan -j $(JOBS) --target ryn-sim ryn_data $(TSAN_TESTS)
	cd build-tsan && ctest --output-on-failure -j $(JOBS) -R '^($(shell echo $(TSAN_TESTS) | tr ' ' '|'))$$'

# Fuzzing with clang's libFuzzer, each target for FUZZ_SECONDS (see tools/fuzz.sh). Only the fuzz
# targets and what they link are built, in a folder of their own.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = modbusanswer responsedecoder evdescfile settings
fuzz: deps
	@tools/install-deps.sh tools/debian-packages-fuzz.txt
	@test -f build-fuzz/CMakeCache.txt || \
	    CXX=clang++ cmake -S . -B build-fuzz $(SANITIZER_FLAGS) -DRYN_FUZZ=ON > /dev/null
	@cmake --build build-fuzz -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@tools/fuzz.sh build-fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)
