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
FUZZ_TARGETS ?= bitmap_file palette sound music key_script demo draw

DEB_BUILD ?= build-deb
RELEASE_DIR ?= dist

.PHONY: play test game build deps web web-serve windows deb deb-test release sanitize valgrind fuzz bench clean

play: game
	cd $(BUILD) && ./gaiablade

# Every test twice: in the normal build, then in $(SANITIZE_BUILD) under the sanitizers. The
# web tests (label web, in the normal build only) play the web build in headless Chromium.
test: build web
	cd $(BUILD) && ctest $(CTEST_FLAGS) -j$(JOBS) -LE "package|release"
	$(MAKE) sanitize

# What playing needs: the game and its data pack, from the play group of packages alone. A
# fresh $(BUILD) is configured without the tests and benchmarks; one that make test configured
# keeps them.
game: deps-play
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  $(if $(wildcard $(BUILD)/CMakeCache.txt),,-DGAIABLADE_TESTS=OFF -DGAIABLADE_BENCH=OFF)
	cmake --build $(BUILD) -j$(JOBS) --target gaiablade

# Everything of the Linux build: the game, the tools, the tests and the benchmarks.
build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGAIABLADE_TESTS=ON -DGAIABLADE_BENCH=ON
	cmake --build $(BUILD) -j$(JOBS)

# The package groups of scripts/install-deps.sh: deps has all that make test uses.
deps:
	@./scripts/install-deps.sh play test web windows wine
deps-%:
	@./scripts/install-deps.sh $*

# The game in a browser: $(WEB_BUILD)/ becomes a static folder (the page, the program's .js and
# .wasm, the data pack made by the Linux build, the SoundFont, the synthesizer), built with
# Debian's emscripten; the npm packages come from web/package-lock.json.
web: game deps-web web/node_modules/.package-lock.json
	NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DGAIABLADE_DATA_DIR=$(abspath $(BUILD))/data
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD) -j$(JOBS)

web/node_modules/.package-lock.json: web/package.json web/package-lock.json | deps-web
	cd web && npm ci --no-audit --no-fund --loglevel=error

# Serves the web build on http://127.0.0.1:$(WEB_PORT)/ until Ctrl+C.
web-serve: web
	node web/serve.mjs $(WEB_BUILD) $(WEB_PORT)

# The Windows program and gaiablade-VERSION-windows.zip in $(WINDOWS_BUILD), cross-compiled; the data
# pack comes from $(BUILD). (make test builds it too, in $(BUILD)/windows, for the Wine tests.)
windows: game deps-windows
	./scripts/build-windows.sh $(BUILD) $(WINDOWS_BUILD) $(JOBS)

# The Debian package, $(DEB_BUILD)/gaiablade_VERSION_amd64.deb, checked by lintian.
deb: deps-play deps-package
	./scripts/make-deb.sh $(DEB_BUILD) $(JOBS)

# The package installed, played and removed in a clean Debian 12 chroot (label package; as
# root, with the package archive; the chroot is made once and kept in $(BUILD)/chroot/).
deb-test: deb build
	cd $(BUILD) && ctest $(CTEST_FLAGS) -L package

# A release in $(RELEASE_DIR): the package, the Windows zip, the web zip, the source tarball and
# SHA256SUMS, then each file tested as its user meets it (labels package and release, as root).
release: deb windows web build deps-package
	./scripts/make-release.sh $(RELEASE_DIR) $(BUILD) $(DEB_BUILD) $(WINDOWS_BUILD) $(WEB_BUILD)
	cmake -S . -B $(BUILD) -DGAIABLADE_RELEASE_DIR=$(abspath $(RELEASE_DIR))
	cd $(BUILD) && ctest $(CTEST_FLAGS) -L "package|release"

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
fuzz: game deps-fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DGAIABLADE_FUZZ=ON -DGAIABLADE_TESTS=OFF -DGAIABLADE_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target $(addsuffix _fuzz,$(FUZZ_TARGETS))
	for t in $(FUZZ_TARGETS); do ./fuzz/run.sh $(FUZZ_BUILD) $$t $(FUZZ_SECONDS) $(BUILD)/data || exit 1; done

bench: build
	for b in $(BUILD)/*_bench; do $$b; done

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WEB_BUILD) $(WINDOWS_BUILD) $(DEB_BUILD)
	rm -f $(RELEASE_DIR)/gaiablade[_-]* $(RELEASE_DIR)/SHA256SUMS
