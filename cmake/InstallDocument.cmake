# SPDX-FileCopyrightText: 2026 Tessaly developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Documents that Debian keeps gzip-compressed (manual pages, change logs) are
# installed as they are by default, and compressed with TESSALY_COMPRESS_DOCS,
# which scripts/package turns on.
option(TESSALY_COMPRESS_DOCS "Install manual pages and the change log gzip-compressed" OFF)
if(TESSALY_COMPRESS_DOCS)
    find_program(GZIP_EXECUTABLE gzip REQUIRED)
endif()

# tessaly_install_document(FILE DESTINATION): installs FILE (made by a rule of
# the calling folder, or a source) in DESTINATION, as FILE.gz when
# compressing. -n leaves the name and time out of the header, so that the
# same text always gives the same bytes.
function(tessaly_install_document file destination)
    if(NOT TESSALY_COMPRESS_DOCS)
        install(FILES ${file} DESTINATION ${destination})
        return()
    endif()
    get_filename_component(name ${file} NAME)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/compressed/${name})
    add_custom_command(
        OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${file} ${copy}
        COMMAND ${GZIP_EXECUTABLE} -9nf ${copy}
        DEPENDS ${file}
        COMMENT "Compressing ${name}"
        VERBATIM)
    string(MAKE_C_IDENTIFIER "compress_${name}" target)
    add_custom_target(${target} ALL DEPENDS ${copy}.gz)
    install(FILES ${copy}.gz DESTINATION ${destination})
endfunction()
