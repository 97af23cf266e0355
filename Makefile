# Convenience front end over CMake: `make` builds build/gemiguc and
# build/gemiguc-analiz, `make test` builds and runs every test, `make run`
# runs the example ship in run/.
# Missing build tools are installed first (.ci/install-deps).
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure test run bench sanitize fuzz clean

all: configure
	cmake --build $(BUILD) --target gemiguc gemiguc-analiz -j $(JOBS)

deps:
	@bash .ci/install-deps

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

test: configure
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The example input is copied into run/ only when run/ holds no input file,
# so an input edited there is kept between runs.
run: all
	@mkdir -p run
	@test -f run/KR-22-03-2017.TSK || cp examples/KR-22-03-2017.TSK run/
	cd run && ../$(BUILD)/gemiguc

bench: configure
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	$(BUILD)/benchmarks

sanitize: deps
	@test -f build-san/CMakeCache.txt || cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGEMI_SANITIZE=ON
	cmake --build build-san -j $(JOBS)
	ctest --test-dir build-san --output-on-failure -j $(JOBS)

# libFuzzer targets (clang 14) run for FUZZ_TIME seconds each from the seed corpus.
FUZZ_TIME ?= 60
fuzz:
	@bash fuzz/install-deps
	@test -f build-fuzz/CMakeCache.txt || CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGEMI_FUZZ=ON -DGEMI_TESTS=OFF
	cmake --build build-fuzz --target fuzz_reader fuzz_run -j $(JOBS)
	bash fuzz/run.sh build-fuzz $(FUZZ_TIME)

clean:
	rm -rf $(BUILD) build-san build-fuzz
