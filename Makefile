# The two commands of the README, plus the sanitizer suite and the benchmarks.
JOBS ?= 2
BUILD := build
# The test and benchmark targets build both, whatever an earlier `make play`
# found installed.
WITH_TESTS := -DBODGER_TESTS=ON -DBODGER_BENCH=ON
.PHONY: play test test-web test-sanitize bench deps fuzz soak

deps:
	@./scripts/install-deps

play: deps-play
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target bodger2010
	./$(BUILD)/bodger2010

test: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(WITH_TESTS) > /dev/null
	@cmake --build $(BUILD) -j$(JOBS)
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS) -LE web

# The browser build's checks (label "web"): the first run builds emscripten's
# libraries and the WebAssembly dependencies, which takes a while.
test-web: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(WITH_TESTS) > /dev/null
	@cmake --build $(BUILD) -j$(JOBS)
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS) -L web

test-sanitize: deps
	@cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=Debug -DBODGER_SANITIZE=ON $(WITH_TESTS) > /dev/null
	@cmake --build $(BUILD)-sanitize -j$(JOBS)
	@cd $(BUILD)-sanitize && ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
		UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		BODGER_SANITIZE=1 ctest --output-on-failure -j$(JOBS)

bench: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(WITH_TESTS) > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target benchmarks
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

# Installing like any other game: PREFIX (or CMAKE_INSTALL_PREFIX) and DESTDIR
# are honoured; the prefix defaults to /usr/local.
.PHONY: deps-play deps-package install uninstall deb
PREFIX ?= $(CMAKE_INSTALL_PREFIX)
PREFIX_ARG = $(if $(PREFIX),-DCMAKE_INSTALL_PREFIX=$(PREFIX))

deps-play:
	@./scripts/install-deps play

deps-package:
	@./scripts/install-deps package

install: deps-play
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(PREFIX_ARG) > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target bodger2010
	DESTDIR=$(DESTDIR) cmake --install $(BUILD)

uninstall:
	@cmake -S . -B $(BUILD) $(PREFIX_ARG) > /dev/null
	@DESTDIR=$(DESTDIR) cmake --build $(BUILD) --target uninstall

deb: deps-package
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target bodger2010
	@cd $(BUILD) && cpack -G DEB

# The browser build: build-web/ holds the page to serve and the runner for Node.
.PHONY: web
web:
	@JOBS=$(JOBS) ./scripts/build-web

# Fuzzing with clang's libFuzzer, ASan and UBSan in its own build folder; each
# target runs FUZZ_SECONDS (CI: 60; a long run: make fuzz FUZZ_SECONDS=3600).
# The runner built there with the same sanitizers then plays the whole game
# (tests/fuzz/game.sh); both run whatever the other finds.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= png sound font hiscore script
fuzz:
	@./scripts/install-deps fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DBODGER_FUZZ=ON -DBODGER_TESTS=OFF > /dev/null
	@cmake --build $(BUILD)-fuzz -j$(JOBS) --target fuzz_targets bodger2010-sim
	@status=0; ./tests/fuzz/run.sh $(BUILD)-fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS) || status=1; \
		./tests/fuzz/game.sh $(BUILD)-fuzz/bodger2010-sim || status=1; exit $$status

# A 1,000,000-frame bot game on the headless runner, memory watched.
SOAK_FRAMES ?= 1000000
soak: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target bodger2010-sim
	@./tools/sim/soak.sh $(BUILD)/bodger2010-sim $(SOAK_FRAMES)
