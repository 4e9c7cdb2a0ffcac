# The two commands: `make play` and `make test`. Each installs what it needs first.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
WEB_BUILD ?= build-web
WEB_PORT ?= 8000
WINDOWS_BUILD ?= build-windows
JOBS ?= $(shell nproc)
CTEST_FLAGS ?= --output-on-failure

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
FUZZ_TARGETS ?= bitmap_file palette sound music key_script draw

.PHONY: play test build deps web web-serve windows sanitize valgrind fuzz bench clean

play: build
	cd $(BUILD) && ./gaiablade

# Every test twice: in the normal build, then in $(SANITIZE_BUILD) under the sanitizers. The
# web tests (label web, in the normal build only) play the web build in headless Chromium.
test: build web
	cd $(BUILD) && ctest $(CTEST_FLAGS) -j$(JOBS)
	$(MAKE) sanitize

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

deps:
	@./scripts/install-deps.sh

# The game in a browser: $(WEB_BUILD)/ becomes a static folder (the page, the program's .js and
# .wasm, the data pack made by the Linux build, the SoundFont, the synthesizer), built with
# Debian's emscripten; the npm packages come from web/package-lock.json.
web: build web/node_modules/.package-lock.json
	NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DGAIABLADE_DATA_DIR=$(abspath $(BUILD))/data
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD) -j$(JOBS)

web/node_modules/.package-lock.json: web/package.json web/package-lock.json | deps
	cd web && npm ci --no-audit --no-fund --loglevel=error

# Serves the web build on http://127.0.0.1:$(WEB_PORT)/ until Ctrl+C.
web-serve: web
	node web/serve.mjs $(WEB_BUILD) $(WEB_PORT)

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
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WEB_BUILD) $(WINDOWS_BUILD)
