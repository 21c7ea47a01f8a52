# The commands people type. Each installs what is missing first (tools/setup.sh).
NATIVE   := build/native
SANITIZE := build/sanitize
WIN32    := build/win32
WIN64    := build/win64
FUZZ     := build/fuzz
CMAKE_GEN := -G Ninja

.PHONY: all setup build native sanitize win32 win64 windows run test bench fuzz clean

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

# The same sources for 64-bit Windows: what the Windows tests run where the machine runs no
# 32-bit code (tools/wine-env.sh).
win64: setup
	@cmake -S . -B $(WIN64) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-x86_64.cmake >/dev/null
	@cmake --build $(WIN64)

# The shipped 32-bit program, and the Windows tree this machine can run when that is another.
windows: win32
	@tree=$$(bash tools/windows-tree.sh); [ "$$tree" = win32 ] || $(MAKE) --no-print-directory $$tree

build: native windows

test: native sanitize windows
	@bash tools/run-tests.sh $(NATIVE) $(SANITIZE) build/$$(bash tools/windows-tree.sh)

run: build
	@bash tools/run.sh

bench: native windows
	@QUILLON_WIN32=$(CURDIR)/build/$$(bash tools/windows-tree.sh) bash tools/run-bench.sh $(NATIVE)

fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILLON_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ)
	@bash tools/run-fuzz.sh $(FUZZ)

clean:
	rm -rf $(NATIVE) $(SANITIZE) $(WIN32) $(WIN64) $(FUZZ)
