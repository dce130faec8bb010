# Fails when `man --warnings` has anything to say about a manual page, read
# in the locale LOCALE (default C.UTF-8; the Japanese pages in ja_JP.UTF-8).
if(NOT LOCALE)
    set(LOCALE C.UTF-8)
endif()
foreach(page IN LISTS PAGES)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env LC_ALL=${LOCALE} MANROFFSEQ= MANWIDTH=80
                ${MAN} --warnings -E UTF-8 -l -Tutf8 -Z ${page}
        OUTPUT_QUIET ERROR_VARIABLE warnings RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
        message(FATAL_ERROR "${page}: man --warnings in ${LOCALE} (status ${status}):\n${warnings}")
    endif()
endforeach()
