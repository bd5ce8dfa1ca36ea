# cmake -DPREFIX=... -DWORK_DIR=... -DCONSUMER_SOURCE=... -DGENERATOR=...
#       -DCXX_COMPILER=... -DPKG_CONFIG=... -DUIC=... -DQT_MAJOR=5|6 -DPACKAGE=KvCustomControl[6]
#       -DINCLUDEDIR=... -DOTHER_QT=Qt6|Qt5 [-DCXX_FLAGS=...] [-DLINK_FLAGS=...] -P consumer.cmake
# KVCC_PACKAGE_PREFIX in the environment points it at another install, such
# as one prefix that holds the Qt 5 and the Qt 6 package (scripts/test.sh).
set(prefix ${PREFIX})
if(DEFINED ENV{KVCC_PACKAGE_PREFIX})
    set(prefix $ENV{KVCC_PACKAGE_PREFIX})
endif()
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
        ${INCLUDEDIR}/KvCustomControl/KvCustomControl.h
        ${INCLUDEDIR}/KvCustomControl/kvcustomcontrol_export.h
        ${INCLUDEDIR}/KvCustomControl/kvlayerutility.h
        ${INCLUDEDIR}/KvDatabase/KvDatabase.h
        ${INCLUDEDIR}/KvAppBase/KvAppBase.h
        lib/pkgconfig/${PACKAGE}.pc
        lib/lib${PACKAGE}.so)
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
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
    -DQT_MAJOR=${QT_MAJOR})

# The package must come from the scratch prefix, not from the build tree.
file(STRINGS ${build}/CMakeCache.txt found_dir REGEX "^${PACKAGE}_DIR:")
string(FIND "${found_dir}" "${prefix}/" at)
if(NOT at GREATER -1)
    message(FATAL_ERROR "find_package(${PACKAGE}) did not use the install: ${found_dir}")
endif()

run_step("build the consumer" ${CMAKE_COMMAND} --build ${build})

# The same consumer as a qmake or Meson host builds it: uic run by hand,
# flags from pkg-config.
run_step("uic" ${UIC} ${CONSUMER_SOURCE}/everywidget.ui -o ${WORK_DIR}/ui_everywidget.h)
set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig)
run_step("pkg-config" ${PKG_CONFIG} --cflags --libs ${PACKAGE})
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

# A host built with the other Qt must be refused at configure time rather
# than link two Qts into one process.
set(mixed ${WORK_DIR}/mixed)
file(WRITE ${mixed}/CMakeLists.txt "cmake_minimum_required(VERSION 3.16)
project(KvccMixedHost LANGUAGES CXX)
find_package(${OTHER_QT} QUIET COMPONENTS Core)
if(NOT TARGET ${OTHER_QT}::Core)
    message(STATUS \"no ${OTHER_QT} here\")
    return()
endif()
find_package(${PACKAGE} REQUIRED)
")
execute_process(COMMAND ${CMAKE_COMMAND} -S ${mixed} -B ${mixed}/build -G ${GENERATOR}
        -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(out MATCHES "no ${OTHER_QT} here")
    message("${OTHER_QT} is not installed: the refusal of a mixed host is not checked")
elseif(rc EQUAL 0 OR NOT err MATCHES "${PACKAGE} is built with Qt${QT_MAJOR}")
    message(FATAL_ERROR "a ${OTHER_QT} host was not refused ${PACKAGE} (${rc}):\n${out}\n${err}")
endif()
