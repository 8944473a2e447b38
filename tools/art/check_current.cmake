# Draws the pictures afresh into SCRATCH and fails unless they equal the
# committed ones pixel for pixel.
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${GENERATOR} ${SOURCES} ${SCRATCH} RESULT_VARIABLE drawn)
if(NOT drawn EQUAL 0)
    message(FATAL_ERROR "zommel-gen-art could not draw the pictures from ${SOURCES}")
endif()
execute_process(COMMAND ${GENERATOR} --compare ${SCRATCH} ${COMMITTED} RESULT_VARIABLE same)
if(NOT same EQUAL 0)
    message(FATAL_ERROR "The committed pictures in ${COMMITTED} are stale: "
        "run the regenerate-art target and commit the result.")
endif()
