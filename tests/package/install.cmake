# cmake -DBUILD_DIR=... -DPREFIX=... -P install.cmake
# Installs the build tree into a fresh scratch prefix for the package tests.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "install failed (${rc}):\n${out}\n${err}")
endif()
