# Entry points for a newcomer: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 300
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all deps build build-asan test test-release test-asan run clean format package
.PHONY: bench fuzz-build fuzz fuzz-smoke

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

test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

test: test-release test-asan fuzz-smoke

# Benchmarks (medians of 5 runs) and the converter timed on a generated 100 000-line file.
bench: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target morvelander_bench morvelander-generate morvelander-convert
	./bench/run-bench.sh $(BUILD)

$(FUZZ_BUILD)/build.ninja: | deps
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DMORVELANDER_FUZZ=ON

fuzz-build: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Fuzzes the conversion for FUZZ_SECONDS; `make test` runs a one-minute round.
fuzz: fuzz-build
	./fuzz/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

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
	rm -rf $(BUILD) $(ASAN_BUILD)
