# Miravo: `make run` starts the editor under Wine, `make test` builds and tests everything.
# Both install what is missing first (Debian packages, the Windows builds of the libraries).
#   B=<folder>      build root (default build): native, win64, deps and the Wine session live there
#   DEPS=<folder>   cache of the Windows libraries (default $(B)/deps)
#   DIST=<folder>   where `make dist` puts the installer and the zip (default dist)

B ?= build
DEPS ?= $(B)/deps
NATIVE := $(B)/native
WIN64 := $(B)/win64
TSAN := $(B)/tsan
DIST ?= dist
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 20
CTEST_FLAGS ?= --output-on-failure -j $(JOBS)

.PHONY: all setup packages deps native win64 dist test test-native test-win64 test-tsan run fuzz bench format clean

all: native win64

packages:
	@cmake/setup-packages.sh

deps: packages
	@cmake/build-deps.sh $(DEPS)

setup: packages deps

$(NATIVE)/build.ninja:
	@$(MAKE) --no-print-directory packages
	cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

$(WIN64)/build.ninja:
	@$(MAKE) --no-print-directory deps
	cmake -S . -B $(WIN64) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DMIRAVO_DEPS_PREFIX=$(abspath $(DEPS))/win64

native: packages $(NATIVE)/build.ninja
	cmake --build $(NATIVE) -j $(JOBS)

win64: deps $(WIN64)/build.ninja
	cmake --build $(WIN64) -j $(JOBS)

# Miravo-<version>-x64.msi and .zip from the win64 build (only the packed programs are built).
dist: deps $(WIN64)/build.ninja
	cmake --build $(WIN64) --target miravo_dist
	mkdir -p $(DIST)
	rm -f $(DIST)/Miravo-*-x64.msi $(DIST)/Miravo-*-x64.zip
	cp $(WIN64)/dist/Miravo-*-x64.msi $(WIN64)/dist/Miravo-*-x64.zip $(DIST)/
	@ls -l $(DIST)

test-native: native
	ctest --test-dir $(NATIVE) $(CTEST_FLAGS)

test-win64: win64
	ctest --test-dir $(WIN64) $(CTEST_FLAGS)

# The sound engine's streaming threads and the chart's two-thread repaint under ThreadSanitizer,
# in a tree of their own (gcc: the clang tree instruments for fuzzing, whose counters TSan would
# report as races).
$(TSAN)/build.ninja:
	@$(MAKE) --no-print-directory packages
	cmake -S . -B $(TSAN) -G Ninja -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DMIRAVO_SANITIZE=thread

test-tsan: packages $(TSAN)/build.ninja
	cmake --build $(TSAN) -j $(JOBS) --target sound_streaming_tests sound_stress_tests \
	  editor_chart_tests
	ctest --test-dir $(TSAN) -L native $(CTEST_FLAGS)

test: test-native test-win64 test-tsan

run: win64
	@tools/run.sh $(WIN64)

# Explores from each fuzzer's seed corpus for FUZZ_SECONDS; new inputs go to $(NATIVE)/fuzz.
fuzz: native
	@tools/fuzz.sh $(NATIVE) $(FUZZ_SECONDS)

# Native benchmarks, then the Windows ones (GDI drawing) under Wine.
bench: native win64
	@for b in $$(cat $(NATIVE)/benchmarks.txt 2>/dev/null); do echo "== $$b"; $$b || exit 1; done
	@for b in $$(cat $(WIN64)/benchmarks.txt 2>/dev/null); do echo "== $$b"; \
	  cmake/wine-run.sh $(WIN64)/wine --timeout 600 $$b || exit 1; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(NATIVE) $(WIN64) $(TSAN)
