# Two commands on a fresh machine: `make run` and `make test`.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= 2

.PHONY: all deps configure build run test test-asan bench fuzz datasets clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	@$(BUILD_DIR)/app/corvane-analyzer

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_DIR) -j$(JOBS)
	@cd $(ASAN_DIR) && ctest --output-on-failure -j$(JOBS)

bench: deps
	@scripts/install-deps --bench
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_BUILD_BENCH=ON >/dev/null
	@cmake --build $(BUILD_DIR) -j$(JOBS)
	@for b in $(BUILD_DIR)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# The readers under libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# (clang): each fuzz program runs FUZZ_SECONDS; any finding fails.
fuzz: deps
	@scripts/install-deps --fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j$(JOBS) --target fuzz_targets
	@scripts/run-fuzz $(FUZZ_DIR) $(FUZZ_SECONDS)

# Regenerates the built-in data sets (needs the generators' extra packages).
datasets:
	@scripts/make-datasets $(BUILD_DIR)

clean:
	@rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
