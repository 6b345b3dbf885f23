# The two commands a fresh machine needs: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 300
# Built as a user would (-O3), with warnings as errors so that no warning creeps in.
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release -DKIOSK_WERROR=ON

.PHONY: all deps configure build test run bench fuzz clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@scripts/check-format
	@cd $(BUILD) && ctest --output-on-failure --no-tests=error -j $(JOBS)
	@JOBS=$(JOBS) scripts/fuzz test $(FUZZ_BUILD)

run: build
	@scripts/run-kiosk $(BUILD)/bin/kiosk

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done
	@bench/startup_compare.sh $(BUILD)

# Every fuzz target for FUZZ_SECONDS, with its runs and findings.
fuzz: deps
	@JOBS=$(JOBS) scripts/fuzz run $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
