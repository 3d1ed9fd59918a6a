# Lastling: the two commands of the README, and a few helpers.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
PORT       ?= 7772
# ccache, when the machine has it, makes rebuilds in several work trees cheap.
LAUNCHER   := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: all deps deps-run deps-test configure configure-tests build build-tests run serve test \
	test-asan fuzz bench clean

all: build

# Playing needs only what builds and runs the game; the tests bring their own tools.
deps: deps-test
deps-run:
	@bash scripts/install-deps.sh run
deps-test:
	@bash scripts/install-deps.sh test

CONFIGURE = cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) $(CMAKE_ARGS)

# Without the test packages the tree holds only the program (the tests follow once they are
# there); `make test` adds the tests to a tree that was made without them.
configure: deps-run
	@[ -f $(BUILD)/build.ninja ] || $(CONFIGURE)

configure-tests: deps-test
	@grep -qs '^LASTLING_TESTS:BOOL=ON' $(BUILD)/CMakeCache.txt || $(CONFIGURE) -DLASTLING_TESTS=ON

build: configure
	cmake --build $(BUILD) -j $(JOBS)

build-tests: configure-tests
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/lastling

serve: build
	$(BUILD)/lastling --serve --port $(PORT)

# Tests never need a display, also while the build lists them.
test test-asan fuzz: export QT_QPA_PLATFORM = offscreen

test: build-tests
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps-test
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLASTLING_SANITIZE=ON $(LAUNCHER) $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

fuzz: deps-test
	bash scripts/fuzz.sh

bench: build-tests
	bash bench/run-all.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz $(PACKAGE_BUILD) $(PACKAGE_BUILD)-again

.PHONY: install package check-package

# Installs under PREFIX (default /usr/local); DESTDIR is honoured for staged installs.
install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# The package has a build tree of its own: no tests, Debian's flags, reproducible bytes.
PACKAGE_BUILD ?= build-package

package: deps-test
	bash scripts/build-package.sh $(PACKAGE_BUILD)

check-package: deps-test
	bash scripts/check-package.sh
