# Two commands on a fresh Debian or Ubuntu machine:
#   make run    installs what is missing, builds, and starts the program
#   make test   installs what is missing, builds, and runs every test
#   make package   builds the Debian package (build/varnik_*.deb)
#   make windows   cross-compiles the Windows command line with mingw-w64
#                  (build-mingw/bin/varnik-cli.exe; needs g++-mingw-w64-x86-64-posix)
BUILD ?= build
CMAKE_ARGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES = cmake make g++ ccache pkg-config zlib1g-dev libminizip-dev libwxgtk3.2-dev googletest libgtest-dev libgmock-dev \
           libbenchmark-dev fonts-liberation xvfb xauth dpkg-dev file
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

FUZZ_PACKAGES = clang libclang-rt-14-dev
FUZZ_SECONDS ?= 60

.PHONY: all deps fuzz-deps configure build run test bench package windows fuzz clean

all: build

deps fuzz-deps:
	@missing=""; \
	for p in $(if $(filter fuzz-deps,$@),$(FUZZ_PACKAGES),$(PACKAGES)); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/bin/varnik

# GUI smoke tests need a display: without one they run under a virtual one.
test: build
	@if [ -n "$$DISPLAY" ]; then \
	  cd $(BUILD) && ctest --output-on-failure -j $(JOBS); \
	else \
	  cd $(BUILD) && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j $(JOBS); \
	fi

bench: build
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && "$$b"; done

package: build
	cmake --build $(BUILD) --target package

# The core and the command line only: wxWidgets for mingw is not packaged.
windows:
	cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DVARNIK_GUI=OFF -DVARNIK_TESTS=OFF -DVARNIK_BENCH=OFF
	cmake --build build-mingw -j $(JOBS) --target varnik-cli

# Builds the fuzz targets with clang and runs each for FUZZ_SECONDS.
fuzz: fuzz-deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNIK_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)
	fuzz/run $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
