# The Designer plugin test loads the plugin installed by package_install, found
# through QT_PLUGIN_PATH as Designer and QUiLoader find it.
if(TARGET kvcustomcontrolplugin)
    find_package(${KVCC_QT} REQUIRED COMPONENTS UiTools UiPlugin)
    kvcc_add_test(tst_designerplugin SOURCES designer/tst_designerplugin.cpp
        LIBS ${KVCC_QT}::UiTools ${KVCC_QT}::UiPlugin)
    set_tests_properties(tst_designerplugin PROPERTIES
        FIXTURES_REQUIRED kvcc_installed
        ENVIRONMENT "${kvcc_package_env};QT_PLUGIN_PATH=${KVCC_TEST_PREFIX}/${KVCC_INSTALL_PLUGINDIR}")
endif()
