# Installs the build tree into a scratch prefix, then builds the small outside
# project in consumer/ against it, once with find_package(KvCustomControl) and
# once with pkg-config (KvCustomControl6 for Qt 6), and runs it: the proof that a host can use what the
# package ships. The Designer plugin test loads the plugin from the same prefix.
set(kvcc_consumer_flags "")
set(kvcc_consumer_link_flags "")
if(KVCC_SANITIZE)
    set(kvcc_consumer_flags "-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined")
    set(kvcc_consumer_link_flags "-fsanitize=address,undefined")
endif()
set(KVCC_TEST_PREFIX ${CMAKE_CURRENT_BINARY_DIR}/package-prefix)
set(kvcc_package_env "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${KVCC_LSAN_SUPPRESSIONS}:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

add_test(NAME package_install
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR} -DPREFIX=${KVCC_TEST_PREFIX}
        -P ${CMAKE_CURRENT_LIST_DIR}/install.cmake)
set_tests_properties(package_install PROPERTIES TIMEOUT 120 FIXTURES_SETUP kvcc_installed)

find_program(KVCC_PKG_CONFIG pkg-config)
add_test(NAME package_consumer
    COMMAND ${CMAKE_COMMAND}
        -DPREFIX=${KVCC_TEST_PREFIX}
        -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/package-consumer
        -DCONSUMER_SOURCE=${CMAKE_CURRENT_LIST_DIR}/consumer
        -DGENERATOR=${CMAKE_GENERATOR}
        -DCXX_COMPILER=${CMAKE_CXX_COMPILER}
        -DCXX_FLAGS=${kvcc_consumer_flags}
        -DLINK_FLAGS=${kvcc_consumer_link_flags}
        -DPKG_CONFIG=${KVCC_PKG_CONFIG}
        -DUIC=$<TARGET_FILE:${KVCC_QT}::uic>
        -DQT_MAJOR=${KVCC_QT_MAJOR}
        -DPACKAGE=${KVCC_PACKAGE}
        -DINCLUDEDIR=${KVCC_INSTALL_INCLUDEDIR}
        -DOTHER_QT=${KVCC_OTHER_QT}
        -P ${CMAKE_CURRENT_LIST_DIR}/consumer.cmake)
set_tests_properties(package_consumer PROPERTIES
    TIMEOUT 600
    FIXTURES_REQUIRED kvcc_installed
    ENVIRONMENT "${kvcc_package_env}")
