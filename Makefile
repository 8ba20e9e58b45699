# The two commands a fresh machine needs: `make demo` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: deps configure build test demo run bench clean

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset default >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

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

run: build
	@$(BUILD)/velkor

bench: build
	@scripts/bench

clean:
	@rm -rf $(BUILD)
