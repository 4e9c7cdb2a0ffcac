# The two commands: `make play` and `make test`. Each installs what it needs first.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)
CTEST_FLAGS ?= --output-on-failure

.PHONY: play test build deps sanitize bench clean

play: build
	cd $(BUILD) && ./gaiablade

test: build
	cd $(BUILD) && ctest $(CTEST_FLAGS) -j$(JOBS)

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

deps:
	@./scripts/install-deps.sh

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DGAIABLADE_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && ctest $(CTEST_FLAGS) -j$(JOBS)

bench: build
	for b in $(BUILD)/*_bench; do $$b; done

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
