# SQLite amalgamation (made by tools/setup.sh from Debian's sqlite3 source package) and
# GoogleTest from /usr/src/googletest, built the same way for both trees.
if(NOT EXISTS "${QUILLON_SQLITE_DIR}/sqlite3.c")
  message(FATAL_ERROR "SQLite amalgamation missing in ${QUILLON_SQLITE_DIR}: run tools/setup.sh")
endif()
add_library(sqlite3 STATIC "${QUILLON_SQLITE_DIR}/sqlite3.c")
target_include_directories(sqlite3 SYSTEM PUBLIC "${QUILLON_SQLITE_DIR}")
target_compile_definitions(sqlite3 PRIVATE
  SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION SQLITE_DEFAULT_FOREIGN_KEYS=0
  SQLITE_DQS=0 SQLITE_DEFAULT_MEMSTATUS=0)
if(NOT WIN32)
  find_package(Threads REQUIRED)
  target_link_libraries(sqlite3 PUBLIC Threads::Threads ${CMAKE_DL_LIBS})
endif()
# The amalgamation is not ours to instrument for undefined behaviour.
if(QUILLON_SANITIZE)
  target_compile_options(sqlite3 PRIVATE -fno-sanitize=undefined)
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

# libjpeg-turbo from Debian's source package (unpacked by tools/setup.sh), built by its own
# CMake project inside this tree with this tree's compilers: the preview decodes JPEG at a
# reduced DCT scale. Its SIMD code needs nasm, which the x86 builds have.
if(NOT EXISTS "${QUILLON_JPEG_SOURCE_DIR}/jpeglib.h")
  message(FATAL_ERROR "libjpeg-turbo source missing in ${QUILLON_JPEG_SOURCE_DIR}: run tools/setup.sh")
endif()
include(ExternalProject)
set(jpeg_prefix "${CMAKE_BINARY_DIR}/third_party/libjpeg-turbo")
set(jpeg_library "${jpeg_prefix}/lib/${CMAKE_STATIC_LIBRARY_PREFIX}jpeg${CMAKE_STATIC_LIBRARY_SUFFIX}")
set(jpeg_args -Wno-dev
  -DCMAKE_INSTALL_PREFIX=${jpeg_prefix} -DCMAKE_INSTALL_LIBDIR=lib
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER}
  -DCMAKE_POSITION_INDEPENDENT_CODE=ON
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
  -DWITH_SIMD=ON -DREQUIRE_SIMD=OFF)
if(CMAKE_TOOLCHAIN_FILE)
  list(APPEND jpeg_args -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE})
endif()
if(CMAKE_C_COMPILER_LAUNCHER)
  list(APPEND jpeg_args -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER})
endif()
ExternalProject_Add(libjpeg_turbo_build
  SOURCE_DIR "${QUILLON_JPEG_SOURCE_DIR}"
  BINARY_DIR "${jpeg_prefix}-build"
  INSTALL_DIR "${jpeg_prefix}"
  CMAKE_ARGS ${jpeg_args}
  BUILD_COMMAND ${CMAKE_COMMAND} --build . --target jpeg-static
  INSTALL_COMMAND ${CMAKE_COMMAND} -E make_directory ${jpeg_prefix}/lib ${jpeg_prefix}/include
    COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/${CMAKE_STATIC_LIBRARY_PREFIX}jpeg${CMAKE_STATIC_LIBRARY_SUFFIX} ${jpeg_library}
    COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/jconfig.h ${QUILLON_JPEG_SOURCE_DIR}/jpeglib.h
      ${QUILLON_JPEG_SOURCE_DIR}/jmorecfg.h ${QUILLON_JPEG_SOURCE_DIR}/jerror.h ${jpeg_prefix}/include
  BUILD_BYPRODUCTS "${jpeg_library}"
  EXCLUDE_FROM_ALL TRUE)
file(MAKE_DIRECTORY "${jpeg_prefix}/include")
add_library(jpeg STATIC IMPORTED GLOBAL)
set_target_properties(jpeg PROPERTIES IMPORTED_LOCATION "${jpeg_library}"
  INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${jpeg_prefix}/include"
  INTERFACE_INCLUDE_DIRECTORIES "${jpeg_prefix}/include")
add_dependencies(jpeg libjpeg_turbo_build)
