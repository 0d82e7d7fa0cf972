# The two commands: `make play` and `make test`. See README.md.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PLAY_DIR := build/play
TEST_DIR := build/test
ARGS ?=
PREFIX ?= /usr/local

WEB_DIR := build/web
WEB_BUILD := build/web-build

WIN_DIR ?= build/windows

.PHONY: windows windows-deps windows-build windows-checks test-windows play test check build-play build-test configure-test deps test-deps web-deps fuzz-deps bench pace pace-web install web web-page fuzz soak monkey clean
FUZZ_SECONDS ?= 600
# The long runs: a player that never tires, and random events over every screen.
SOAK_ARGS ?= --levels 100 --ticks 1000000 --clock 1000
MONKEY_ARGS ?= --events 350000 --clock 1000 --clock 77777 --clock 4294960000

deps:
	@tools/setup/install-deps.sh

build-play: deps
	cmake -S . -B $(PLAY_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(PLAY_DIR) -j $(JOBS) --target mirelink

play: build-play
	$(PLAY_DIR)/hosts/sdl/mirelink $(ARGS)

test-deps:
	@tools/setup/install-deps.sh --test

CONFIGURE_TEST := cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DMIRELINK_SANITIZE=ON -DMIRELINK_WERROR=ON

configure-test: test-deps
	$(CONFIGURE_TEST)

build-test: configure-test
	cmake --build $(TEST_DIR) -j $(JOBS)

# Each step runs only if the one before passed; a failure says which step
# it was and what was left unrun.
test: build-test
	@$(MAKE) web-page WEB_FROM=$(TEST_DIR) || \
	  { echo "make test: building the web page failed (ctest and the fuzz step were not run)"; exit 1; }
	@ctest --test-dir $(TEST_DIR) --output-on-failure -j $(JOBS) || \
	  { echo "make test: ctest failed (the Windows step and the fuzz step were not run)"; exit 1; }
	@$(MAKE) --no-print-directory windows-checks || \
	  { echo "make test: the Windows step failed (the fuzz step was not run)"; exit 1; }
	@FUZZ_JOBS=$(JOBS) tests/fuzz/run-fuzz.sh 5 || { echo "make test: the fuzz step failed"; exit 1; }
	@echo "make test: all passed (ctest, the Windows step and the fuzz step)"

# The quick loop: the game's own tests (unit tests, scenarios, golden plays)
# in the same sanitized build, without the browser page, the fuzzers or the
# short soak and monkey runs, and with only the desktop program's packages.
check: deps
	$(CONFIGURE_TEST)
	cmake --build $(TEST_DIR) -j $(JOBS)
	ctest --test-dir $(TEST_DIR) --output-on-failure -j $(JOBS) -E '^(web\.|soak\.short_run|monkey\.short_run)'

bench: build-play
	cmake --build $(PLAY_DIR) -j $(JOBS) --target mirelink-bench
	$(PLAY_DIR)/bench/mirelink-bench

web-deps:
	@tools/setup/install-deps.sh --web

# The game as a web page in build/web/: a desktop build draws the pictures and
# icons, Emscripten compiles the game around them. The test build's own
# pictures serve as well (WEB_FROM), so make test builds nothing twice.
web: build-play web-deps
	$(MAKE) web-page WEB_FROM=$(PLAY_DIR)

WEB_PACE ?= OFF
web-page:
	cmake --build $(WEB_FROM) -j $(JOBS) --target mirelink_resources mirelink-icons
	NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DMIRELINK_RESOURCES_SOURCE=$(abspath $(WEB_FROM))/res/resources.cpp \
	  -DMIRELINK_ICON_DIR=$(abspath $(WEB_FROM))/res/desktop/icons -DMIRELINK_WEB_OUT=$(abspath $(WEB_DIR)) \
	  -DMIRELINK_WEB_PACE=$(WEB_PACE)
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD) -j $(JOBS)

windows-deps:
	@tools/setup/install-deps.sh --windows

# The game for Windows in build/windows/: mirelink.exe (static, importing only
# system DLLs), its installer and a portable zip, and the headless runner
# (hosts/headless/mirelink-headless.exe).
windows: deps windows-deps
	cmake -S . -B $(PLAY_DIR) -DCMAKE_BUILD_TYPE=Release
	@$(MAKE) --no-print-directory windows-build WIN_FROM=$(PLAY_DIR)

# The build itself, shared with the Windows step of make test: the native
# build WIN_FROM draws the pictures and icons, mingw-w64 compiles the game
# around them in WIN_DIR (WIN_OPTIONS: more cmake options). Debian's libpng,
# built once for mingw, is kept in WIN_LIBS apart from the builds.
WIN_FROM ?= $(PLAY_DIR)
WIN_LIBS := build/mingw-libs
WIN_OPTIONS ?= -DMIRELINK_WINDOWS_TESTS=OFF
WIN_ICONS = $(foreach s,16 32 48 64 128 256,$(WIN_FROM)/res/desktop/icons/$(s)x$(s)/mirelink.png)
windows-build:
	cmake --build $(WIN_FROM) -j $(JOBS) --target mirelink_resources mirelink-icons mirelink-ico
	mkdir -p $(WIN_DIR)
	$(WIN_FROM)/tools/ico/mirelink-ico $(WIN_DIR)/mirelink.ico $(WIN_ICONS)
	JOBS=$(JOBS) tools/setup/mingw-libpng.sh $(WIN_LIBS)
	cmake -S . -B $(WIN_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DMIRELINK_WERROR=ON -DMIRELINK_RESOURCES_SOURCE=$(abspath $(WIN_FROM))/res/resources.cpp \
	  -DMIRELINK_ICON_FILE=$(abspath $(WIN_DIR))/mirelink.ico -DMIRELINK_MINGW_PREFIX=$(abspath $(WIN_LIBS)) \
	  $(WIN_OPTIONS)
	cmake --build $(WIN_DIR) -j $(JOBS)

# The Windows step of make test, under Wine: the unit tests (those that need
# no Cairo and no POSIX shell), the runner's scenario scripts and golden plays (the same pictures and traces as
# on Linux), the installer installing and uninstalling, then the Windows
# program played in Xvfb with openbox, its recording replayed by the Linux
# runner. Built from the test build's pictures, so nothing is drawn twice.
WIN_TEST_DIR := build/windows-test
test-windows: configure-test windows-deps
	cmake --build $(TEST_DIR) -j $(JOBS) --target mirelink-headless same-pixels
	@$(MAKE) --no-print-directory windows-checks

windows-checks:
	@$(MAKE) --no-print-directory windows-build WIN_FROM=$(TEST_DIR) WIN_DIR=$(WIN_TEST_DIR)/build \
	  WIN_OPTIONS=-DMIRELINK_WINDOWS_TESTS=ON
	tests/hosts/win32/wine_ctest.sh $(WIN_TEST_DIR)/build $(WIN_TEST_DIR)/wine -j $(JOBS)
	WINEPREFIX=$(abspath $(WIN_TEST_DIR))/wine tests/hosts/win32/window_test.sh $(WIN_TEST_DIR)/build/mirelink.exe \
	  $(TEST_DIR)/hosts/headless/mirelink-headless $(TEST_DIR)/tests/hosts/win32/same-pixels $(WIN_TEST_DIR)/window

fuzz-deps:
	@tools/setup/install-deps.sh --fuzz

# Each fuzz target for FUZZ_SECONDS (clang, in build/fuzz).
fuzz: fuzz-deps
	FUZZ_JOBS=$(JOBS) tests/fuzz/run-fuzz.sh $(FUZZ_SECONDS)

# The soak and the monkey run the real program on a virtual clock under the
# sanitizers, the game's rules checked after every event (build/test).
soak: configure-test
	cmake --build $(TEST_DIR) -j $(JOBS) --target mirelink-soak
	$(TEST_DIR)/tests/soak/mirelink-soak $(SOAK_ARGS)

monkey: configure-test
	cmake --build $(TEST_DIR) -j $(JOBS) --target mirelink-monkey
	$(TEST_DIR)/tests/soak/mirelink-monkey $(MONKEY_ARGS)

# The real desktop loop, measured; needs a display.
pace: build-play
	cmake --build $(PLAY_DIR) -j $(JOBS) --target mirelink-pace
	$(PLAY_DIR)/tools/pace/mirelink-pace $(ARGS)

# The page's real loop in headless Chromium, measured (ARGS: --seconds N), on
# a page of its own that lets the tool read the game's clock at each tick.
PACE_WEB_DIR := build/pace-web
pace-web: build-play web-deps
	$(MAKE) web-page WEB_FROM=$(PLAY_DIR) WEB_DIR=$(PACE_WEB_DIR)/page WEB_BUILD=$(PACE_WEB_DIR)/build WEB_PACE=ON
	mkdir -p $(PACE_WEB_DIR)
	cp tools/pace-web/package.json $(PACE_WEB_DIR)/
	cd $(PACE_WEB_DIR) && { [ -d node_modules/playwright-core ] || npm install --no-audit --no-fund --loglevel=error; }
	NODE_PATH=$(abspath $(PACE_WEB_DIR))/node_modules node tools/pace-web/pace-web.js $(PACE_WEB_DIR)/page $(ARGS)

# The program, its menu entry, icons and AppStream description under PREFIX.
install: build-play
	cmake --build $(PLAY_DIR) -j $(JOBS) --target mirelink mirelink-icons
	cmake --install $(PLAY_DIR) --prefix $(PREFIX)

clean:
	rm -rf build
