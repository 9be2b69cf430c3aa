# make run   builds the editor and starts it on the sample tile folder
# make test  builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test
# make bench builds optimised and runs the benchmarks
# make fuzz  builds the fuzzers with clang and runs each for FUZZ_SECONDS: the world file
#            reader on bytes, and the whole editor on hostile worlds built field by field;
#            inputs that crash or run slowly are kept as build/fuzz/<fuzzer>-crash-... and so on
# make screenshot  takes docs/main-window.png of the editor on the sample tiles, and
#                  docs/map-page.png of a sample world on the map page, under Xvfb

BUILD ?= build/test
RUN_BUILD ?= build/run
RUN_DIR ?= build/run-world
BENCH_BUILD ?= build/bench
FUZZ_BUILD ?= build/fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

.PHONY: deps run test bench fuzz screenshot clean

deps:
	@scripts/install-deps.sh

run: deps
	cmake -S . -B $(RUN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=OFF
	cmake --build $(RUN_BUILD) --target editor make_tiles
	@mkdir -p $(RUN_DIR)
	@[ -d $(RUN_DIR)/tiles ] || $(RUN_BUILD)/make_tiles $(RUN_DIR)/tiles
	cd $(RUN_DIR) && $(CURDIR)/$(RUN_BUILD)/editor

test: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DEDITOR_SANITIZE=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DEDITOR_TESTS=OFF -DEDITOR_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@rm -f $(BENCH_BUILD)/summary.tsv
	@for b in $(BENCH_BUILD)/*_bench; do echo "== $$b"; \
	  BENCH_SUMMARY=$(CURDIR)/$(BENCH_BUILD)/summary.tsv QT_QPA_PLATFORM=offscreen $$b || exit 1; done
	@echo; echo "== summary"; \
	  { printf 'measure\tfigure\tbaseline\tratio\tgoal\tverdict\n'; cat $(BENCH_BUILD)/summary.tsv 2>/dev/null; } | column -t -s "$$(printf '\t')"

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=OFF -DEDITOR_FUZZ=ON -DEDITOR_SANITIZE=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for f in $(FUZZ_BUILD)/*_fuzz; do [ -f $$f ] || continue; name=$$(basename $$f); \
	  seeds=fuzz/corpus; [ -d fuzz/corpus-$$name ] && seeds=fuzz/corpus-$$name; \
	  mkdir -p $(FUZZ_BUILD)/corpus-$$name; echo "== $$name on $$seeds"; \
	  QT_QPA_PLATFORM=offscreen $$f -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=$(FUZZ_BUILD)/$$name- \
	    $(FUZZ_BUILD)/corpus-$$name $$seeds || exit 1; done

screenshot: deps
	cmake -S . -B $(RUN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=OFF
	cmake --build $(RUN_BUILD) --target editor make_tiles make_world
	scripts/screenshot.sh $(RUN_BUILD)
	scripts/screenshot.sh $(RUN_BUILD) docs/map-page.png map

clean:
	rm -rf build
