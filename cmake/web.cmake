# The browser build (emscripten, tools/web.sh) and what the desktop build
# keeps of it: the CP932 tables read off glibc, checked against glibc itself,
# and the test that plays the page in a real browser.

# --- CP932 tables: made by a program of the building machine ---
set(VELMORA_CP932_DIR ${CMAKE_SOURCE_DIR}/world/cp932_table)
set(VELMORA_CP932_MAKER ${CMAKE_SOURCE_DIR}/tools/cp932/make_cp932_table.cpp)
set(VELMORA_CP932_INC ${CMAKE_BINARY_DIR}/generated/cp932_table.inc)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated)
if(EMSCRIPTEN)
    find_program(VELMORA_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
    add_custom_command(OUTPUT ${VELMORA_CP932_INC}
        COMMAND ${VELMORA_HOST_CXX} -std=c++20 -O2 ${VELMORA_CP932_MAKER}
                -o ${CMAKE_BINARY_DIR}/make_cp932_table
        COMMAND ${CMAKE_BINARY_DIR}/make_cp932_table ${VELMORA_CP932_INC}
        DEPENDS ${VELMORA_CP932_MAKER}
        COMMENT "Reading the CP932 tables off glibc")
else()
    add_executable(make_cp932_table ${VELMORA_CP932_MAKER})
    add_custom_command(OUTPUT ${VELMORA_CP932_INC}
        COMMAND make_cp932_table ${VELMORA_CP932_INC}
        DEPENDS make_cp932_table
        COMMENT "Reading the CP932 tables off glibc")
endif()
add_library(velmora_cp932_table STATIC ${VELMORA_CP932_DIR}/cp932_table.cpp ${VELMORA_CP932_INC})
if(COMMAND velmora_sees)
    velmora_sees(velmora_cp932_table world)
else()
    target_include_directories(velmora_cp932_table PRIVATE ${CMAKE_SOURCE_DIR})
endif()
target_include_directories(velmora_cp932_table PRIVATE ${CMAKE_BINARY_DIR}/generated)

# --- the page's tables: written from the player's rules (backends/web/page_table.cpp) ---
set(VELMORA_PAGE_TABLE ${CMAKE_BINARY_DIR}/page_table.js)
set(VELMORA_PAGE_TABLE_SOURCES ${CMAKE_SOURCE_DIR}/backends/web/page_table.cpp
    ${CMAKE_SOURCE_DIR}/player/player_keys.cpp ${CMAKE_SOURCE_DIR}/player/comfort_words.cpp)
if(EMSCRIPTEN)
    file(GLOB VELMORA_PAGE_TABLE_HEADERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/player/*.h
         ${CMAKE_SOURCE_DIR}/backends/web/page_protocol.h)
    add_custom_command(OUTPUT ${VELMORA_PAGE_TABLE}
        COMMAND ${VELMORA_HOST_CXX} -std=c++20 -O1 -I${CMAKE_SOURCE_DIR} ${VELMORA_PAGE_TABLE_SOURCES}
                -o ${CMAKE_BINARY_DIR}/velmora-page-table
        COMMAND ${CMAKE_BINARY_DIR}/velmora-page-table ${VELMORA_PAGE_TABLE}
        DEPENDS ${VELMORA_PAGE_TABLE_SOURCES} ${VELMORA_PAGE_TABLE_HEADERS}
        COMMENT "Writing the page's tables from the player's rules")
else()
    # Built here too, for the test that changes a rule and sees the page follow.
    add_executable(velmora-page-table ${VELMORA_PAGE_TABLE_SOURCES})
    if(COMMAND velmora_sees)
        velmora_sees(velmora-page-table ${VELMORA_PLATFORM_INTERFACE} backends/web player)
    endif()
endif()

if(NOT EMSCRIPTEN)
    if(VELMORA_TESTS)
        add_subdirectory(tests/web)
    endif()
    return()
endif()

# --- the game as WebAssembly ---
# The engine's CP932 goes through the tables: the library that builds
# world/cp932.cpp builds world/cp932_table/cp932_by_table.cpp instead. The
# engine ends the program by an exception, and every wait unwinds and
# rewinds the stack through Asyncify.
set_target_properties(velmora-tty velmora_backend_tty velmora_backend_posix
                      PROPERTIES EXCLUDE_FROM_ALL ON)
foreach(lib velmora_replay velmora_player)
    target_compile_options(${lib} PUBLIC -fexceptions)
endforeach()
foreach(candidate velmora_world velmora_engine)
    if(TARGET ${candidate} AND NOT VELMORA_CP932_OWNER)
        get_target_property(kind ${candidate} TYPE)
        if(NOT kind STREQUAL "INTERFACE_LIBRARY")
            set(VELMORA_CP932_OWNER ${candidate})
        endif()
    endif()
endforeach()
get_target_property(VELMORA_WORLD_SOURCES ${VELMORA_CP932_OWNER} SOURCES)
list(FILTER VELMORA_WORLD_SOURCES EXCLUDE REGEX "world/cp932\\.cpp$")
set_property(TARGET ${VELMORA_CP932_OWNER} PROPERTY SOURCES ${VELMORA_WORLD_SOURCES}
             ${VELMORA_CP932_DIR}/cp932_by_table.cpp)
target_link_libraries(${VELMORA_CP932_OWNER} PUBLIC velmora_cp932_table)
foreach(lib ${VELMORA_CP932_OWNER} velmora_cp932_table)
    target_compile_options(${lib} PUBLIC -fexceptions)
endforeach()

# The page's platform sees the platform's interface, its own folder and the
# rules it hands the page.
add_library(velmora_backend_web STATIC backends/web/web_platform.cpp backends/web/web_files.cpp
            backends/web/page_bridge.cpp backends/web/page_rules.cpp backends/web/page_menu.cpp
            backends/web/scene_light_bridge.cpp)
if(COMMAND velmora_sees)
    velmora_sees(velmora_backend_web ${VELMORA_PLATFORM_INTERFACE} backends/web player)
else()
    target_include_directories(velmora_backend_web PRIVATE ${CMAKE_SOURCE_DIR})
endif()
target_compile_options(velmora_backend_web PUBLIC -fexceptions)

# The numbers the page and the game answer each other with are written once,
# in the page's page_codes.js; the game reads them from the header written
# here from its `export const` lines.
set(VELMORA_PAGE_CODES ${CMAKE_SOURCE_DIR}/backends/web/page/page_codes.js)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VELMORA_PAGE_CODES})
file(READ ${VELMORA_PAGE_CODES} VELMORA_PAGE_CODE_LINES)
string(REGEX MATCHALL "export const k[A-Za-z]+ = -?[0-9]+" VELMORA_PAGE_CODE_LINES
       "${VELMORA_PAGE_CODE_LINES}")
list(TRANSFORM VELMORA_PAGE_CODE_LINES REPLACE "^export const (k[A-Za-z]+) = (-?[0-9]+)$"
     "constexpr int \\1 = \\2")
list(JOIN VELMORA_PAGE_CODE_LINES ";\n" VELMORA_PAGE_CODE_LINES)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/page_codes/backends/web/page_codes.h CONTENT
"// Written by cmake/web.cmake from backends/web/page/page_codes.js, where
// each number is said what it means.
#pragma once

namespace velmora::web {

${VELMORA_PAGE_CODE_LINES};

}  // namespace velmora::web
")
target_include_directories(velmora_backend_web PRIVATE ${CMAKE_BINARY_DIR}/page_codes)
target_link_libraries(velmora_backend_web PUBLIC velmora_player)

add_executable(velmora-web app/web_main.cpp app/page_slots.cpp)
target_link_libraries(velmora-web PRIVATE velmora_backend_web velmora_replay
                                          velmora_following velmora_engine)
set_target_properties(velmora-web PROPERTIES OUTPUT_NAME velmora-engine SUFFIX .js)
# The page calls in for the player's rules (page_rules.cpp, the menu's layout
# in page_menu.cpp) and to paint the light of the hour (scene_light_bridge.cpp).
target_link_options(velmora-web PRIVATE -fexceptions -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
    -sMODULARIZE=1 -sEXPORT_NAME=createVelmoraEngine -sENVIRONMENT=web -sFILESYSTEM=0
    -sALLOW_MEMORY_GROWTH=1 -sINCOMING_MODULE_JS_API=page,locateFile,print,printErr,onAbort
    -sEXPORTED_RUNTIME_METHODS=UTF8ToString,stringToUTF8,lengthBytesUTF8
    -sEXPORTED_FUNCTIONS=_main,_malloc,_free,_velmora_key,_velmora_wheel,_velmora_button,_velmora_menu_focus,_velmora_menu,_velmora_words,_velmora_narrowing,_velmora_light_buffer,_velmora_paint_light)

# --- the folder of static files a player's browser loads ---
find_program(VELMORA_SYSTEM_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
file(GLOB VELMORA_PAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/backends/web/page/*)
file(GLOB VELMORA_DATA_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/* ${CMAKE_SOURCE_DIR}/data/design/*
     ${CMAKE_SOURCE_DIR}/data/story/storymap.txt)
file(GLOB_RECURSE VELMORA_TEXT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/shell/*.cpp
     ${CMAKE_SOURCE_DIR}/world/*.cpp ${CMAKE_SOURCE_DIR}/places/*.cpp
     ${CMAKE_SOURCE_DIR}/presentation/*.cpp ${CMAKE_SOURCE_DIR}/finale/*.cpp)
# The platform's own words the page shows too (tools/web/font_subset.py).
file(GLOB VELMORA_PLATFORM_TEXTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/*.h
     ${CMAKE_SOURCE_DIR}/player/*.[hc]* ${CMAKE_SOURCE_DIR}/replay/*.[hc]*
     ${CMAKE_SOURCE_DIR}/backends/posix/*.[hc]* ${CMAKE_SOURCE_DIR}/backends/tty/*.[hc]*
     ${CMAKE_SOURCE_DIR}/backends/web/*.[hc]* ${CMAKE_SOURCE_DIR}/app/*.[hc]*)
set(VELMORA_SITE ${CMAKE_BINARY_DIR}/site)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/site.stamp
    COMMAND ${VELMORA_SYSTEM_PYTHON} ${CMAKE_SOURCE_DIR}/tools/web/build_site.py
            --source ${CMAKE_SOURCE_DIR} --engine $<TARGET_FILE:velmora-web>
            --page-table ${VELMORA_PAGE_TABLE} --out ${VELMORA_SITE}
    COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/site.stamp
    DEPENDS velmora-web ${VELMORA_PAGE_TABLE} ${CMAKE_SOURCE_DIR}/tools/web/build_site.py
            ${CMAKE_SOURCE_DIR}/tools/web/font_subset.py ${VELMORA_PAGE_FILES}
            ${CMAKE_SOURCE_DIR}/backends/web/service_worker.js
            ${CMAKE_SOURCE_DIR}/packaging/icons/velmora-192.png
            ${CMAKE_SOURCE_DIR}/packaging/icons/velmora-512.png
            ${VELMORA_DATA_FILES} ${VELMORA_TEXT_SOURCES} ${VELMORA_PLATFORM_TEXTS}
    COMMENT "Laying out the site in ${VELMORA_SITE}")
add_custom_target(velmora-site ALL DEPENDS ${CMAKE_BINARY_DIR}/site.stamp)
