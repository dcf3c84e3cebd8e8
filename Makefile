# Sumwise: `make run` builds and starts the calculator, `make test` builds and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
DEBIAN_PACKAGES = cmake g++ make qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
	libbenchmark-dev xvfb xauth xdotool xclip poppler-utils fonts-liberation2 clang-format \
	desktop-file-utils appstream man-db groff-base librsvg2-bin \
	locales openbox x11-xkb-utils shared-mime-info qt6-translations-l10n \
	dbus-daemon at-spi2-core python3-pyatspi

.PHONY: all deps configure build run test test-sanitize release-builds bench fuzz install deb format clean

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

# A Debian binary package built with debhelper from a copy of the tree (tracked and new
# files, nothing ignored) in $(DEB_BUILD), where the .deb, its debug symbols and the
# .changes end up; lintian then checks it and fails on an error.
DEB_PACKAGES = debhelper dpkg-dev lintian fakeroot cmake g++ make qt6-base-dev libgl-dev \
	fonts-liberation2
DEB_BUILD ?= build-deb
DEB_VERSION = $(shell sed -n 's/^project.Sumwise VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
DEB_STAGE = $(DEB_BUILD)/sumwise-$(DEB_VERSION)
deb:
	@$(MAKE) --no-print-directory deps DEBIAN_PACKAGES="$(DEB_PACKAGES)"
	rm -rf $(DEB_STAGE) $(DEB_BUILD)/sumwise_* $(DEB_BUILD)/sumwise-dbgsym_*
	mkdir -p $(DEB_STAGE)
	@if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then \
		git ls-files -z -c -o --exclude-standard | tar --null --ignore-failed-read -T - -cf -; \
	else \
		tar --exclude=./.git --exclude=./build --exclude='./build-*' --exclude=./out -cf - .; \
	fi | tar -xf - -C $(DEB_STAGE)
	cd $(DEB_STAGE) && DEB_BUILD_OPTIONS="parallel=$(JOBS) $(DEB_BUILD_OPTIONS)" dpkg-buildpackage -b -us -uc
	rm -rf $(DEB_STAGE)
	lintian --fail-on error --info $(DEB_BUILD)/sumwise_$(DEB_VERSION)_*.changes
	@ls -1 $(DEB_BUILD)/sumwise_$(DEB_VERSION)_*.deb

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
