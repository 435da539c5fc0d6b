# The sanitizer build: AddressSanitizer and UndefinedBehaviorSanitizer on all
# of our code. With clang the same build also instruments our code for
# coverage (fuzzer-no-link), so the libFuzzer targets of fuzz/ link against
# the very libraries the tests use; with another compiler it is the plain
# sanitizer build without fuzzers.
if(NOT VARNO_SANITIZE)
    if(VARNO_FUZZ)
        message(FATAL_ERROR "VARNO_FUZZ needs VARNO_SANITIZE")
    endif()
    return()
endif()

if(VARNO_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VARNO_FUZZ needs clang (libFuzzer); this build uses ${CMAKE_CXX_COMPILER_ID}")
endif()

set(VARNO_SANITIZERS address,undefined)
add_compile_options(-fsanitize=${VARNO_SANITIZERS} -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
# Line tables are all a sanitizer report needs to name file and line. With
# clang, -O1 whatever the build type keeps the instrumented tests and fuzzers
# several times faster than -O0; GCC 12 at -O1 with AddressSanitizer warns of
# uninitialised values that are not (in <regex>), so it stays at -O0.
add_compile_options(-g1)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_compile_options(-O1)
endif()
add_link_options(-fsanitize=${VARNO_SANITIZERS})
if(VARNO_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Leaks are checked in this build: every test and fuzzer runs with
# LeakSanitizer on, and only the leaks of two libraries Qt loads, fontconfig
# and libdbus, are suppressed (the file below says why).
set(VARNO_LEAK_SUPPRESSIONS ${CMAKE_SOURCE_DIR}/tests/leaks/lsan_suppressions.txt)
