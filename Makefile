# Front door. `make test` sets up what is missing, builds both configurations
# and runs every test; `make run` builds and starts the screensaver under Wine.
JOBS ?= $(shell nproc)

.PHONY: all setup configure build test run clean distclean

all: build

setup:
	bash scripts/setup

configure: setup
	cmake --preset win32 >/dev/null
	cmake --preset native >/dev/null

build: configure
	cmake --build --preset win32 -j$(JOBS)
	cmake --build --preset native -j$(JOBS)

test: build
	JOBS=$(JOBS) bash scripts/test-all

clean:
	rm -rf build

distclean: clean
	rm -rf .deps
