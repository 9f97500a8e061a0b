# Compares the library's export table with the expected list, and checks that the Windows DLL
# needs no MinGW runtime DLL beside it.
#   cmake -DLIBRARY=<file> -DEXPECTED=<list> -DPLATFORM=posix|windows -DTOOL=<nm|objdump> -P CheckExports.cmake
file(STRINGS ${EXPECTED} expected)
list(SORT expected)

# Runs the dump tool on the library into `dump`.
function(dump_library)
    execute_process(COMMAND ${TOOL} ${ARGN} ${LIBRARY} OUTPUT_VARIABLE output RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${TOOL} failed on ${LIBRARY}")
    endif()
    set(dump "${output}" PARENT_SCOPE)
endfunction()

# The symbol names of the table rows matching `row_pattern`, without the `prefix` each row starts with.
function(names_of_rows text row_pattern prefix)
    string(REGEX MATCHALL "${row_pattern}" rows "${text}")
    set(names)
    foreach(row IN LISTS rows)
        string(REGEX REPLACE "${prefix}" "" name "${row}")
        list(APPEND names ${name})
    endforeach()
    set(actual ${names} PARENT_SCOPE)
endfunction()

if(PLATFORM STREQUAL "windows")
    dump_library(-p)
    # The name pointer table: lines "\t[ordinal] name" after "[Ordinal/Name Pointer] Table".
    string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(.*)" table "${dump}")
    names_of_rows("${CMAKE_MATCH_1}" "\t\\[ *[0-9]+\\] [^\n]+" "\t\\[ *[0-9]+\\] ")
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
    foreach(import IN LISTS imports)
        string(TOLOWER "${import}" lowered)
        if(lowered MATCHES "libstdc|libgcc|libwinpthread|libssp")
            message(FATAL_ERROR "${LIBRARY} depends on a MinGW runtime DLL: ${import}")
        endif()
    endforeach()
else()
    dump_library(-D --defined-only)
    names_of_rows("${dump}" "[0-9a-f]+ [A-Za-z] [^\n]+" "^[0-9a-f]+ [A-Za-z] ")
endif()

list(SORT actual)
if(NOT actual STREQUAL expected)
    set(extra ${actual})
    list(REMOVE_ITEM extra ${expected})
    set(missing ${expected})
    list(REMOVE_ITEM missing ${actual})
    message(FATAL_ERROR "Export table of ${LIBRARY} differs.\nUnexpected: ${extra}\nMissing: ${missing}")
endif()
list(LENGTH actual count)
message(STATUS "${count} exports, as expected")
