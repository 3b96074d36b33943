# Installs the desktop entry with Exec naming the game (the launcher) by its
# installed path, so that the game starts from the menu under any prefix (/usr/games is
# on the PATH of a Debian session, ~/.local/games is not).
# VELMORA_DESKTOP_ENTRY: the entry in the source tree.
set(launcher "${CMAKE_INSTALL_PREFIX}/games/velmora")
if(launcher MATCHES " ")
    set(launcher "\"${launcher}\"")
endif()
file(READ "${VELMORA_DESKTOP_ENTRY}" entry)
string(REPLACE "Exec=velmora\n" "Exec=${launcher}\n" entry "${entry}")
set(dest "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/velmora.desktop")
message(STATUS "Installing: ${dest}")
file(WRITE "${dest}" "${entry}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${dest}")
