# make run   installs what is missing, builds, and starts the editor
# make test  installs what is missing, builds, and runs the whole test suite headless
# make test-sanitize  the same suite built with AddressSanitizer and UBSan
# make package-check  installs, validates and round-trips the Debian package
# make fuzz  builds every libFuzzer target with clang and runs each for
#            FUZZ_SECONDS seconds (60 unless given)
# make format-check  fails on any source file clang-format 14 would change

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
# A sanitizer's report ends the program with a status of its own: a test that
# expects zelvik-cli to refuse (status 1) must not take undefined behaviour
# for the refusal.
SANITIZER_STATUS = exitcode=86
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test test-sanitize fuzz package-check release-check format-check bench clean

all: build

deps:
	@./tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVIK_WERROR=ON

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/bin/zelvik

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELVIK_WERROR=ON \
		-DZELVIK_SANITIZE=ON -DZELVIK_BUILD_BENCHMARKS=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:$(SANITIZER_STATUS) \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:$(SANITIZER_STATUS) \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:$(SANITIZER_STATUS) \
		ctest --output-on-failure -j $(JOBS)

# The fuzz targets of fuzz/, each run from its seed corpus; a crash fails.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZELVIK_FUZZ=ON -DZELVIK_WERROR=ON \
		-DZELVIK_BUILD_TESTS=OFF -DZELVIK_BUILD_BENCHMARKS=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target zelvik_fuzzers
	./tools/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# Installing as a desktop program: the install tree, the menu entry and the
# AppStream metadata validated, F1 in the installed editor, and the .deb
# installed with apt, run and removed again (needs root or sudo).
package-check: build
	./tools/package-check.sh $(BUILD_DIR)

# The sources as clang-format 14 leaves them (tools/check-format.sh).
format-check: deps
	./tools/check-format.sh

# A packager's Release build, with GCC and with clang, warnings as errors.
release-check: deps
	cmake -S . -B build-release-gcc -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELVIK_WERROR=ON -DZELVIK_BUILD_BENCHMARKS=OFF \
		-DCMAKE_CXX_COMPILER=g++
	cmake --build build-release-gcc -j $(JOBS)
	cmake -S . -B build-release-clang -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELVIK_WERROR=ON -DZELVIK_BUILD_BENCHMARKS=OFF \
		-DCMAKE_CXX_COMPILER=clang++
	cmake --build build-release-clang -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) build-release-gcc build-release-clang
