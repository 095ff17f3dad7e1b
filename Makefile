# Front door for building, running and testing Pentavo. See README.md.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench package fuzz clean format

all: build

deps:
	@scripts/install-deps.sh

$(BUILD_DIR)/build.ninja:
	@$(MAKE) --no-print-directory deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: $(BUILD_DIR)/build.ninja

build: deps configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "No display found. Start Pentavo under a virtual X server with:"; \
	    echo "  xvfb-run -a $(BUILD_DIR)/bin/pentavo"; \
	    exit 1; \
	fi
	$(BUILD_DIR)/bin/pentavo

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD_DIR)/bin/bench_*; do echo "== $$b"; "$$b" || exit 1; done

package: build
	cd $(BUILD_DIR) && cpack -G DEB
	@scripts/check-package.sh $(BUILD_DIR)

fuzz: deps
	cmake -S . -B $(BUILD_DIR)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_COMPILER=clang++ -DPENTAVO_FUZZ=ON
	cmake --build $(BUILD_DIR)-fuzz -j $(JOBS) --target fuzzers
	@scripts/run-fuzzers.sh $(BUILD_DIR)-fuzz $${FUZZ_SECONDS:-60}

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-fuzz
