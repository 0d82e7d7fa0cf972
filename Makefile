# The two commands: `make play` and `make test`. See README.md.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PLAY_DIR := build/play
TEST_DIR := build/test
ARGS ?=
PREFIX ?= /usr/local

.PHONY: play test build-play build-test deps bench pace install clean

deps:
	@tools/setup/install-deps.sh

build-play: deps
	cmake -S . -B $(PLAY_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(PLAY_DIR) -j $(JOBS) --target mirelink

play: build-play
	$(PLAY_DIR)/hosts/sdl/mirelink $(ARGS)

build-test: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DMIRELINK_SANITIZE=ON -DMIRELINK_WERROR=ON
	cmake --build $(TEST_DIR) -j $(JOBS)

test: build-test
	ctest --test-dir $(TEST_DIR) --output-on-failure -j $(JOBS)

bench: build-play
	cmake --build $(PLAY_DIR) -j $(JOBS) --target mirelink-bench
	$(PLAY_DIR)/bench/mirelink-bench

# The real desktop loop, measured; needs a display.
pace: build-play
	cmake --build $(PLAY_DIR) -j $(JOBS) --target mirelink-pace
	$(PLAY_DIR)/tools/pace/mirelink-pace $(ARGS)

# The program, its menu entry, icons and AppStream description under PREFIX.
install: build-play
	cmake --build $(PLAY_DIR) -j $(JOBS) --target mirelink mirelink-icons
	cmake --install $(PLAY_DIR) --prefix $(PREFIX)

clean:
	rm -rf build
