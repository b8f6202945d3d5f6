# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later

# ThermoDesk: the two set-up commands are `make demo` and `make check`.
# Both install what is missing first (Debian packages, as root or through sudo).

SHELL := /bin/bash
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BUILD ?= build
PACKAGES := build-essential cmake qt6-base-dev qt6-serialport-dev qt6-svg-dev libqt6svg6 libgl-dev \
            fonts-liberation2 fonts-dejavu-core xvfb xauth xdotool imagemagick \
            desktop-file-utils appstream poppler-utils lintian reuse \
            pkg-config libmosquitto-dev mosquitto mosquitto-clients openssl
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
DEMO_SECONDS ?= 8
VERSION := $(shell grep -m1 -o 'ThermoDesk VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)

FUZZ_SECONDS ?= 60
# AddressSanitizer keeps 256 MB of freed memory in quarantine; millions of small inputs
# fill it and the fuzzer's memory climbs to a gigabyte with nothing wrong in the code.
FUZZ_ASAN_OPTIONS ?= quarantine_size_mb=16:malloc_context_size=5

# Windows: the same sources cross-built with MinGW-w64 against Qt 6.4.2 for Windows, tested
# under Wine. QT_WINDOWS is a folder holding qt6-mingw-6.4.2.tar.xz, or an unpacked prefix.
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools \
                    ninja-build nsis wine64 zip unzip bc
QT_WINDOWS ?= ../shared/qt-windows
WINDOWS := $(BUILD)/windows
# The MinGW runtime DLLs the program loads: the C++ and GCC runtimes, the threads.
MINGW_DLLS := /usr/lib/gcc/x86_64-w64-mingw32/12-posix:/usr/x86_64-w64-mingw32/lib

.PHONY: all deps debug asan release run demo check bench fuzz package format clean \
        windows-deps windows windows-check windows-bench

all: debug

# Installs those of the Debian packages given that are missing.
define install_missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing: $$missing"; \
		$(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

debug: deps
	cmake -S . -B $(BUILD)/debug -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(BUILD)/debug -j$(JOBS)

asan: deps
	cmake -S . -B $(BUILD)/asan -DCMAKE_BUILD_TYPE=Debug -DTHERMODESK_SANITIZE=ON
	cmake --build $(BUILD)/asan -j$(JOBS)

release: deps
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release -DTHERMODESK_BENCH=ON -DTHERMODESK_TESTS=OFF
	cmake --build $(BUILD)/release -j$(JOBS)

# The program alone, for a real meter: pick its port in the "COM Port" window. Only the
# program is built, not the tests.
run: deps
	cmake -S . -B $(BUILD)/debug -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(BUILD)/debug -j$(JOBS) --target thermodesk
	$(BUILD)/debug/src/thermodesk $(ARGS)

# The program against the virtual meter. Without a display it runs under Xvfb, takes a
# screenshot of the live panel after DEMO_SECONDS seconds and ends. Only what it runs is
# built: the program and the virtual meter.
demo: deps
	cmake -S . -B $(BUILD)/debug -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(BUILD)/debug -j$(JOBS) --target thermodesk meter-sim
	@tools/demo.sh $(BUILD)/debug $(DEMO_SECONDS)

# The tests, then what a distribution checks: the package's lintian (errors and warnings
# fail) and the licence of every file (reuse). CI runs as root, which lintian would
# otherwise remark on; the package is only read.
check: asan package
	cd $(BUILD)/asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	lintian --allow-root --fail-on error,warning $(BUILD)/package/thermodesk_$(VERSION)_*.deb
	reuse lint

bench: release
	@for b in $(BUILD)/release/bench/bench_*; do \
		if [ -f "$$b" ] && [ -x "$$b" ]; then QT_QPA_PLATFORM=offscreen "$$b" || exit 1; fi; \
	done

# The parsers of untrusted bytes under libFuzzer (clang), FUZZ_SECONDS seconds each, from
# the minimised corpus kept in fuzz/corpus/<fuzzer> (read only: what a run finds goes to
# $(BUILD)/fuzz/corpus/<fuzzer>).
FUZZERS := fuzz_meter_reads fuzz_record_reader fuzz_logger_dump fuzz_alarm_rules fuzz_broker_url
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DTHERMODESK_SANITIZE=ON -DTHERMODESK_FUZZ=ON -DTHERMODESK_TESTS=OFF
	cmake --build $(BUILD)/fuzz -j$(JOBS) --target $(FUZZERS)
	@for f in $(FUZZERS); do \
		mkdir -p $(BUILD)/fuzz/corpus/$$f; \
		ASAN_OPTIONS=$(FUZZ_ASAN_OPTIONS) $(BUILD)/fuzz/fuzz/$$f -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
			-artifact_prefix=$(BUILD)/fuzz/ $(BUILD)/fuzz/corpus/$$f fuzz/corpus/$$f tests/data/records || exit 1; \
	done

# A Debian package of the optimised program with its desktop entry, icon and metainfo:
# $(BUILD)/package/thermodesk_<version>_<arch>.deb, for `apt-get install ./thermodesk_*.deb`.
# Built with Debian's hardening flags (stack protector, fortified functions, relocations
# read-only and bound at start), as a distribution's own build of it would be.
DEB_FLAGS := DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get
package: deps
	cmake -S . -B $(BUILD)/package -DCMAKE_BUILD_TYPE=Release -DTHERMODESK_TESTS=OFF \
		-DCMAKE_INSTALL_PREFIX=/usr \
		-DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CXXFLAGS) $$($(DEB_FLAGS) CPPFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)"
	cmake --build $(BUILD)/package -j$(JOBS) --target thermodesk
	cd $(BUILD)/package && cpack -G DEB
	@ls $(BUILD)/package/thermodesk_*.deb

# thermodesk.exe cross-built for 64-bit Windows (release), with the portable zip
# $(WINDOWS)/ThermoDesk-<version>-win64.zip and the installer
# $(WINDOWS)/ThermoDesk-<version>-setup.exe. The tests are configured too, not built.
windows: windows-deps
	@tools/windows/unpack-qt.sh "$(QT_WINDOWS)" $(WINDOWS)/qt6-mingw
	@[ -d $(WINDOWS)/mosquitto-mingw ] || tar xJf "$(QT_WINDOWS)/mosquitto-mingw-2.0.11.tar.xz" -C $(WINDOWS)
	$(WINDOWS)/qt6-mingw/bin/qt-cmake -S . -B $(WINDOWS)/app -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
		-DTHERMODESK_MOSQUITTO=$(abspath $(WINDOWS))/mosquitto-mingw \
		-DTHERMODESK_WINE_DLLS=$(abspath $(WINDOWS))/qt6-mingw/bin:$(abspath $(WINDOWS))/mosquitto-mingw/bin:$(MINGW_DLLS) \
		-DTHERMODESK_HOST_METER_SIM=$(abspath $(WINDOWS))/host/tools/meter-sim/meter-sim \
		-DTHERMODESK_PACKAGES=$(abspath $(WINDOWS))
	cmake --build $(WINDOWS)/app -j$(JOBS) --target thermodesk thermodesk_console
	cd $(WINDOWS)/app && cpack -G "ZIP;NSIS" -B $(abspath $(WINDOWS))/cpack
	mv $(WINDOWS)/cpack/ThermoDesk-*-win64.zip $(WINDOWS)/cpack/ThermoDesk-*-setup.exe $(WINDOWS)/
	@ls -l $(WINDOWS)/ThermoDesk-*

# The cross-built unit tests under Wine (offscreen), the end-to-end tests under Wine with the
# virtual meter (built for this machine) on a pseudo-terminal mapped to COM1, the zip's
# program on a virtual display, and the installer's silent install and uninstall.
windows-check: windows
	cmake -S . -B $(WINDOWS)/host -G Ninja -DCMAKE_BUILD_TYPE=Release -DTHERMODESK_TESTS=OFF
	cmake --build $(WINDOWS)/host -j$(JOBS) --target meter-sim
	cmake --build $(WINDOWS)/app -j$(JOBS)
	cd $(WINDOWS)/app && ctest --output-on-failure -j$(JOBS)

# The Windows program's figures under Wine: the packages' sizes, the time from start to the
# panel, the CPU it uses while following the meter.
windows-bench: windows-check
	@tools/windows/bench-under-wine.sh $(WINDOWS) $(abspath $(WINDOWS))/host/tools/meter-sim/meter-sim

windows-deps: deps
	$(call install_missing,$(WINDOWS_PACKAGES))

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
