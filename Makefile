# Everyday commands. Each installs what is missing first, so a fresh Debian machine needs nothing else.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 20
CMAKE_GEN  := -G Ninja
JOBS       ?= $(shell nproc)

.PHONY: all deps build run test sanitize bench bench-large docs clean format

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Opens the viewer on Oru.db in the working directory, creating the demo catalogue when there is none.
run: build
	@if [ ! -e Oru.db ]; then $(BUILD)/tolvane demo Oru.db; fi
	@$(BUILD)/tolvane Oru.db

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DTOLVANE_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BENCH=ON >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	@status=0; for b in $$(find $(BENCH_BUILD)/bench -maxdepth 1 -type f -executable -name 'bench_*' | sort); do \
		QT_QPA_PLATFORM=offscreen $$b || status=1; done; exit $$status

# The grid at ten million rows: a few minutes and a 2.5 GB peak, so not part of `make bench`.
bench-large: deps
	@cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BENCH=ON >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target bench_grid
	@QT_QPA_PLATFORM=offscreen $(BENCH_BUILD)/bench/bench_grid large

# The grid library's API reference, from the headers it installs, in $(BUILD)/docs/html; a
# Doxygen warning fails it.
docs: deps
	@mkdir -p $(BUILD)/docs
	@(cat docs/Doxyfile; echo "OUTPUT_DIRECTORY = $(BUILD)/docs") | doxygen -
	@echo "docs: $(BUILD)/docs/html/index.html"

# Builds the fuzz targets with clang, libFuzzer and the sanitizers, and runs each for FUZZ_SECONDS.
.PHONY: fuzz
fuzz:
	@scripts/install-deps fuzz
	@cmake -S fuzz -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@fuzz/run $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD)
	@rm -rf $(FUZZ_BUILD)
