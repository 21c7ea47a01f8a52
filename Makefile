# The commands people type. Each installs what is missing first (tools/setup.sh).
NATIVE   := build/native
SANITIZE := build/sanitize
WIN32    := build/win32
FUZZ     := build/fuzz
CMAKE_GEN := -G Ninja

.PHONY: all setup build native sanitize win32 run test bench stress fuzz clean

all: build

setup:
	@bash tools/setup.sh

native: setup
	@cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(NATIVE)

sanitize: setup
	@cmake -S . -B $(SANITIZE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE)

win32: setup
	@cmake -S . -B $(WIN32) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake >/dev/null
	@cmake --build $(WIN32)

build: native win32

test: native sanitize win32
	@bash tools/run-tests.sh $(NATIVE) $(SANITIZE) $(WIN32)

run: build
	@bash tools/run.sh

bench: native
	@bash tools/run-bench.sh $(NATIVE)

# The crash test at length: a writer killed 2,000 times, the catalogue checked after each kill.
stress: native
	@QUILLON_CRASH_KILLS=2000 $(NATIVE)/tests/catalogue/catalogue_crash_tests \
	  --gtest_filter='CatalogueCrash.*'

fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILLON_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ)
	@bash tools/run-fuzz.sh $(FUZZ)

clean:
	rm -rf $(NATIVE) $(SANITIZE) $(WIN32) $(FUZZ)
