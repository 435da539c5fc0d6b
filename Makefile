# Two commands for a fresh Debian machine:
#   make run    installs what is missing, builds and starts Varno
#   make test   installs what is missing, builds and runs every test, then
#               runs them again in a build with AddressSanitizer, UBSan and
#               LeakSanitizer, where the fuzzers run too
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
# The sanitizer build is made with clang, whose libFuzzer gives it the
# fuzzers; without clang it is made with g++ and has no fuzzers.
ASAN_CXX   ?= $(or $(shell command -v clang++ 2>/dev/null),g++)

.PHONY: run test deps build build-asan test-plain test-asan clean

run: deps build
	./$(BUILD)/bin/varno

test: deps test-plain test-asan

deps:
	@./tools/install-deps.sh

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

build-asan:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_CXX_COMPILER=$(ASAN_CXX) -DCMAKE_BUILD_TYPE=Debug -DVARNO_SANITIZE=ON -DVARNO_BUILD_BENCHMARKS=OFF >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-plain: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
