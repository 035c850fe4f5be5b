# Fails unless MODULE exports exactly the symbols of EXPECTED (names separated by commas):
#   cmake -DMODULE=file -DEXPECTED=a,b -DOBJDUMP=... -DNM=... -P check_exports.cmake
# A Windows DLL's export table is read with objdump -p, an ELF module's dynamic symbols with nm.
if(MODULE MATCHES "\\.dll$")
    execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE listing
                    RESULT_VARIABLE failed)
    # "[Ordinal/Name Pointer] Table" lists one "[   N] Name" line per export.
    string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" table "${listing}")
    string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" names "${table}")
    list(TRANSFORM names REPLACE "^\\[ *[0-9]+\\] " "")
else()
    execute_process(COMMAND ${NM} -D --defined-only ${MODULE} OUTPUT_VARIABLE listing
                    RESULT_VARIABLE failed)
    string(REGEX MATCHALL "[0-9a-f]+ [TDBRVW] [^\n]+" names "${listing}")
    list(TRANSFORM names REPLACE "^[0-9a-f]+ . " "")
endif()
if(failed)
    message(FATAL_ERROR "cannot list the exports of ${MODULE}")
endif()
string(REPLACE "," ";" EXPECTED "${EXPECTED}")
list(SORT names)
list(SORT EXPECTED)
if(NOT names STREQUAL EXPECTED)
    message(FATAL_ERROR "${MODULE} exports\n  ${names}\nnot exactly\n  ${EXPECTED}")
endif()
message(STATUS "${MODULE} exports exactly ${names}")
