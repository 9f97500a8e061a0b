# Header-only use of nlohmann/json and fmt on every build. The cross build cannot take the host's
# /usr/include as a whole (glibc headers would shadow MinGW's), so it sees only those two folders.
if(CMAKE_CROSSCOMPILING)
    set(VYRO_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
    file(MAKE_DIRECTORY ${VYRO_HOST_HEADERS})
    foreach(dir nlohmann fmt)
        file(CREATE_LINK /usr/include/${dir} ${VYRO_HOST_HEADERS}/${dir} SYMBOLIC)
    endforeach()
    add_library(vyro_json INTERFACE)
    target_include_directories(vyro_json SYSTEM INTERFACE ${VYRO_HOST_HEADERS})
    add_library(vyro_fmt INTERFACE)
    target_include_directories(vyro_fmt SYSTEM INTERFACE ${VYRO_HOST_HEADERS})
    target_compile_definitions(vyro_fmt INTERFACE FMT_HEADER_ONLY=1)
else()
    find_package(nlohmann_json 3.11 REQUIRED)
    find_package(fmt REQUIRED)
    add_library(vyro_json INTERFACE)
    target_link_libraries(vyro_json INTERFACE nlohmann_json::nlohmann_json)
    add_library(vyro_fmt INTERFACE)
    target_link_libraries(vyro_fmt INTERFACE fmt::fmt-header-only)
endif()

if(VYRO_BUILD_TESTS)
    # Built from the sources Debian's googletest package installs, with this build's flags
    # (sanitizers, the MinGW runtime).
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
