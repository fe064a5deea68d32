# The two commands a newcomer needs: `make test` and `make demo`. Both install what is missing first.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= 2

.PHONY: all deps configure build test demo bench clean

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

# Runs the bundled example suite through the command-line runner and ends with its summary.
demo: configure
	cmake --build $(BUILD) -j $(JOBS) --target _sorvik_benchmark
	PYTHONPATH=python /usr/bin/python3 -m sorvik_benchmark run examples/suite.json --data examples/data

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD)
