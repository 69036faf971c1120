# Front door of the build. Every target installs what it needs first.
JOBS ?= $(shell nproc)
TEST_DIR := build/test
RELEASE_DIR := build/release
BENCH_DIR := build/bench
CLANG_DIR := build/clang
FUZZ_DIR := build/fuzz
TSAN_DIR := build/tsan
FUZZ_SECONDS ?= 60
# The test build compiles the benchmarks too (without running them), so an
# interface change that breaks one breaks `make test`.
TEST_CONFIG := -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON -DQUORVEL_TESTS=ON -DQUORVEL_BENCH=ON
# The same suite built as the program ships (optimised, no sanitizers):
# timing that only the sanitizers' slowness hid shows here.
RELEASE_CONFIG := -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=ON -DQUORVEL_BENCH=ON
ifneq ($(shell command -v ccache),)
TEST_CONFIG += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
RELEASE_CONFIG += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
endif

.PHONY: test soak test-build test-release check bench run format clean

test: test-build
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS) -LE soak

# The long runs (label soak): the large sizes of the stream, kill and
# number-formatting tests.
soak: test-build
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS) -L soak

# The quick checks come first: a format slip or a wrong include fails in
# seconds, before anything is compiled.
test-build: check
	scripts/install-deps.sh test
	cmake -S . -B $(TEST_DIR) $(TEST_CONFIG)
	cmake --build $(TEST_DIR) -j $(JOBS)

test-release: check
	scripts/install-deps.sh test
	cmake -S . -B $(RELEASE_DIR) $(RELEASE_CONFIG)
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	cd $(RELEASE_DIR) && ctest --output-on-failure -j $(JOBS) -LE soak

check:
	scripts/install-deps.sh check
	scripts/check-format.sh
	scripts/check-tree.py

bench:
	scripts/install-deps.sh bench
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	scripts/run-benchmarks.sh $(BENCH_DIR)

# The whole tree (libraries, tests, simulators, benchmarks, fuzz targets
# under the replay driver) with the second compiler; builds, runs nothing.
.PHONY: clang
clang:
	scripts/install-deps.sh clang
	cmake -S . -B $(CLANG_DIR) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	      -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=ON -DQUORVEL_BENCH=ON
	cmake --build $(CLANG_DIR) -j $(JOBS)

# The suite as `make test` runs it, under ThreadSanitizer (not run by CI).
# Every process writes its reports to one folder, the simulators and the
# program the end-to-end tests start included, whose output no test shows:
# a report anywhere fails the run, and the first one stops its process.
TSAN_REPORTS := $(abspath $(TSAN_DIR))/reports
.PHONY: tsan
tsan: check
	scripts/install-deps.sh tsan
	cmake -S . -B $(TSAN_DIR) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	      -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_TSAN=ON -DQUORVEL_TESTS=ON -DQUORVEL_BENCH=OFF
	cmake --build $(TSAN_DIR) -j $(JOBS)
	rm -rf $(TSAN_REPORTS) && mkdir -p $(TSAN_REPORTS)
	cd $(TSAN_DIR) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 log_path=$(TSAN_REPORTS)/tsan" \
	    ctest --output-on-failure -j $(JOBS) -LE soak; status=$$?; \
	    if [ -n "$$(ls -A $(TSAN_REPORTS))" ]; then \
	      cat $(TSAN_REPORTS)/*; echo "ThreadSanitizer reports: $(TSAN_REPORTS)"; exit 1; \
	    fi; exit $$status

# Every fuzz target with libFuzzer, ASan and UBSan, each run FUZZ_SECONDS.
.PHONY: fuzz
fuzz:
	scripts/install-deps.sh fuzz
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_SANITIZE=ON -DQUORVEL_FUZZ=ON \
	      -DQUORVEL_TESTS=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

run:
	SCALE=$(SCALE) scripts/run.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
