# The two commands a fresh machine needs: `make demo` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: deps configure build test demo run bench clean windows test-windows

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset default >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@$(BUILD)/velkor

bench: build
	@scripts/bench

# The core, velkor-convert.exe and the core tests for Windows (MinGW-w64, static), and their run under Wine.
WINDOWS_BUILD ?= build-windows
windows:
	@scripts/install-deps --windows
	@cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKOR_GUI=OFF -DVELKOR_BENCH=OFF >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)

test-windows: build windows
	@BUILD=$(BUILD) WINDOWS_BUILD=$(WINDOWS_BUILD) scripts/test-windows

clean:
	@rm -rf $(BUILD)
