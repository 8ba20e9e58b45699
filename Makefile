# The two commands a fresh machine needs: `make demo` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: deps configure build test demo run gui bench clean windows test-windows sanitize check-format

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset default >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The core and its tests built with AddressSanitizer and UndefinedBehaviorSanitizer, every test run.
SANITIZE_BUILD := build-sanitize
sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

check-format:
	@scripts/check-format

# Converts the bundled example route with everything it has beside it; the files written are listed.
DEMO := $(BUILD)/demo
demo: build
	@rm -rf $(DEMO) && mkdir -p $(DEMO)
	@if [ ! -f examples/GUZERGAH.cks ]; then echo "examples/GUZERGAH.cks is missing: nothing to convert" >&2; exit 1; fi
	@set -e; args="examples/GUZERGAH.cks"; \
	if [ -f examples/DUSEY.cks ]; then args="$$args examples/DUSEY.cks"; fi; \
	if [ -f examples/ENKESIT.kse ]; then args="$$args --cross-sections examples/ENKESIT.kse"; fi; \
	if [ -f examples/MODEL.ncz ]; then args="$$args --model examples/MODEL.ncz"; fi; \
	if [ -f examples/SEVLI.ncz ]; then args="$$args --slope-plan examples/SEVLI.ncz"; fi; \
	echo "velkor-convert $$args -o $(DEMO)/GUZERGAH.xml"; \
	$(BUILD)/velkor-convert $$args -o $(DEMO)/GUZERGAH.xml --work-dir $(DEMO)/work; \
	if command -v xmllint >/dev/null; then xmllint --noout $(DEMO)/GUZERGAH.xml && echo "$(DEMO)/GUZERGAH.xml is well-formed"; fi

# The Debian package (programs, desktop entry, icon, user guide, licence) into $(BUILD)/packages/.
.PHONY: package
package: build
	@cd $(BUILD) && cpack >/dev/null && ls -l packages/*.deb

run gui: build
	@$(BUILD)/velkor

bench: build
	@scripts/bench

# The Windows programs (MinGW-w64): velkor-convert.exe and the core tests, linked statically; velkor.exe
# and its Qt Test programs against Qt and QScintilla cross-built once per machine into ~/.cache/velkor
# (scripts/build-windows-qt: half an hour or more the first time, nothing after); the runnable folder
# $(WINDOWS_BUILD)/dist/. `make test-windows` runs all of it under Wine.
WINDOWS_BUILD ?= build-windows
windows:
	@scripts/install-deps --windows
	@qt=$$(scripts/build-windows-qt | tail -1) && \
	  cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKOR_GUI=ON -DVELKOR_WINDOWS_QT_DIR=$$qt -DVELKOR_BENCH=OFF >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	@scripts/windows-dist $(WINDOWS_BUILD)

test-windows: build package-windows
	@BUILD=$(BUILD) WINDOWS_BUILD=$(WINDOWS_BUILD) scripts/test-windows

# The Windows installer and zip of the runnable folder, into $(WINDOWS_BUILD)/packages/.
.PHONY: package-windows
package-windows: windows
	@scripts/package-windows $(WINDOWS_BUILD)

clean:
	@rm -rf $(BUILD)

# Fuzzing the drawing reader (clang, libFuzzer with address and undefined-behaviour checks).
# Crashing inputs land in $(FUZZ_DIR)/crash-*; keep each one under tests/data/ncz/ as a regression.
# The fuzz programs are built by CMake (the fuzz preset) from the same layer libraries as the programs.
FUZZ_DIR := build-fuzz
FUZZ_SECONDS ?= 180

.PHONY: fuzz fuzz-build
fuzz-build:
	@cmake --preset fuzz >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)

fuzz: fuzz-build configure
	@cmake --build $(BUILD) --target velkor-gen-terrain >/dev/null
	@scripts/fuzz-seeds $(BUILD)/velkor-gen-terrain $(FUZZ_DIR)/corpus
	$(FUZZ_DIR)/ncz_fuzz $(FUZZ_DIR)/corpus -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
		-max_len=65536 -artifact_prefix=$(FUZZ_DIR)/ -print_final_stats=1
