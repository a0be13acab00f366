# Two commands do all the set-up: `make run` and `make test`.
BUILD      ?= build
SAN_BUILD  ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
SAMPLE     ?= samples/runner
CMAKE_FLAGS ?=

.PHONY: all deps build run test sanitize fuzz bench clean format sample

all: build

deps:
	@bash scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Plays the sample game in a window; with no display, ten seconds off-screen and a screenshot.
run: build
	@bash scripts/run-sample $(BUILD)/qnplayer $(SAMPLE)

# Regenerates the sample game's data and media from tools/make_sample.py.
sample: build
	python3 tools/make_sample.py $(BUILD)/tools $(SAMPLE)

test: build
	cd $(BUILD) && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ctest --output-on-failure -j $(JOBS) --timeout 300

sanitize: deps
	cmake -S . -B $(SAN_BUILD) -G Ninja -DQN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS) --timeout 600

fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DQN_FUZZ=ON -DQN_TESTS=OFF -DQN_BENCH=OFF \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

bench: build
	$(BUILD)/bench/qnbench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
