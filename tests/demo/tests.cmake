# Tests of the demo host, in folders as the demo's. Each links the lowest of
# the demo's libraries it needs, which exist only when the demo is built;
# otherwise they are left out of the build and reported as disabled.
set(kvcc_demo_test_links
    tst_dxfimport:kvccdemodocument
    tst_dxfsave:kvccdemodocument
    tst_demoundo:kvccdemowindow
    tst_layerisolation:kvccdemodocument
    tst_demolayerstates:kvccdemodocument
    tst_drawingview:kvccdemowindow
    tst_demowindow:kvccdemowindow
    tst_demogerman:kvccdemowindow
    tst_monkey:kvccdemowindow)
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
    set_tests_properties(tst_dxfimport tst_dxfsave tst_demolayerstates PROPERTIES TIMEOUT 300)

    # Random input over the window with fixed seeds, in English and German:
    # four runs of 20 s in the sanitizer build, a short one elsewhere.
    get_test_property(tst_monkey ENVIRONMENT monkey_environment)
    if(KVCC_SANITIZE)
        set(monkey_runs 1:en:20 2:de:20 3:en:20 4:de:20)
    else()
        set(monkey_runs 1:de:5)
    endif()
    foreach(run ${monkey_runs})
        string(REPLACE ":" ";" run_fields ${run})
        list(GET run_fields 0 seed)
        list(GET run_fields 1 language)
        list(GET run_fields 2 seconds)
        set(name tst_monkey_${language}_${seed})
        add_test(NAME ${name} COMMAND tst_monkey)
        set_tests_properties(${name} PROPERTIES TIMEOUT 300 ENVIRONMENT
            "${monkey_environment};KVCC_MONKEY_SEED=${seed};KVCC_MONKEY_LANG=${language};KVCC_MONKEY_SECONDS=${seconds}")
    endforeach()
    set_tests_properties(tst_monkey PROPERTIES DISABLED TRUE)

    # The program started in every language it ships, light and dark.
    add_test(NAME demo_screenshots
        COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/window/screenshots.sh $<TARGET_FILE:kvcc-demo> ${KVCC_SHARED_DXF_DIR})
    set_tests_properties(demo_screenshots PROPERTIES TIMEOUT 600
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${KVCC_LSAN_SUPPRESSIONS}:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

    # The demo's pictures of the shared drawings and of drawings written for
    # the purpose, held against an independent renderer; skipped (77) when
    # ezdxf or matplotlib is missing for /usr/bin/python3.
    add_test(NAME demo_render_compare
        COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/canvas/render_compare.py $<TARGET_FILE:kvcc-demo>
                ${KVCC_SHARED_DXF_DIR})
    set_tests_properties(demo_render_compare PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${KVCC_LSAN_SUPPRESSIONS}:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

    # The real program under a virtual X server on the xcb platform: it must
    # start, map its window, take a key press and quit cleanly.
    find_program(KVCC_XVFB Xvfb)
    find_program(KVCC_XAUTH xauth)
    find_program(KVCC_XDOTOOL xdotool)
    if(KVCC_XVFB AND KVCC_XAUTH AND KVCC_XDOTOOL)
        # Full stacks: X11 libraries without frame pointers otherwise cut
        # their leaks' stacks before the frame the suppressions name.
        set(xcb_environment "QT_QPA_PLATFORM=xcb;LSAN_OPTIONS=suppressions=${KVCC_LSAN_SUPPRESSIONS}:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
        set(xvfb bash ${CMAKE_CURRENT_LIST_DIR}/../xvfb.sh)
        # In English, in German by the system's locale, in Russian by option.
        add_test(NAME demo_smoke_xvfb COMMAND ${xvfb} bash ${CMAKE_CURRENT_LIST_DIR}/window/smoke_xvfb.sh $<TARGET_FILE:kvcc-demo>)
        add_test(NAME demo_smoke_xvfb_de
            COMMAND ${xvfb} env LANG=de_DE.UTF-8 bash ${CMAKE_CURRENT_LIST_DIR}/window/smoke_xvfb.sh $<TARGET_FILE:kvcc-demo>)
        add_test(NAME demo_smoke_xvfb_ru
            COMMAND ${xvfb} bash ${CMAKE_CURRENT_LIST_DIR}/window/smoke_xvfb.sh $<TARGET_FILE:kvcc-demo> --lang ru)
        # The German and Russian picks of views and viewports on the real X11 platform.
        add_test(NAME tst_demogerman_xcb COMMAND ${xvfb} $<TARGET_FILE:tst_demogerman>)
        add_test(NAME tst_demogerman_ru_xcb COMMAND ${xvfb} env KVCC_VIEW_LANG=ru $<TARGET_FILE:tst_demogerman>)
        set_tests_properties(demo_smoke_xvfb demo_smoke_xvfb_de demo_smoke_xvfb_ru tst_demogerman_xcb
            tst_demogerman_ru_xcb PROPERTIES TIMEOUT 120 ENVIRONMENT "${xcb_environment}"
            # One X server at a time: a window of one test must not cover another's.
            RESOURCE_LOCK xvfb)
    else()
        message(STATUS "Xvfb, xauth or xdotool missing: the demo's X11 smoke test is left out (scripts/bootstrap.sh installs them)")
    endif()
else()
    foreach(t ${kvcc_demo_tests})
        set_target_properties(${t} PROPERTIES EXCLUDE_FROM_ALL TRUE)
        set_tests_properties(${t} PROPERTIES DISABLED TRUE)
    endforeach()
endif()
