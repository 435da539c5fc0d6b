# The sanitizers' settings for every test and fuzzer run.
if(VARNO_SANITIZE)
    set(VARNO_SANITIZER_ENVIRONMENT
        ASAN_OPTIONS=detect_leaks=1
        LSAN_OPTIONS=suppressions=${VARNO_LEAK_SUPPRESSIONS}:print_suppressions=0
        UBSAN_OPTIONS=print_stacktrace=1)
else()
    set(VARNO_SANITIZER_ENVIRONMENT)
endif()

# The environment of every headless test executable: the offscreen platform,
# and in the sanitizer build the sanitizers' settings.
set(VARNO_TEST_ENVIRONMENT QT_QPA_PLATFORM=offscreen ${VARNO_SANITIZER_ENVIRONMENT})

# varno_add_test(name SOURCES a.cpp b.cpp LIBS lib1 lib2 [ENVIRONMENT VAR=value ...])
# One GoogleTest executable per behaviour, run headless through CTest. The
# shared main gives every test a private HOME, preferences and temporary folder.
# In the sanitizer build every test also runs under LeakSanitizer.
function(varno_add_test name)
    cmake_parse_arguments(TEST "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${TEST_SOURCES})
    target_link_libraries(${name} PRIVATE ${TEST_LIBS} varno_test_support)
    add_dependencies(${name} varno_resources)
    varno_add_test_run(${name} TARGET ${name} ENVIRONMENT ${TEST_ENVIRONMENT})
endfunction()

# varno_add_test_run(name TARGET test_target ENVIRONMENT VAR=value ...)
# A run of a test executable from varno_add_test; a further one in another
# environment (another time zone, say).
function(varno_add_test_run name)
    cmake_parse_arguments(RUN "" "TARGET" "ENVIRONMENT" ${ARGN})
    add_test(NAME ${name} COMMAND ${RUN_TARGET})
    set(environment ${VARNO_TEST_ENVIRONMENT} ${RUN_ENVIRONMENT})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT 300)
endfunction()
