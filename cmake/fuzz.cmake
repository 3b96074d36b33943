# Fuzz targets and fault tests.
#
# With clang and -DVELMORA_FUZZ=ON the six readers become libFuzzer targets
# (tools/fuzz.sh builds and runs them); in every other build the same targets
# are built as replayers that ctest runs over the kept corpus, so a crasher
# found once is checked on every run.
option(VELMORA_FUZZ "Build libFuzzer targets (clang only)" OFF)

set(VELMORA_FUZZ_ENGINE OFF)
if(VELMORA_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "VELMORA_FUZZ needs clang (CXX=clang++-14)")
    endif()
    set(VELMORA_FUZZ_ENGINE ON)
    # Coverage for the game's own code, and the sanitizers the targets use.
    foreach(lib velmora_world velmora_presentation velmora_places velmora_finale velmora_shell
                velmora_backend_posix velmora_backend_tty velmora_replay
                velmora_player)
        target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
            -fno-sanitize-recover=all -fno-omit-frame-pointer)
    endforeach()
endif()

if(VELMORA_TESTS OR VELMORA_FUZZ)
    enable_testing()
    add_subdirectory(tests/fuzz)
endif()
if(VELMORA_TESTS AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/faults/CMakeLists.txt)
    add_subdirectory(tests/faults)
endif()
if(VELMORA_FUZZ_ENGINE)
    # Every program of this build links the instrumented libraries.
    target_link_options(velmora-tty PRIVATE -fsanitize=address,undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
