# Front door of the build. Every target installs what it needs first.
JOBS ?= $(shell nproc)
TEST_DIR := build/test
BENCH_DIR := build/bench

.PHONY: test bench run deps format clean

test:
	scripts/install-deps.sh test
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON -DQUORVEL_TESTS=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	scripts/check-format.sh
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

bench:
	scripts/install-deps.sh bench
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	scripts/run-benchmarks.sh $(BENCH_DIR)

run:
	scripts/run.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
