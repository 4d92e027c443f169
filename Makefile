# The two commands a new machine needs: `make run` and `make test`.
# Both install what is missing, configure and build first.

BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

# As root, Chromium (inside QtWebEngine) refuses to run with its sandbox.
ifeq ($(shell id -u),0)
  WEBENGINE_ENV := QTWEBENGINE_DISABLE_SANDBOX=1
endif

.PHONY: all deps configure build run test bench install clean

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

bench: build
	$(BUILD_DIR)/bin/tesk_bench

# Installs under PREFIX (default: the one the build was configured with).
install: build
	cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

clean:
	rm -rf $(BUILD_DIR)
