# nlohmann/json header-only and fmt's headers on every build; fmt's compiled part is built once into a
# static library of ours (the shipped library must not need an fmt runtime). The cross build cannot
# take the host's /usr/include as a whole (glibc headers would shadow MinGW's), so it sees only those
# two folders.
if(CMAKE_CROSSCOMPILING)
    set(VYRO_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
    file(MAKE_DIRECTORY ${VYRO_HOST_HEADERS})
    foreach(dir nlohmann fmt)
        file(CREATE_LINK /usr/include/${dir} ${VYRO_HOST_HEADERS}/${dir} SYMBOLIC)
    endforeach()
    add_library(vyro_json INTERFACE)
    target_include_directories(vyro_json SYSTEM INTERFACE ${VYRO_HOST_HEADERS})
    set(VYRO_FMT_HEADERS ${VYRO_HOST_HEADERS})
else()
    find_package(nlohmann_json 3.11 REQUIRED)
    find_package(fmt REQUIRED)
    add_library(vyro_json INTERFACE)
    target_link_libraries(vyro_json INTERFACE nlohmann_json::nlohmann_json)
    get_target_property(VYRO_FMT_HEADERS fmt::fmt-header-only INTERFACE_INCLUDE_DIRECTORIES)
endif()
add_library(vyro_fmt STATIC ${PROJECT_SOURCE_DIR}/src/common/FmtImplementation.cpp)
target_include_directories(vyro_fmt SYSTEM PUBLIC ${VYRO_FMT_HEADERS})
set_target_properties(vyro_fmt PROPERTIES POSITION_INDEPENDENT_CODE ON)

# The headers nearly every file of the larger targets includes, precompiled once per target rather
# than parsed once per file (about a quarter of each such file's compile time).
set(VYRO_PRECOMPILED_HEADERS <nlohmann/json.hpp> <memory> <optional> <string> <vector>)

if(VYRO_BUILD_TESTS)
    # Built from the sources Debian's googletest package installs, with this build's flags
    # (sanitizers, the MinGW runtime).
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
