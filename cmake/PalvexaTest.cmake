# palvexa_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [GUI])
# Builds a Qt Test executable into build/tests and registers it with CTest.
# Every test runs on the offscreen platform, in a home folder of its own, with QStandardPaths in
# test mode (set by the test).
function(palvexa_add_test)
    cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PALVEXA_TEST_BIN_DIR})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    # A home of its own per test, so tests running side by side never share the settings file
    # that QStandardPaths' test mode keeps under the home folder.
    set(home ${CMAKE_BINARY_DIR}/test-homes/${T_NAME})
    file(MAKE_DIRECTORY ${home})
    set_tests_properties(${T_NAME} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};PALVEXA_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;PALVEXA_BIN_DIR=${PALVEXA_BIN_DIR}"
        TIMEOUT 600)
endfunction()
