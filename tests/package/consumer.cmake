# cmake -DPREFIX=... -DWORK_DIR=... -DCONSUMER_SOURCE=... -DGENERATOR=...
#       -DCXX_COMPILER=... -DPKG_CONFIG=... -DUIC=... [-DCXX_FLAGS=...] [-DLINK_FLAGS=...] -P consumer.cmake
set(prefix ${PREFIX})
set(build ${WORK_DIR}/build)
file(REMOVE_RECURSE ${WORK_DIR})

function(run_step what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
    endif()
    set(step_output "${out}" PARENT_SCOPE)
endfunction()

foreach(f
        include/KvCustomControl/KvCustomControl.h
        include/KvCustomControl/kvcustomcontrol_export.h
        include/KvCustomControl/kvlayerutility.h
        include/KvDatabase/KvDatabase.h
        include/KvAppBase/KvAppBase.h
        lib/pkgconfig/KvCustomControl.pc)
    if(NOT EXISTS ${prefix}/${f})
        message(FATAL_ERROR "the install lacks ${f}")
    endif()
endforeach()
file(GLOB_RECURSE private_headers ${prefix}/include/*_p.h ${prefix}/include/ui_*.h)
if(private_headers)
    message(FATAL_ERROR "private headers were installed: ${private_headers}")
endif()

run_step("configure the consumer" ${CMAKE_COMMAND} -S ${CONSUMER_SOURCE} -B ${build} -G ${GENERATOR}
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
    "-DCMAKE_EXE_LINKER_FLAGS=${LINK_FLAGS}"
    -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF)

# The package must come from the scratch prefix, not from the build tree.
file(STRINGS ${build}/CMakeCache.txt found_dir REGEX "^KvCustomControl_DIR:")
string(FIND "${found_dir}" "${prefix}/" at)
if(NOT at GREATER -1)
    message(FATAL_ERROR "find_package(KvCustomControl) did not use the install: ${found_dir}")
endif()

run_step("build the consumer" ${CMAKE_COMMAND} --build ${build})

# The same consumer as a qmake or Meson host builds it: uic run by hand,
# flags from pkg-config.
run_step("uic" ${UIC} ${CONSUMER_SOURCE}/everywidget.ui -o ${WORK_DIR}/ui_everywidget.h)
set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig)
run_step("pkg-config" ${PKG_CONFIG} --cflags --libs KvCustomControl)
string(STRIP "${step_output}" pc_flags)
separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
separate_arguments(extra_flags UNIX_COMMAND "${CXX_FLAGS} ${LINK_FLAGS}")
run_step("build the consumer with pkg-config" ${CXX_COMPILER} -std=c++17 -fPIC ${extra_flags}
    -I${WORK_DIR} ${CONSUMER_SOURCE}/main.cpp -o ${WORK_DIR}/kvcc-consumer-pc ${pc_flags})

foreach(consumer ${build}/kvcc-consumer ${WORK_DIR}/kvcc-consumer-pc)
    run_step("run ${consumer}" ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${prefix}/lib ${consumer})
    message("${step_output}")
    if(NOT step_output MATCHES "layers: 0 \\| Walls \\| Doors")
        message(FATAL_ERROR "${consumer} listed unexpected layers:\n${step_output}")
    endif()
endforeach()
