# Sumwise: `make run` builds and starts the calculator, `make test` builds and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
DEBIAN_PACKAGES = cmake g++ make qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
	libbenchmark-dev xvfb xauth xdotool xclip poppler-utils fonts-liberation2 clang-format \
	desktop-file-utils appstream man-db groff-base librsvg2-bin \
	locales openbox x11-xkb-utils shared-mime-info

.PHONY: all deps configure build run test test-sanitize release-builds bench fuzz install format clean

all: build

# Installs the Debian packages that are missing (as root), or says which to install.
deps:
	@missing=""; for p in $(DEBIAN_PACKAGES); do \
		dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
		if [ "$$(id -u)" = 0 ]; then \
			echo "Installing:$$missing"; \
			apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
		else \
			echo "Missing packages. Run: sudo apt-get install$$missing"; exit 1; \
		fi; \
	fi

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUMWISE_WERROR=ON >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/sumwise

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite again with AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSUMWISE_SANITIZE=ON -DSUMWISE_WERROR=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS)

# What a packager builds: Release with GCC and with clang 14, warnings as errors, every target
# built (the GCC one with the benchmarks) but the tests not run again.
RELEASE_PACKAGES = clang-14
release-builds: deps
	@$(MAKE) --no-print-directory deps DEBIAN_PACKAGES="$(RELEASE_PACKAGES)"
	@cmake -S . -B build-release-gcc -DCMAKE_BUILD_TYPE=Release -DSUMWISE_WERROR=ON -DSUMWISE_BUILD_BENCH=ON \
		-DCMAKE_CXX_COMPILER=g++ >/dev/null
	@cmake --build build-release-gcc -j $(JOBS)
	@cmake -S . -B build-release-clang -DCMAKE_BUILD_TYPE=Release -DSUMWISE_WERROR=ON \
		-DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
	@cmake --build build-release-clang -j $(JOBS)

# The fuzzers, each for FUZZ_SECONDS (60 by default), built with clang 14.
FUZZ_PACKAGES = cmake make clang-14 libclang-rt-14-dev libfuzzer-14-dev
fuzz:
	@$(MAKE) --no-print-directory deps DEBIAN_PACKAGES="$(FUZZ_PACKAGES)"
	bash fuzz/run.sh

bench: deps
	@cmake -S . -B $(BUILD) -DSUMWISE_BUILD_BENCH=ON -DSUMWISE_WERROR=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@$(BUILD)/bench/benchmarks

# PREFIX=/usr/local by default; DESTDIR works as usual.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
