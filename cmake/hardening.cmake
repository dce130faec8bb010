# Debian's hardening flags for everything this tree builds, as dpkg-buildflags
# gives them with every hardening feature on: fortified libc calls, stack
# protector, format checks, relro and bind-now; PIE for programs and position
# independent code throughout. The optimisation and debug flags stay the build
# type's, and no path of this machine goes into the flags.
find_program(ZOR_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT ZOR_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "ZOR_HARDENING needs dpkg-buildflags (Debian package dpkg-dev)")
endif()

function(zor_buildflags variable out)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env
                "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
                "DEB_${variable}_MAINT_STRIP=-g -O2"
                ${ZOR_DPKG_BUILDFLAGS} --get ${variable}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()

zor_buildflags(CPPFLAGS zor_cppflags)
zor_buildflags(CFLAGS zor_cflags)
zor_buildflags(CXXFLAGS zor_cxxflags)
zor_buildflags(LDFLAGS zor_ldflags)
add_compile_options(${zor_cppflags} "$<$<COMPILE_LANGUAGE:C>:${zor_cflags}>"
                    "$<$<COMPILE_LANGUAGE:CXX>:${zor_cxxflags}>")
add_link_options(${zor_ldflags})
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
string(REPLACE ";" " " zor_shown "${zor_cppflags};${zor_cxxflags};${zor_ldflags}")
message(STATUS "Hardening flags: ${zor_shown}")
