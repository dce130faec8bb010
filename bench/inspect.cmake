# ZorInspect benchmark program; included by bench/CMakeLists.txt when the
# inspect library is built.
add_executable(inspect_bench ${CMAKE_CURRENT_LIST_DIR}/inspect_bench.cpp)
target_link_libraries(inspect_bench PRIVATE inspect)
zor_warnings(inspect_bench)
