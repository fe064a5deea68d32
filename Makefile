# The two commands a newcomer needs: `make test` and `make demo`. Both install what is missing first.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= 2
# Compiler-cache keys relative to the checkout, so that every clone of the project shares the cache.
export CCACHE_BASEDIR ?= $(CURDIR)
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build test test-sanitize fuzz demo bench clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure
	$(MAKE) test-sanitize

# The C++ tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer, out-of-range float to
# integer conversions included (no module, no benchmarks).
$(SANITIZE_BUILD)/build.ninja:
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DSORVIK_SANITIZE=ON \
	  -DCMAKE_CXX_FLAGS=-fsanitize=float-cast-overflow -DSORVIK_BUILD_BINDING=OFF -DSORVIK_BUILD_BENCH=OFF \
	  $(CMAKE_FLAGS)

test-sanitize: deps $(SANITIZE_BUILD)/build.ninja
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(SANITIZE_BUILD) --output-on-failure

# libFuzzer targets (clang 16): replays the saved crash inputs, then fuzzes each target for
# FUZZ_SECONDS seconds, one after the other.
$(FUZZ_BUILD)/build.ninja:
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=clang-16 \
	  -DCMAKE_CXX_COMPILER=clang++-16 -DSORVIK_FUZZ=ON -DSORVIK_SANITIZE=ON -DSORVIK_BUILD_BINDING=OFF \
	  -DSORVIK_BUILD_BENCH=OFF

fuzz: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_command fuzz_json fuzz_strategy
	fuzz/run $(FUZZ_BUILD)/fuzz $(FUZZ_SECONDS)

# Runs the bundled example suite through the command-line runner and ends with its summary.
demo: configure
	cmake --build $(BUILD) -j $(JOBS) --target _sorvik_benchmark
	PYTHONPATH=python /usr/bin/python3 -m sorvik_benchmark run examples/suite.json --data examples/data

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD)
