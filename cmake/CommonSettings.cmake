# SPDX-FileCopyrightText: 2026 Tessaly developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Compile settings shared by every target of the project: link against
# tessaly_settings instead of repeating flags per target.
add_library(tessaly_settings INTERFACE)

target_compile_features(tessaly_settings INTERFACE cxx_std_20)
# -pedantic-errors: what the standard forbids fails the build with every
# compiler, such as a hex escape out of range ("\xA05"), which GCC only warns
# about and cuts to one byte.
target_compile_options(tessaly_settings INTERFACE -Wall -Wextra -pedantic -pedantic-errors)
if(TESSALY_WERROR)
    target_compile_options(tessaly_settings INTERFACE -Werror)
endif()
target_compile_definitions(tessaly_settings INTERFACE
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_USE_QSTRINGBUILDER
    QT_NO_FOREACH)

# Production code spells out every conversion between bytes and text; tests
# may use plain string literals.
add_library(tessaly_strict INTERFACE)
target_link_libraries(tessaly_strict INTERFACE tessaly_settings)
target_compile_definitions(tessaly_strict INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)

if(TESSALY_SANITIZE)
    target_compile_options(tessaly_settings INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(tessaly_settings INTERFACE -fsanitize=address,undefined)
endif()

# The fuzz build: everything instrumented for libFuzzer's coverage and the
# sanitizers; only the fuzz targets link libFuzzer itself.
if(TESSALY_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "TESSALY_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++)")
    endif()
    target_compile_options(tessaly_settings INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(tessaly_settings INTERFACE -fsanitize=address,undefined)
endif()

# "format": reformat the project's C++ sources with clang-format, when installed.
find_program(CLANG_FORMAT_EXECUTABLE NAMES clang-format clang-format-14)
if(CLANG_FORMAT_EXECUTABLE)
    file(GLOB_RECURSE TESSALY_FORMAT_SOURCES CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/common/*.cpp ${PROJECT_SOURCE_DIR}/common/*.h
        ${PROJECT_SOURCE_DIR}/program/*.cpp ${PROJECT_SOURCE_DIR}/program/*.h
        ${PROJECT_SOURCE_DIR}/library/*.cpp ${PROJECT_SOURCE_DIR}/library/*.h
        ${PROJECT_SOURCE_DIR}/tools/*.cpp ${PROJECT_SOURCE_DIR}/tools/*.h
        ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
        ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/bench/*.h
        ${PROJECT_SOURCE_DIR}/fuzz/*.cpp ${PROJECT_SOURCE_DIR}/fuzz/*.h)
    add_custom_target(format
        COMMAND ${CLANG_FORMAT_EXECUTABLE} -i ${TESSALY_FORMAT_SOURCES}
        COMMENT "Formatting the C++ sources"
        VERBATIM)
endif()
