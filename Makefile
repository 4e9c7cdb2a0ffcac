# The two commands: `make play` and `make test`. Each installs what it needs first.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
WINDOWS_BUILD ?= build-windows
JOBS ?= $(shell nproc)
CTEST_FLAGS ?= --output-on-failure

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
FUZZ_TARGETS ?= bitmap_file palette sound music key_script

.PHONY: play test build deps windows sanitize valgrind fuzz bench clean

play: build
	cd $(BUILD) && ./gaiablade

# Every test twice: in the normal build, then in $(SANITIZE_BUILD) under the sanitizers.
test: build
	cd $(BUILD) && ctest $(CTEST_FLAGS) -j$(JOBS)
	$(MAKE) sanitize

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

deps:
	@./scripts/install-deps.sh

# The Windows program and gaiablade-windows.zip in $(WINDOWS_BUILD), cross-compiled; the data
# pack comes from $(BUILD). (make test builds it too, in $(BUILD)/windows, for the Wine tests.)
windows: build
	./scripts/build-windows.sh $(BUILD) $(WINDOWS_BUILD) $(JOBS)

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DGAIABLADE_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && ctest $(CTEST_FLAGS) -j$(JOBS)

# The memory checker over a short headless game (also part of the normal build's tests).
valgrind: build
	cd $(BUILD) && ctest $(CTEST_FLAGS) -L valgrind

# The fuzzing harnesses, built with clang and the sanitizers, each run for FUZZ_SECONDS at the
# lowest priority with seeds from the data pack in $(BUILD)/data; findings stop the run.
fuzz: build
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DGAIABLADE_FUZZ=ON -DGAIABLADE_TESTS=OFF -DGAIABLADE_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target $(addsuffix _fuzz,$(FUZZ_TARGETS))
	for t in $(FUZZ_TARGETS); do ./fuzz/run.sh $(FUZZ_BUILD) $$t $(FUZZ_SECONDS) $(BUILD)/data || exit 1; done

bench: build
	for b in $(BUILD)/*_bench; do $$b; done

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)
