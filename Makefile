# The two set-up commands: `make run` and `make test`. Both install what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= 2
CMAKE_GEN  := -G Ninja

.PHONY: all deps build build-asan test run bench clean fuzz

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DQX_SANITIZE=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS)

build-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j$(JOBS)

# Every test of the normal build, then all of them again under ASan and UBSan (the editor's on the
# offscreen platform). The two runs follow each other, so the simulator tests of one never compete
# with those of the other; within a run they share a lock.
test: build build-asan
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)
	QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$(CURDIR)/tests/support/lsan.supp \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

run: build
	@scripts/run-with-sim.sh $(BUILD)/bin

bench: build
	@$(BUILD)/bin/qx4100-bench

# The libFuzzer harnesses in their own clang tree, each run for FUZZ_SECONDS.
$(FUZZ_BUILD)/build.ninja: | deps
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DQX_FUZZ=ON -DQX_WITH_UI=OFF

fuzz: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target qx_fuzzers
	tests/fuzz/run.sh $(FUZZ_BUILD)/bin $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
