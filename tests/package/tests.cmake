# Installs the build tree into a scratch prefix, builds the small outside
# project in consumer/ against it with find_package(KvCustomControl) and runs
# it: the proof that a host can use what the package ships.
set(kvcc_consumer_flags "")
set(kvcc_consumer_link_flags "")
if(KVCC_SANITIZE)
    set(kvcc_consumer_flags "-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined")
    set(kvcc_consumer_link_flags "-fsanitize=address,undefined")
endif()
add_test(NAME package_consumer
    COMMAND ${CMAKE_COMMAND}
        -DBUILD_DIR=${PROJECT_BINARY_DIR}
        -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/package-consumer
        -DCONSUMER_SOURCE=${CMAKE_CURRENT_LIST_DIR}/consumer
        -DGENERATOR=${CMAKE_GENERATOR}
        -DCXX_COMPILER=${CMAKE_CXX_COMPILER}
        -DCXX_FLAGS=${kvcc_consumer_flags}
        -DLINK_FLAGS=${kvcc_consumer_link_flags}
        -P ${CMAKE_CURRENT_LIST_DIR}/consumer.cmake)
set_tests_properties(package_consumer PROPERTIES
    TIMEOUT 600
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${KVCC_LSAN_SUPPRESSIONS}:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
