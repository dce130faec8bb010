# Fails when `man --warnings` has anything to say about a manual page.
foreach(page IN LISTS PAGES)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 MANROFFSEQ= MANWIDTH=80
                ${MAN} --warnings -E UTF-8 -l -Tutf8 -Z ${page}
        OUTPUT_QUIET ERROR_VARIABLE warnings RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
        message(FATAL_ERROR "${page}: man --warnings (status ${status}):\n${warnings}")
    endif()
endforeach()
