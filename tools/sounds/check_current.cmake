# Renders the sounds into OUTPUT and compares them, byte for byte, with the
# wave files in REFERENCE. Run with cmake -P; GENERATOR, PARAMS, REFERENCE and
# OUTPUT are passed with -D.

foreach(var GENERATOR PARAMS REFERENCE OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "check_current.cmake needs -D${var}=...")
    endif()
endforeach()

file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT})
execute_process(
    COMMAND ${GENERATOR} ${PARAMS} ${OUTPUT}
    RESULT_VARIABLE result
    OUTPUT_QUIET
)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the generator failed (${result})")
endif()

file(GLOB generated RELATIVE ${OUTPUT} ${OUTPUT}/*.wav)
file(GLOB committed RELATIVE ${REFERENCE} ${REFERENCE}/*.wav)
list(SORT generated)
list(SORT committed)
if(NOT generated STREQUAL committed)
    message(FATAL_ERROR "wave files differ in name:\n  generated: ${generated}\n  committed: ${committed}")
endif()

set(stale "")
foreach(name IN LISTS generated)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT}/${name} ${REFERENCE}/${name}
        RESULT_VARIABLE differs
    )
    if(NOT differs EQUAL 0)
        list(APPEND stale ${name})
    endif()
endforeach()
if(stale)
    message(FATAL_ERROR "stale wave files: ${stale}\n"
        "rebuild them with the regenerate-sounds target and commit them")
endif()
