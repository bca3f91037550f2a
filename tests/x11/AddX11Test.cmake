# SPDX-FileCopyrightText: 2026 Tessaly developers
# SPDX-License-Identifier: GPL-3.0-or-later

# add_x11_test(NAME SOURCES ... LIBRARIES ...): a test executable like
# add_unit_test's, run by x11/run-with-xvfb on a private X server with a
# window manager, on Qt's xcb platform. Where Xvfb or openbox is missing it
# is reported as skipped. BROWSER_DOUBLE_PATH names the browser double
# (x11/BrowserDouble.cpp) that such tests drive.
function(add_x11_test name)
    cmake_parse_arguments(TEST "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${TEST_SOURCES})
    target_include_directories(${name} PRIVATE ${TESSALY_TESTS_DIR} ${TESSALY_TESTS_DIR}/x11)
    target_link_libraries(${name} PRIVATE ${TEST_LIBRARIES} Qt6::Test tessaly_settings)
    target_compile_definitions(${name} PRIVATE
        TESSALY_TEST_DATA="${TESSALY_TESTS_DIR}/data"
        BROWSER_DOUBLE_PATH="$<TARGET_FILE:browser_double>")
    add_dependencies(${name} browser_double)
    set(home ${TESSALY_TESTS_HOME}/${name})
    add_test(NAME ${name} COMMAND ${TESSALY_TESTS_DIR}/x11/run-with-xvfb $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=UTC;HOME=${home};XDG_CONFIG_HOME=${home}/.config;XDG_DATA_HOME=${home}/.local/share;XDG_CACHE_HOME=${home}/.cache;XDG_RUNTIME_DIR=${home}/runtime"
        FIXTURES_REQUIRED test_homes
        SKIP_RETURN_CODE 77
        TIMEOUT 90)
endfunction()
