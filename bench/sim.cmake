# ZorGemSim benchmark program; included by bench/CMakeLists.txt when the sim
# part is built.
add_executable(sim_bench ${CMAKE_CURRENT_LIST_DIR}/sim_bench.cpp)
target_link_libraries(sim_bench PRIVATE secs zoredit)
zor_warnings(sim_bench)
