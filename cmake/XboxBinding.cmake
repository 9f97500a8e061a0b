# How the Xbox channel reaches the Gaming Runtime and the Xbox services library.
#   VYRO_XBOX_BINDING=by-name (default): both are loaded at run time and bound export by export, the
#     way the simulated GDK and every test here use them.
#   VYRO_XBOX_BINDING=linked: the library is linked against them. With VYRO_GDK_ROOT (or the GDK's
#     own GameDKLatest environment variable) naming an installed Microsoft GDK, that is the GDK's
#     xgameruntime.lib and the Xbox services thunks' import library, delay-loaded; without one it is
#     the simulated GDK's static library, a development build that must never ship.
set(VYRO_XBOX_BINDING "by-name" CACHE STRING "How the Xbox channel reaches the Gaming Runtime: by-name or linked")
set_property(CACHE VYRO_XBOX_BINDING PROPERTY STRINGS by-name linked)
if(NOT VYRO_XBOX_BINDING MATCHES "^(by-name|linked)$")
    message(FATAL_ERROR "VYRO_XBOX_BINDING must be by-name or linked, not \"${VYRO_XBOX_BINDING}\"")
endif()
set(VYRO_GDK_ROOT "$ENV{GameDKLatest}" CACHE PATH "An installed Microsoft GDK edition, for the linked Xbox binding")

set(VYRO_LINK_GDK OFF)
if(VYRO_XBOX_BINDING STREQUAL "linked")
    if(VYRO_GDK_ROOT)
        set(VYRO_LINK_GDK ON)
        include(${CMAKE_CURRENT_LIST_DIR}/Gdk.cmake)
    else()
        message(STATUS "Xbox channel linked against the simulated GDK: a development build, not one to ship")
    endif()
endif()
