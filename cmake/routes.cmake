# The route explorer (tools/routes/), the replays of its routes and the
# coverage of the story by them (tests/routes/), and its benchmark.
#
# The explorer is built with the tests, which replay what it writes.
if(NOT VELMORA_TESTS)
    return()
endif()

file(GLOB VELMORA_ROUTES_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../tools/routes/*.cpp)
list(FILTER VELMORA_ROUTES_SOURCES EXCLUDE REGEX "/main\\.cpp$")
add_library(velmora_routes STATIC ${VELMORA_ROUTES_SOURCES})
# The explorer plays the game on its own platform: it sees the game and the
# platform, never the tests.
velmora_sees(velmora_routes world presentation places finale shell platform backends/tty
             backends/posix tools/routes)
target_link_libraries(velmora_routes PUBLIC velmora_shell velmora_backend_tty
                                            velmora_backend_posix)
target_link_libraries(velmora_routes INTERFACE velmora_source_tree)

add_executable(velmora-routes ${CMAKE_CURRENT_LIST_DIR}/../tools/routes/main.cpp)
target_link_libraries(velmora-routes PRIVATE velmora_routes)
# Started outside a checkout, it fails and leaves the folder as it was.
add_test(NAME routes.tool_outside_a_checkout
    COMMAND sh -c [[d=$(mktemp -d) && cd "$d" && ! "$0" && [ -z "$(ls -A)" ]; s=$?; rm -rf "$d"; exit $s]]
            $<TARGET_FILE:velmora-routes>)

find_package(GTest REQUIRED)
include(GoogleTest)
set(VELMORA_ROUTES_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests/routes)

# The exploration takes seconds: its cases share one run, in one test.
add_executable(routes_explorer_tests ${VELMORA_ROUTES_DIR}/explorer_test.cpp)
target_link_libraries(routes_explorer_tests PRIVATE velmora_routes velmora_following GTest::gtest_main)
target_compile_definitions(routes_explorer_tests PRIVATE
    VELMORA_DATA="${CMAKE_CURRENT_LIST_DIR}/../data")
add_test(NAME routes.explorer COMMAND routes_explorer_tests)
# Every state of the story, hundreds of thousands of turns: the sanitizer
# build leaves it out (label slow); its turns are the whole-route tests' own.
set_tests_properties(routes.explorer PROPERTIES TIMEOUT 900 LABELS slow)

# The continuity and completeness checks, a small story for each kind of
# slip they catch; the story's own ledger is checked in the explorer's test,
# over its routes.
add_executable(routes_continuity_tests ${VELMORA_ROUTES_DIR}/continuity_test.cpp)
target_link_libraries(routes_continuity_tests PRIVATE velmora_routes GTest::gtest_main)
add_test(NAME routes.continuity COMMAND routes_continuity_tests)
add_executable(routes_completeness_tests ${VELMORA_ROUTES_DIR}/completeness_test.cpp)
target_link_libraries(routes_completeness_tests PRIVATE velmora_routes GTest::gtest_main)
add_test(NAME routes.completeness COMMAND routes_completeness_tests)
add_executable(routes_contexts_tests ${VELMORA_ROUTES_DIR}/contexts_test.cpp)
target_link_libraries(routes_contexts_tests PRIVATE velmora_routes GTest::gtest_main)
add_test(NAME routes.contexts COMMAND routes_contexts_tests)

# Where to add a place, held: an eleventh place followed through every list.
add_executable(routes_eleventh_place_tests ${VELMORA_ROUTES_DIR}/eleventh_place_test.cpp)
target_link_libraries(routes_eleventh_place_tests PRIVATE velmora_routes velmora_test_harness
                                                          GTest::gtest_main)
target_compile_definitions(routes_eleventh_place_tests PRIVATE
    VELMORA_SOURCE="${CMAKE_CURRENT_LIST_DIR}/..")
add_test(NAME routes.eleventh_place COMMAND routes_eleventh_place_tests)
set_tests_properties(routes.eleventh_place PROPERTIES TIMEOUT 900)

add_executable(routes_coverage_tests ${VELMORA_ROUTES_DIR}/coverage_test.cpp)
target_link_libraries(routes_coverage_tests PRIVATE velmora_routes velmora_backend_posix
                                                    GTest::gtest_main)
target_compile_definitions(routes_coverage_tests PRIVATE
    VELMORA_ROUTES_DIR="${VELMORA_ROUTES_DIR}"
    VELMORA_DATA_DIR="${CMAKE_CURRENT_LIST_DIR}/../data")
gtest_discover_tests(routes_coverage_tests DISCOVERY_TIMEOUT 60)

# One replay through velmora-tty for every event the explorer wrote a route for.
add_executable(routes_replay ${VELMORA_ROUTES_DIR}/replay_check.cpp)
target_link_libraries(routes_replay PRIVATE velmora_routes velmora_test_harness)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VELMORA_ROUTES_DIR}/routes.tsv)
file(STRINGS ${VELMORA_ROUTES_DIR}/routes.tsv VELMORA_ROUTE_ROWS ENCODING UTF-8)
foreach(row IN LISTS VELMORA_ROUTE_ROWS)
    string(REGEX MATCH "^[^\t]+" event "${row}")
    add_test(NAME routes.replay.${event}
             COMMAND routes_replay $<TARGET_FILE:velmora-tty> ${VELMORA_ROUTES_DIR} ${event})
endforeach()

if(VELMORA_BENCH)
    find_package(benchmark REQUIRED)
    add_executable(routes_bench ${CMAKE_CURRENT_LIST_DIR}/../bench/routes/routes_bench.cpp)
    target_link_libraries(routes_bench PRIVATE velmora_routes benchmark::benchmark)
endif()
