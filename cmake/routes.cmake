# The route explorer (tools/routes/), the replays of its routes and the
# coverage of the story by them (tests/routes/), and its benchmark.
file(GLOB VELMORA_ROUTES_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../tools/routes/*.cpp)
list(FILTER VELMORA_ROUTES_SOURCES EXCLUDE REGEX "/main\\.cpp$")
add_library(velmora_routes STATIC ${VELMORA_ROUTES_SOURCES})
target_link_libraries(velmora_routes PUBLIC velmora_engine velmora_platform_trace)

add_executable(velmora-routes ${CMAKE_CURRENT_LIST_DIR}/../tools/routes/main.cpp)
target_link_libraries(velmora-routes PRIVATE velmora_routes)
