# The program's start and stop without its event loop, shared by the tests and
# the benchmarks; the benchmarks include this file themselves when the tests
# are not built.
include_guard(GLOBAL)
add_library(varno_program_session STATIC ${CMAKE_CURRENT_LIST_DIR}/program_session.cpp)
target_include_directories(varno_program_session PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(varno_program_session PUBLIC varno_app)
target_compile_definitions(varno_program_session PRIVATE VARNO_BUILD_DIR="${CMAKE_BINARY_DIR}")
