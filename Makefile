# The two commands a new machine needs: `make run` and `make test`.
# Both install what is missing, configure and build first.

BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

# As root, Chromium (inside QtWebEngine) refuses to run with its sandbox.
ifeq ($(shell id -u),0)
  WEBENGINE_ENV := QTWEBENGINE_DISABLE_SANDBOX=1
endif

.PHONY: all deps configure build run test bench install package clean fuzz test-asan

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ]; then \
	  cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS); \
	fi

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR)/bin && $(WEBENGINE_ENV) ./tesk-web-editor

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 600

# The fuzz targets (clang, build-fuzz/), each run for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz: deps
	FUZZ_SECONDS=$(FUZZ_SECONDS) ./scripts/fuzz.sh

# The test suite built with ASan and UBSan in its own folder. ASAN_TESTS=logic
# builds and runs the logic tests only. Leaks are reported except the ones
# listed in tests/sanitizers/lsan.supp (Qt's and fontconfig's own).
ASAN_DIR ?= build-asan
ASAN_TESTS ?= all
# new_delete_type_mismatch is off: the page engine (Chromium, built into
# QtWebEngine) frees some objects of its own through a base of another size,
# and ASan cannot be told to pass over one library for that report. Our own
# classes with virtual functions have virtual destructors (the compiler warns).
ASAN_ENV := ASAN_OPTIONS=detect_leaks=1:strict_init_order=1:new_delete_type_mismatch=0 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
test-asan: deps
	@if [ ! -f $(ASAN_DIR)/build.ninja ]; then \
	  cmake -S . -B $(ASAN_DIR) -G Ninja -DTESK_SANITIZE=ON; \
	fi
ifeq ($(ASAN_TESTS),logic)
	cmake --build $(ASAN_DIR) -j $(JOBS) --target tesk_logic_test_programs tesk-rtf
	# The installed-program test installs and starts the whole editor, which
	# this logic-only build does not make; it runs in the full suite.
	cd $(ASAN_DIR) && $(ASAN_ENV) ctest --output-on-failure -j $(JOBS) --timeout 900 -L logic \
	  -E InstalledProgramTest
else
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && $(ASAN_ENV) QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 900 -LE no-asan
endif

bench: build
	$(BUILD_DIR)/bin/tesk_bench

# Installs under PREFIX (default: the one the build was configured with).
install: build
	cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

# The Debian package, in a build folder of its own: prefix /usr, the
# optimised build with debugging information the tests run against (stripped
# in the package), with Debian's hardening flags, and only the two programs
# built (the tests are not packed).
PACKAGE_DIR ?= build-package
PACKAGE_FLAGS := DEB_BUILD_MAINT_OPTIONS=hardening=+all
package: deps
	@if [ ! -f $(PACKAGE_DIR)/build.ninja ]; then \
	  CXXFLAGS="$$($(PACKAGE_FLAGS) dpkg-buildflags --get CPPFLAGS) $$($(PACKAGE_FLAGS) dpkg-buildflags --get CXXFLAGS)" \
	  LDFLAGS="$$($(PACKAGE_FLAGS) dpkg-buildflags --get LDFLAGS)" \
	  cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr; \
	fi
	cmake --build $(PACKAGE_DIR) -j $(JOBS) --target tesk-web-editor tesk-site tesk_package_files
	cd $(PACKAGE_DIR) && cpack
	@echo "Install it with: apt install ./$$(ls $(PACKAGE_DIR)/*.deb)"

clean:
	rm -rf $(BUILD_DIR)
