# Every option that PROGRAM --help lists has an entry in its manual page PAGE (troff source), so
# that an option added to the program and not to its page fails here.
#   cmake -DPROGRAM=... -DPAGE=... -P ManCoversOptions.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help ERROR_VARIABLE help
                RESULT_VARIABLE status TIMEOUT 30)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed (${status}):\n${help}")
endif()
string(REGEX MATCHALL "--[a-z][a-z0-9-]*" options "${help}")
list(REMOVE_DUPLICATES options)
if(options STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} --help lists no option:\n${help}")
endif()

file(READ ${PAGE} page)
string(REPLACE "\\-" "-" page "${page}")
set(missing "")
foreach(option IN LISTS options)
    # Whole options only: --split must not pass on the strength of --split-gap-ms.
    if(NOT page MATCHES "${option}([^a-z0-9-]|$)")
        list(APPEND missing ${option})
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "${PAGE} does not document: ${missing}")
endif()
