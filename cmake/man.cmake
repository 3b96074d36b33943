# The manual pages velmora(6) and velmora-tty(6):
# written in Markdown (packaging/man/), turned into roff by pandoc, installed
# in share/man/man6. Each page carries this version and the date of its
# release in the AppStream metainfo, so every build of one version writes the
# same pages.

set(VELMORA_MAN_PAGES velmora.6 velmora-tty.6)
set(VELMORA_MAN_DIR ${PROJECT_BINARY_DIR}/man)

find_program(VELMORA_PANDOC pandoc)
if(NOT VELMORA_PANDOC)
    message(STATUS "pandoc not found: the manual pages are not built (tools/setup.sh test installs it; a player needs none to play)")
else()
    set(metainfo ${PROJECT_SOURCE_DIR}/packaging/io.github.velmora.Velmora.metainfo.xml)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${metainfo})
    file(READ ${metainfo} releases)
    string(REPLACE "." "\\." version_pattern ${PROJECT_VERSION})
    if(NOT releases MATCHES "<release version=\"${version_pattern}\" date=\"([0-9-]+)\"")
        message(FATAL_ERROR "${metainfo} lists no release ${PROJECT_VERSION}")
    endif()
    set(release_date ${CMAKE_MATCH_1})

    set(pages)
    foreach(page IN LISTS VELMORA_MAN_PAGES)
        set(source ${PROJECT_SOURCE_DIR}/packaging/man/${page}.md)
        add_custom_command(OUTPUT ${VELMORA_MAN_DIR}/${page}
            COMMAND ${VELMORA_PANDOC} --standalone --to man --fail-if-warnings
                    --metadata "footer=velmora ${PROJECT_VERSION}" --metadata "date=${release_date}"
                    --output ${VELMORA_MAN_DIR}/${page} ${source}
            DEPENDS ${source}
            COMMENT "Writing the manual page ${page}"
            VERBATIM)
        list(APPEND pages ${VELMORA_MAN_DIR}/${page})
    endforeach()
    add_custom_target(velmora_man_pages ALL DEPENDS ${pages})
    install(FILES ${pages} DESTINATION share/man/man6)
endif()

if(VELMORA_TESTS)
    # Every page built, and read by man and groff without a warning.
    add_test(NAME man_pages
        COMMAND sh ${PROJECT_SOURCE_DIR}/tests/install/man_pages_test.sh ${VELMORA_MAN_DIR}
                ${VELMORA_MAN_PAGES})
endif()
