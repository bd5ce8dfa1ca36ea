# Tests of the demo host, in folders as the demo's. Each links the lowest of
# the demo's libraries it needs, which exist only when the demo is built;
# otherwise they are left out of the build and reported as disabled.
set(kvcc_demo_test_links
    tst_dxfimport:kvccdemodocument
    tst_dxfsave:kvccdemodocument
    tst_demoundo:kvccdemowindow
    tst_drawingview:kvccdemowindow
    tst_demowindow:kvccdemowindow
    tst_demogerman:kvccdemowindow)
set(kvcc_demo_tests ${kvcc_demo_test_links})
list(TRANSFORM kvcc_demo_tests REPLACE ":.*" "")
if(KVCC_BUILD_DEMO AND EXISTS ${PROJECT_SOURCE_DIR}/demo/CMakeLists.txt)
    foreach(link ${kvcc_demo_test_links})
        string(REPLACE ":" ";" link ${link})
        list(GET link 0 t)
        list(GET link 1 target)
        target_link_libraries(${t} PRIVATE ${target})
        target_sources(${t} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/dxfwriter.h)
        # Helpers shared by the folders: dxfwriter.h here, samplewindow.h in window/.
        target_include_directories(${t} PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/window)
    endforeach()
    set_tests_properties(tst_dxfimport tst_dxfsave PROPERTIES TIMEOUT 300)

    # The program started in every language it ships, light and dark.
    add_test(NAME demo_screenshots
        COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/window/screenshots.sh $<TARGET_FILE:kvcc-demo> ${KVCC_SHARED_DXF_DIR})
    set_tests_properties(demo_screenshots PROPERTIES TIMEOUT 600
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${KVCC_LSAN_SUPPRESSIONS}:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

    # The real program under a virtual X server on the xcb platform: it must
    # start, map its window, take a key press and quit cleanly.
    find_program(KVCC_XVFB_RUN xvfb-run)
    find_program(KVCC_XDOTOOL xdotool)
    if(KVCC_XVFB_RUN AND KVCC_XDOTOOL)
        add_test(NAME demo_smoke_xvfb
            COMMAND ${KVCC_XVFB_RUN} -a -s "-screen 0 1280x1024x24"
                    bash ${CMAKE_CURRENT_LIST_DIR}/window/smoke_xvfb.sh $<TARGET_FILE:kvcc-demo>)
        set_tests_properties(demo_smoke_xvfb PROPERTIES TIMEOUT 120
            # Full stacks: X11 libraries without frame pointers otherwise cut
            # their leaks' stacks before the frame the suppressions name.
            ENVIRONMENT "QT_QPA_PLATFORM=xcb;LSAN_OPTIONS=suppressions=${KVCC_LSAN_SUPPRESSIONS}:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    else()
        message(STATUS "xvfb-run or xdotool missing: the demo's X11 smoke test is left out (scripts/bootstrap.sh installs them)")
    endif()
else()
    foreach(t ${kvcc_demo_tests})
        set_target_properties(${t} PROPERTIES EXCLUDE_FROM_ALL TRUE)
        set_tests_properties(${t} PROPERTIES DISABLED TRUE)
    endforeach()
endif()
