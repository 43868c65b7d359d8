# Checks the plug-in library as the device's loader sees it: it needs no
# library of ours and has no run path; of the host's descriptor classes it
# uses only the members the host exports, out of line; and it defines every
# member a host may link (EXPECTED, one signature a line).
# cmake -DLIBRARY=... -DNM=... -DREADELF=... -DEXPECTED=... -P checksymbols.cmake

execute_process(COMMAND ${READELF} -d ${LIBRARY} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${READELF} -d ${LIBRARY} failed")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*" needed "${dynamic}")
foreach(entry IN LISTS needed)
    if(entry MATCHES "msp")
        message(SEND_ERROR "needs a library of ours: ${entry}")
    endif()
endforeach()
if(dynamic MATCHES "\\((RPATH|RUNPATH)\\)[^\n]*")
    message(SEND_ERROR "has a run path: ${CMAKE_MATCH_0}")
endif()

execute_process(COMMAND ${NM} -DC --undefined-only ${LIBRARY} OUTPUT_VARIABLE undefined)
execute_process(COMMAND ${NM} -DC --defined-only ${LIBRARY} OUTPUT_VARIABLE defined)
set(host_classes CableDelSysDes T2DelSysDes HDLogicalChannelDes)
set(allowed)
foreach(c IN LISTS host_classes)
    list(APPEND allowed "${c}::${c}()" "${c}::~${c}()" "${c}::${c}(${c} const&)"
        "${c}::operator=(${c} const&)" "${c}::setPathHist(QString)" "${c}::getDescriptorSize()")
    if(defined MATCHES "[^\n]* ${c}::[^\n]*")
        message(SEND_ERROR "defines the host's ${CMAKE_MATCH_0}")
    endif()
endforeach()
string(REGEX MATCHALL "(CableDelSysDes|T2DelSysDes|HDLogicalChannelDes)::[^\n]*" used "${undefined}")
list(REMOVE_DUPLICATES used)
list(SORT used)
list(SORT allowed)
if(NOT used STREQUAL allowed)
    message(SEND_ERROR "uses of the host's classes:\n  ${used}\nexpected:\n  ${allowed}")
endif()

file(STRINGS ${EXPECTED} expected REGEX "^[^#]")
foreach(symbol IN LISTS expected)
    string(FIND "${defined}" " ${symbol}\n" at)
    if(at EQUAL -1)
        message(SEND_ERROR "not a defined dynamic symbol: ${symbol}")
    endif()
endforeach()
