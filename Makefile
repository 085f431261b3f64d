# Entry points for a newcomer: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WEB_BUILD  ?= build-web
FUZZ_SECONDS ?= 300
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all deps build build-asan test test-release test-asan run clean format package
.PHONY: bench bench-web bench-web-shapes fuzz-build fuzz fuzz-smoke web

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DMORVELANDER_SANITIZE=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)

# Emscripten's optimiser runs on node and needs the acorn of Debian's node-acorn.
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs

$(WEB_BUILD)/build.ninja: | deps
	$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(WEB_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release

# The page $(WEB_BUILD)/morvelander.html and the node converter $(WEB_BUILD)/morvelander-convert.js.
web: deps $(WEB_BUILD)/build.ninja
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

# The release suite also runs the command-line tests through the node converter and the
# browser tests of the page.
test-release: build web
	cmake -S . -B $(BUILD) -DMORVELANDER_WEB_BUILD=$(CURDIR)/$(WEB_BUILD) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

test: test-release test-asan fuzz-smoke

# Benchmarks (medians of 5 runs) and the converter timed on a generated 100 000-line file.
bench: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target morvelander_bench morvelander-generate morvelander-convert
	WEB_BUILD=$(if $(wildcard $(WEB_BUILD)/morvelander-convert.js),$(WEB_BUILD)) ./bench/run-bench.sh $(BUILD)

# The page against the native converter on a generated 100 000-line file (medians of 9 runs).
bench-web: web deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target morvelander-generate morvelander-convert
	node web/bench.mjs $(WEB_BUILD)/morvelander.html $(BUILD)/cli/morvelander-convert \
	  $(BUILD)/bench/morvelander-generate

# The page on 32 MiB files of hostile shapes in Chromium and Firefox: the largest gap between
# frames and the memory against 8 times the file + 64 MiB.
bench-web-shapes: web deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target morvelander-generate
	node web/page-shapes.mjs $(WEB_BUILD)/morvelander.html $(BUILD)/bench/morvelander-generate

$(FUZZ_BUILD)/build.ninja: | deps
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DMORVELANDER_FUZZ=ON

fuzz-build: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Fuzzes the conversion and the settings file for FUZZ_SECONDS and merges the finds into the
# kept corpus of fuzz/corpus/; `make test` runs a one-minute round that keeps its finds in
# $(FUZZ_BUILD).
fuzz: fuzz-build
	./fuzz/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) --merge

fuzz-smoke: fuzz-build
	./fuzz/run-fuzz.sh $(FUZZ_BUILD) 60

run: build
	@if [ ! -d $(BUILD)/app/InBox ]; then \
	  echo "First run: putting the sample tournaments of examples/ into $(BUILD)/app/InBox"; \
	  mkdir -p $(BUILD)/app/InBox && cp examples/*.csv $(BUILD)/app/InBox/; \
	fi
	./$(BUILD)/app/Morvelander

# The Debian package, checked by lintian: $(BUILD)/morvelander_<version>_amd64.deb.
package: build
	cd $(BUILD) && cpack -G DEB
	lintian --fail-on error $(BUILD)/morvelander_*_amd64.deb

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WEB_BUILD)
