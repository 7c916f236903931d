# Everyday commands: `make run` and `make test`. Each installs what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
# Extra CMake settings, for example CMAKE_ARGS=-DDOVANEL_WERROR=ON as CI builds.
CMAKE_ARGS ?=

# The tests also need the two input method frameworks of Japanese desktops, with mozc.
TEST_DEPS = fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc dbus-daemon

.PHONY: all deps test-deps configure build run test test-asan fuzz bench package clean

all: build

deps:
	@sh scripts/ensure-deps.sh

test-deps:
	@DOVANEL_EXTRA="$(TEST_DEPS)" sh scripts/ensure-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	cd data && ../$(BUILD)/dovanel

test: test-deps build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: test-deps
	@cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug $(CMAKE_ARGS) \
	    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
	    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS; crash inputs land in build-fuzz/artifacts/<target>/.
fuzz:
	@DOVANEL_EXTRA="clang libclang-rt-14-dev" sh scripts/ensure-deps.sh
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DDOVANEL_FUZZ=ON -DDOVANEL_TESTS=OFF >/dev/null
	@cmake --build build-fuzz -j $(JOBS)
	sh fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

bench: build
	@cmake --build $(BUILD) --target dovanel_bench -j $(JOBS)
	sh bench/run.sh $(BUILD)

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) build-asan build-fuzz
