# Set-up, build, tests and benchmarks of vorlen and gvmain.
#   make deps   install the Debian packages both trees need
#   make        build both trees (build/native and build/win32)
#   make test   deps, build, then every test (Win32 ones under Wine)
#   make run    deps, build, then start vorlen
#   make bench  the benchmarks, each against its target
#   make installer  vorlen's installation media (build/installer/media)
#   make fuzz   the fuzz targets (clang), FUZZ_SECONDS each

JOBS       ?= 2
NATIVE     := build/native
WIN32      := build/win32
FUZZ       := build/fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps deps-native build native win32 test run bench installer fuzz clean

all: build

deps:
	@scripts/deps.sh all

deps-native:
	@scripts/deps.sh native

build: deps native win32

native:
	@test -f $(NATIVE)/CMakeCache.txt || cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(NATIVE) -j $(JOBS)

win32:
	@test -f $(WIN32)/CMakeCache.txt || cmake -S . -B $(WIN32) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-i686.cmake
	cmake --build $(WIN32) -j $(JOBS)

test: build
	@JOBS=$(JOBS) scripts/test.sh $(NATIVE) $(WIN32)

# Only what vorlen needs: no Wine, MinGW or i386 packages.
run: deps-native
	@test -f $(NATIVE)/CMakeCache.txt || cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(NATIVE) -j $(JOBS) --target vorlen vorlen-window
	@scripts/run.sh $(NATIVE)

bench: build
	$(NATIVE)/bench/occurrences_bench
	$(NATIVE)/bench/data_file_bench $(NATIVE)
	$(NATIVE)/bench/reminders_bench $(NATIVE)/vorlen/shell/vorlen $(NATIVE)
	xvfb-run -a -s "-screen 0 1024x768x24" $(NATIVE)/bench/calendar_bench $(NATIVE)/vorlen/shell/vorlen $(NATIVE)
	xvfb-run -a -s "-screen 0 1024x768x24" $(NATIVE)/bench/event_list_bench $(NATIVE)/vorlen/shell/vorlen $(NATIVE)
	xvfb-run -a -s "-screen 0 1024x768x24" $(NATIVE)/bench/startup_bench $(NATIVE)/vorlen/shell/vorlen \
		$(NATIVE)/bench/minimal_frame $(NATIVE)
	xvfb-run -a -s "-screen 0 1024x768x24" $(NATIVE)/bench/info_tree_bench $(NATIVE)/vorlen/shell/vorlen $(NATIVE)
	scripts/wine_run.sh $(WIN32) $(WIN32)/bench/gvmain/lzpunz2_bench.exe
	scripts/wine_run.sh $(WIN32) $(WIN32)/bench/gvmain/install_file_bench.exe
	bench/gvmain/install_bench.sh $(NATIVE) $(WIN32)

installer: build
	scripts/installer.sh $(NATIVE) $(WIN32)

fuzz: deps-native
	@command -v clang++ >/dev/null || { echo "make fuzz needs clang (Debian package clang)"; exit 1; }
	@test -f $(FUZZ)/CMakeCache.txt || CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLEN_FUZZ=ON
	cmake --build $(FUZZ) -j $(JOBS)
	scripts/fuzz.sh $(FUZZ) $(FUZZ_SECONDS)

clean:
	rm -rf build
