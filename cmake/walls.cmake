# The walls between the parts of the game (docs/architecture.md). Each part
# is a library that compiles against an include root of its own, holding
# links to the folders and headers of the source tree that it may use and
# to nothing else: an #include of anything else does not compile. The
# front ends (app/), the tools' tests and the tests see the whole tree
# through velmora_source_tree.

add_library(velmora_source_tree INTERFACE)
target_include_directories(velmora_source_tree INTERFACE ${PROJECT_SOURCE_DIR})

# The platform's interface: windows, pictures, dialogs, files and sound.
set(VELMORA_PLATFORM_INTERFACE platform/platform.h platform/files.h platform/sound.h)

# velmora_sees(target PATHS...): the folders and headers the target may include.
function(velmora_sees target)
    set(root ${CMAKE_BINARY_DIR}/walls/${target})
    file(REMOVE_RECURSE ${root})  # removes the links, never what they point at
    foreach(path IN LISTS ARGN)
        cmake_path(GET path PARENT_PATH parent)
        file(MAKE_DIRECTORY ${root}/${parent})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PRIVATE ${root})
endfunction()
