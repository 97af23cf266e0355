# Convenience front end over CMake: `make` builds build/gemiguc, `make test`
# builds and runs every test, `make run` runs the example ship in run/.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all configure test run bench sanitize clean

all: configure
	cmake --build $(BUILD) --target gemiguc -j $(JOBS)

configure:
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

test: configure
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: all
	@mkdir -p run
	@test -f run/KR-22-03-2017.TSK || cp examples/KR-22-03-2017.TSK run/
	cd run && ../$(BUILD)/gemiguc

bench: configure
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	$(BUILD)/benchmarks

sanitize:
	@test -f build-san/CMakeCache.txt || cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGEMI_SANITIZE=ON
	cmake --build build-san -j $(JOBS)
	ctest --test-dir build-san --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) build-san
