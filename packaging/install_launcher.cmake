# Names the installed launcher as the command a player types: games/velmora,
# and games/velmora-tty, a link to it (the launcher starts the terminal's game
# when started by that name). VELMORA_GAMES: the folder under the prefix.
set(games "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${VELMORA_GAMES}")
file(RENAME "${games}/velmora-launcher" "${games}/velmora")
file(CREATE_LINK velmora "${games}/velmora-tty" SYMBOLIC)
message(STATUS "Installing: ${games}/velmora, ${games}/velmora-tty -> velmora")
list(REMOVE_ITEM CMAKE_INSTALL_MANIFEST_FILES "${games}/velmora-launcher")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${games}/velmora" "${games}/velmora-tty")
