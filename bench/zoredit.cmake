# zoredit benchmark program; included by bench/CMakeLists.txt when zoredit is built.
add_executable(zoredit_bench ${CMAKE_CURRENT_LIST_DIR}/zoredit_bench.cpp)
target_link_libraries(zoredit_bench PRIVATE zoredit zoredit_testing)
zor_warnings(zoredit_bench)
# GCC 12 at -O3 misreads the many nested aggregate braces of the generated
# maximum equipment as uninitialised strings (false positives).
target_compile_options(zoredit_bench PRIVATE
    $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-maybe-uninitialized>)
