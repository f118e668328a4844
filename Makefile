# make run   builds and starts the show (under Xvfb when there is no display)
# make test  builds and runs every test under a private Xvfb
# make bench builds and prints the benchmark table under a private Xvfb (docs/PERFORMANCE.md)

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

BUILD_PACKAGES := cmake make g++ pkg-config libsfml-dev nlohmann-json3-dev libgtest-dev \
	libgl1-mesa-dri libx11-dev
RUN_PACKAGES := xvfb xauth
TEST_PACKAGES := $(RUN_PACKAGES) xdotool

XVFB := xvfb-run -a -s "-screen 0 1920x1080x24 -noreset"

.PHONY: all build run test bench deps-build deps-run deps-test

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

# BENCH_RUNS sets the runs behind every figure (default 3).
bench: deps-build build
	@tools/install-deps.sh $(RUN_PACKAGES)
	$(XVFB) $(BUILD_DIR)/bench/orbelle-bench $(BENCH_RUNS)
