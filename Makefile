# The two commands of the README, plus the sanitizer suite and the benchmarks.
JOBS ?= 2
BUILD := build
.PHONY: play test test-sanitize bench deps configure

deps:
	@./scripts/install-deps

$(BUILD)/Makefile: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null

play: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target bodger2010
	./$(BUILD)/bodger2010

test: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD) -j$(JOBS)
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

test-sanitize: deps
	@cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=Debug -DBODGER_SANITIZE=ON > /dev/null
	@cmake --build $(BUILD)-sanitize -j$(JOBS)
	@cd $(BUILD)-sanitize && ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
		UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		BODGER_SANITIZE=1 ctest --output-on-failure -j$(JOBS)

bench: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target benchmarks
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

# The browser build: build-web/ holds the page to serve and the runner for Node.
.PHONY: web
web:
	@JOBS=$(JOBS) ./scripts/build-web
