# Installing the game as Debian's game packages lay it out, and the .deb.
#
#   games/                      velmora (the launcher), velmora-tty (a link to it)
#   lib/games/velmora/          the programs it starts, and the window program's
#                               music and speech modules beside them
#   share/games/velmora/        the shipped data (scenario files, pictures, music)
#   share/applications/         velmora.desktop (starts the launcher)
#   share/metainfo/             AppStream metainfo
#   share/icons/hicolor/N/apps/ velmora.png
#   share/doc/velmora/          copyright, and the CC-BY-SA-4.0 text it names
#
# The command a player types, velmora, is the launcher: it makes the player's
# game folder under the XDG data directory, links the shipped data into it and
# starts the game there.

add_executable(velmora-launcher app/launcher.cpp)
# Its copies are written as the game writes its files.
target_link_libraries(velmora-launcher PRIVATE velmora_backend_posix velmora_source_tree)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(VELMORA_INSTALL_GAMES games)
set(VELMORA_INSTALL_PROGRAMS lib/games/velmora)
set(VELMORA_INSTALL_DATA share/games/velmora)

install(TARGETS velmora-tty RUNTIME DESTINATION ${VELMORA_INSTALL_PROGRAMS})
if(TARGET velmora)
    install(TARGETS velmora RUNTIME DESTINATION ${VELMORA_INSTALL_PROGRAMS})
    # The music and speech modules, loaded when first used, beside the program.
    install(TARGETS velmora-sound LIBRARY DESTINATION ${VELMORA_INSTALL_PROGRAMS})
    if(TARGET velmora-speech)
        install(TARGETS velmora-speech LIBRARY DESTINATION ${VELMORA_INSTALL_PROGRAMS})
    endif()
    if(TARGET velmora-pad)
        install(TARGETS velmora-pad LIBRARY DESTINATION ${VELMORA_INSTALL_PROGRAMS})
    endif()
endif()
# The launcher takes the game's name in games/ (stripped first where the
# install strips), and velmora-tty beside it is a link to it.
install(TARGETS velmora-launcher RUNTIME DESTINATION ${VELMORA_INSTALL_GAMES})
install(CODE "set(VELMORA_GAMES \"${VELMORA_INSTALL_GAMES}\")")
install(SCRIPT packaging/install_launcher.cmake)

# Everything in data/ is read by the game from its folder, except data/design,
# which is compiled into the program, and data/story, the continuity ledger
# that only the tools read, and the story map's words, which the game reads
# from its folder beside the rest.
install(DIRECTORY data/ DESTINATION ${VELMORA_INSTALL_DATA}
    PATTERN "design" EXCLUDE
    PATTERN "story" EXCLUDE
    PATTERN ".*" EXCLUDE)
install(FILES data/story/storymap.txt DESTINATION ${VELMORA_INSTALL_DATA})

foreach(size 16 24 32 48 64 128 256)
    install(FILES packaging/icons/velmora-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME velmora.png)
endforeach()
install(FILES packaging/io.github.velmora.Velmora.metainfo.xml DESTINATION share/metainfo)
# The code is GPL-3.0-or-later (its text is in Debian's common-licenses), the
# pictures, music and story text CC-BY-SA-4.0. The IPA fonts come from
# Debian's packages, never from the game.
install(FILES debian/copyright LICENSES/CC-BY-SA-4.0.txt DESTINATION share/doc/velmora)

# The desktop entry names the game by its installed path, so that a game
# installed under any prefix starts from the menu.
install(CODE "set(VELMORA_DESKTOP_ENTRY \"${PROJECT_SOURCE_DIR}/packaging/velmora.desktop\")")
install(SCRIPT packaging/install_desktop_entry.cmake)

# ---------------------------------------------------------------- CPack's package
# One package of the whole game, under a name of its own: Debian's source
# package (debian/) builds velmora and velmora-data from the same files. Either
# replaces the other, as apt and dpkg do for packages that conflict: the one
# installed last takes the files, never a mix of both.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora-standalone)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_CONFLICTS "velmora, velmora-data")
set(CPACK_DEBIAN_PACKAGE_REPLACES "velmora, velmora-data")
set(CPACK_PACKAGE_VENDOR "Velmora maintainers")
# The maintainer is the Debian source package's (debian/control).
file(STRINGS ${PROJECT_SOURCE_DIR}/debian/control CPACK_PACKAGE_CONTACT REGEX "^Maintainer: ")
string(REPLACE "Maintainer: " "" CPACK_PACKAGE_CONTACT "${CPACK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese adventure game with dating-sim elements")
set(CPACK_PACKAGE_DESCRIPTION
    "A high-school student spends the first days of his spring break in a small\n\
seaside town. From a menu of ten places the player chooses where he goes;\n\
whom he meets depends on the day, the hour and what has already happened.\n\
The game is in Japanese. Start it from the desktop menu or with\n\
velmora; save slots are kept in ~/.local/share/velmora.\n\
\n\
This package holds the whole game, built by CMake; Debian's packages\n\
velmora and velmora-data hold the same and replace it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# CMAKE_INSTALL_PREFIX stays /usr while the package is staged (DESTDIR), so the
# desktop entry names /usr/games/velmora.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# The libraries come from dpkg-shlibdeps (dpkg-dev); the fonts it cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
# Without dpkg-shlibdeps CPack quietly builds a package that depends on the
# fonts alone: check the package that came out.
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/check_deb_depends.cmake)
include(CPack)


if(VELMORA_TESTS)
    # The installed game started through the launcher, as a player starts it;
    # its desktop entry and metainfo (appstreamcli validate-tree --no-net).
    add_test(NAME installed_game
        COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tests/install/installed_game_test.py
                ${PROJECT_BINARY_DIR} ${CMAKE_COMMAND})
    # Installing and packaging ask the sanitizers nothing the tests that start
    # the game do not: label slow, which the sanitizer build leaves out.
    set_tests_properties(installed_game PROPERTIES TIMEOUT 300 RESOURCE_LOCK velmora_install
                                                   LABELS slow)

    if(TARGET velmora)
        add_test(NAME deb_package
            COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tests/install/deb_package_test.py
                    ${PROJECT_BINARY_DIR} ${CMAKE_CPACK_COMMAND})
        set_tests_properties(deb_package PROPERTIES TIMEOUT 600 RESOURCE_LOCK velmora_install
                                                     LABELS slow)
    endif()
endif()
