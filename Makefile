# The commands people type. Each installs what is missing first (tools/setup.sh).
NATIVE   := build/native
SANITIZE := build/sanitize
WIN32    := build/win32
FUZZ     := build/fuzz
CMAKE_GEN := -G Ninja

.PHONY: all setup build native sanitize win32 win32-configure installer run test bench fuzz clean

all: build

setup:
	@bash tools/setup.sh

native: setup
	@cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(NATIVE)

sanitize: setup
	@cmake -S . -B $(SANITIZE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE)

win32-configure: setup
	@cmake -S . -B $(WIN32) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake >/dev/null

win32: win32-configure
	@cmake --build $(WIN32)

# build/QuillonSetup-<version>.exe
installer: win32-configure
	@cmake --build $(WIN32) --target installer

build: native win32

test: native sanitize win32
	@bash tools/run-tests.sh $(NATIVE) $(SANITIZE) $(WIN32)

run: build
	@bash tools/run.sh

bench: native
	@bash tools/run-bench.sh $(NATIVE)

fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILLON_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ)
	@bash tools/run-fuzz.sh $(FUZZ)

clean:
	rm -rf $(NATIVE) $(SANITIZE) $(WIN32) $(FUZZ)
