# zoredit benchmark program; included by bench/CMakeLists.txt when zoredit is built.
add_executable(zoredit_bench ${CMAKE_CURRENT_LIST_DIR}/zoredit_bench.cpp)
target_link_libraries(zoredit_bench PRIVATE zoredit zoredit_testing)
zor_warnings(zoredit_bench)
