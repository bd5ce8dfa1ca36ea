# The harness itself: one probe executable whose test functions are run one
# at a time, each with the verdict the harness must reach.
set(KVCC_HARNESS_DIR ${CMAKE_CURRENT_LIST_DIR})
add_executable(kvcc_harness_probe ${KVCC_HARNESS_DIR}/harnessprobe.cpp)
target_link_libraries(kvcc_harness_probe PRIVATE kvcc_testsupport)

# kvcc_harness_case(FUNCTION pass|fail|abort [output that must appear])
function(kvcc_harness_case function expect)
    set(pattern "${ARGN}")
    add_test(NAME harness_${function}
        COMMAND ${CMAKE_COMMAND}
            -DPROBE=$<TARGET_FILE:kvcc_harness_probe>
            -DFUNCTION=${function}
            -DEXPECT=${expect}
            -DPATTERN=${pattern}
            -P ${KVCC_HARNESS_DIR}/expect.cmake)
    set_tests_properties(harness_${function} PROPERTIES
        TIMEOUT 60
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${KVCC_LSAN_SUPPRESSIONS}:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()

kvcc_harness_case(warnsUnexpectedly fail
    "FAIL: unexpected Qt warning in warnsUnexpectedly: an unexpected warning")
kvcc_harness_case(reportsCriticalUnexpectedly fail
    "FAIL: unexpected Qt warning in reportsCriticalUnexpectedly: an unexpected critical message")
kvcc_harness_case(warnsWhenTornDown fail
    "FAIL: Qt warning outside a test function: a warning while the test object is torn down")
kvcc_harness_case(waitsInVainForADialog fail "FAIL!  : HarnessProbe::waitsInVainForADialog() no modal dialog appeared")
kvcc_harness_case(meetsAnotherKindOfDialog fail "no modal dialog appeared")
kvcc_harness_case(warnsAsExpected pass)
kvcc_harness_case(printsAKnownPlatformNotice pass)
kvcc_harness_case(printsDebugOutput pass)
kvcc_harness_case(keepsSettingsInAScratchFolder pass)
if(KVCC_SANITIZE)
    kvcc_harness_case(leaksAnObject abort "LeakSanitizer: detected memory leaks")
endif()
