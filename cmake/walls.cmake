# The walls between the parts of the game (docs/architecture.md). Each part
# is a library that compiles against an include root of its own, holding
# links to the folders and headers of the source tree that it may use and
# to nothing else: an #include of anything else does not compile. The
# front ends (app/), the tools' tests and the tests see the whole tree
# through velmora_source_tree.
#
# The compiler still finds a quoted include beside the file that includes
# it, "../world/flags.h" among them, and follows a link or a ".." out of a
# folder the root links to; so velmora_sees also writes down what each
# library sees and compiles, and the walls test (tools/check_walls.py)
# resolves every include of the library against that alone, to the real
# file it names.

add_library(velmora_source_tree INTERFACE)
target_include_directories(velmora_source_tree INTERFACE ${PROJECT_SOURCE_DIR})

# The platform's interface: windows, pictures, dialogs, files and sound.
set(VELMORA_PLATFORM_INTERFACE platform/platform.h platform/files.h platform/sound.h)

# Where velmora_sees writes each library's root and what it sees.
set(VELMORA_WALLS ${CMAKE_BINARY_DIR}/walls)

# velmora_sees(target PATHS...): the folders and headers the target may include.
function(velmora_sees target)
    set(root ${VELMORA_WALLS}/${target})
    file(REMOVE_RECURSE ${root})  # removes the links, never what they point at
    foreach(path IN LISTS ARGN)
        cmake_path(GET path PARENT_PATH parent)
        file(MAKE_DIRECTORY ${root}/${parent})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PRIVATE ${root})
    # One line each: its sources (as written, from the folder named first)
    # and every folder its quoted includes are looked for in.
    set(sources $<TARGET_PROPERTY:${target},SOURCES>)
    set(folders $<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>)
    file(GENERATE OUTPUT ${VELMORA_WALLS}/${target}.sees CONTENT
"from $<TARGET_PROPERTY:${target},SOURCE_DIR>
$<$<BOOL:${sources}>:source $<JOIN:${sources},\nsource >>
$<$<BOOL:${folders}>:folder $<JOIN:${folders},\nfolder >>
")
endfunction()
