# Front door. `make test` sets up what is missing, builds and runs every test;
# `make run` builds and starts the screensaver under Wine.
JOBS ?= $(shell nproc)
# The Windows build whose tests can run here: win32 where 32-bit programs
# run, else win64 (the same sources built for x86_64).
WINE_ARCH = $(shell bash -c 'source scripts/wine-env && wine_arch')

.PHONY: all setup configure build test run dist clean distclean

all: build

setup:
	bash scripts/setup

configure: setup
	cmake --preset win32 >/dev/null
	cmake --preset native >/dev/null
	cmake --preset native-asan >/dev/null
	@if [ "$(WINE_ARCH)" = win64 ]; then cmake --preset win64 >/dev/null; fi

build: configure
	cmake --build --preset win32 -j$(JOBS)
	cmake --build --preset native -j$(JOBS)
	cmake --build --preset native-asan -j$(JOBS)
	@if [ "$(WINE_ARCH)" = win64 ]; then cmake --build --preset win64 -j$(JOBS); fi

test: build
	JOBS=$(JOBS) bash scripts/test-all

# Starts the screensaver as Windows does (/s) with the sample movie, in the
# build this machine can run, in a Wine prefix of its own.
run: build
	bash scripts/run-screensaver $(WINE_ARCH)

# The three i686 deliverables and their SHA-256 sums in one zip under dist/.
dist: build
	bash scripts/make-dist

clean:
	rm -rf build

distclean: clean
	rm -rf .deps
