# varno_add_test(name SOURCES a.cpp b.cpp LIBS lib1 lib2 [ENVIRONMENT VAR=value ...])
# One GoogleTest executable per behaviour, run headless through CTest. The
# shared main gives every test a private HOME, preferences and temporary folder.
function(varno_add_test name)
    cmake_parse_arguments(TEST "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${TEST_SOURCES})
    target_link_libraries(${name} PRIVATE ${TEST_LIBS} varno_test_support)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0;UBSAN_OPTIONS=print_stacktrace=1;${TEST_ENVIRONMENT}"
        TIMEOUT 300)
    add_dependencies(${name} varno_resources)
endfunction()
