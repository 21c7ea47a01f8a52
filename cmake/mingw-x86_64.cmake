# Cross build for 64-bit Windows: the Windows tests run this build where the machine runs no
# 32-bit code (tools/wine-env.sh).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
