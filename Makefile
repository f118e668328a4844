# make run   builds and starts the show (under Xvfb when there is no display)
# make test  builds and runs every test under a private Xvfb
# make bench builds and prints the benchmark table under a private Xvfb (docs/PERFORMANCE.md)
# make test-sanitize  the same tests built with AddressSanitizer and UBSan (build-asan)
# make fuzz  runs each libFuzzer target for FUZZ_RUNS inputs (build-fuzz)
# make memcheck  runs a short show under valgrind memcheck

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

BUILD_PACKAGES := cmake make g++ pkg-config libsfml-dev nlohmann-json3-dev libgtest-dev \
	libgl1-mesa-dri libx11-dev
RUN_PACKAGES := xvfb xauth
TEST_PACKAGES := $(RUN_PACKAGES) xdotool
FUZZ_PACKAGES := $(RUN_PACKAGES) clang-14 libclang-rt-14-dev llvm-14
MEMCHECK_PACKAGES := $(TEST_PACKAGES) valgrind imagemagick sox

XVFB := xvfb-run -a -s "-screen 0 1920x1080x24 -noreset"

.PHONY: all build run test bench deps-build deps-run deps-test test-sanitize fuzz memcheck \
	deps-fuzz deps-memcheck

all: build

deps-build:
	@tools/install-deps.sh $(BUILD_PACKAGES)

deps-run: deps-build
	@if [ -z "$$DISPLAY" ]; then tools/install-deps.sh $(RUN_PACKAGES); fi

deps-test: deps-build
	@tools/install-deps.sh $(TEST_PACKAGES)

build: deps-build
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: deps-run build
	@if [ -z "$$DISPLAY" ]; then \
		echo "No display: running the show under Xvfb."; \
		$(XVFB) $(BUILD_DIR)/orbelle; \
	else \
		$(BUILD_DIR)/orbelle; \
	fi

test: deps-test build
	$(XVFB) ctest --test-dir $(BUILD_DIR) --output-on-failure

# Sanitizer runs. The options reach every process the tests start, the real program included;
# tests/lsan.supp lists the only leak reports allowed, each with its reason.
SANITIZE_DIR ?= build-asan
SANITIZE_ENV := ASAN_OPTIONS=check_initialization_order=1:strict_init_order=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

test-sanitize: deps-test
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DORBELLE_SANITIZE=ON \
		-DORBELLE_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	$(SANITIZE_ENV) $(XVFB) ctest --test-dir $(SANITIZE_DIR) --output-on-failure

FUZZ_DIR ?= build-fuzz
FUZZ_RUNS ?= 20000
# The leak suppressions name functions, so clang's runtime needs its symbolizer to match them.
FUZZ_SYMBOLIZER := ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
FUZZ_TARGETS := fuzz_config fuzz_textures fuzz_sprites fuzz_sounds

deps-fuzz: deps-build
	@tools/install-deps.sh $(FUZZ_PACKAGES)

fuzz: deps-fuzz
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_CXX_COMPILER=clang++-14 \
		-DORBELLE_FUZZ=ON -DORBELLE_TESTS=OFF -DORBELLE_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(FUZZ_TARGETS)
	$(SANITIZE_ENV) $(FUZZ_SYMBOLIZER) $(XVFB) tools/fuzz.sh $(FUZZ_DIR) $(FUZZ_RUNS) $(FUZZ_TARGETS)

deps-memcheck: deps-build
	@tools/install-deps.sh $(MEMCHECK_PACKAGES)

# MEMCHECK_SECONDS of show before Escape; about 240 reach the first bounces under memcheck.
MEMCHECK_SECONDS ?= 20

memcheck: deps-memcheck build
	tools/memcheck.sh $(BUILD_DIR)/orbelle $(MEMCHECK_SECONDS)

# BENCH_RUNS sets the runs behind every figure (default 3).
bench: deps-build build
	@tools/install-deps.sh $(RUN_PACKAGES)
	$(XVFB) $(BUILD_DIR)/bench/orbelle-bench $(BENCH_RUNS)
