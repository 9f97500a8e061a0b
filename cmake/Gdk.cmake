# An installed Microsoft GDK for the linked Xbox binding (VYRO_GDK_ROOT: one edition's folder, as the
# GDK's GameDKLatest names it, e.g. C:/Program Files (x86)/Microsoft GDK/241000). The GDK's headers
# and libraries need MSVC for 64-bit Windows. The target vyro_gdk carries the headers, the runtime's
# static library (its loader finds the Gaming Runtime the system installed) and the Xbox services
# thunks' import library, whose DLL is delay-loaded so that a game without it still starts.
if(NOT MSVC OR NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
    message(FATAL_ERROR "A GDK build (VYRO_GDK_ROOT) needs MSVC for x64: Visual Studio 2022 with the GDK installed")
endif()

# Editions up to April 2025 lay the files out under GRDK/; later ones also under windows/.
set(gdk_services ${VYRO_GDK_ROOT}/GRDK/ExtensionLibraries/Xbox.Services.API.C)
set(gdk_http ${VYRO_GDK_ROOT}/GRDK/ExtensionLibraries/Xbox.LibHttpClient)
find_path(VYRO_GDK_RUNTIME_INCLUDE XGameRuntime.h NO_DEFAULT_PATH
    PATHS ${VYRO_GDK_ROOT}/GRDK/gameKit/Include ${VYRO_GDK_ROOT}/windows/include)
find_library(VYRO_GDK_RUNTIME_LIBRARY xgameruntime NO_DEFAULT_PATH
    PATHS ${VYRO_GDK_ROOT}/GRDK/gameKit/Lib/amd64 ${VYRO_GDK_ROOT}/windows/lib/x64)
find_path(VYRO_GDK_SERVICES_INCLUDE xsapi-c/services_c.h NO_DEFAULT_PATH
    PATHS ${gdk_services}/DesignTime/CommonConfiguration/Neutral/Include ${gdk_services}/Include
          ${VYRO_GDK_ROOT}/windows/include)
find_path(VYRO_GDK_HTTP_INCLUDE httpClient/httpClient.h NO_DEFAULT_PATH
    PATHS ${gdk_http}/DesignTime/CommonConfiguration/Neutral/Include ${gdk_http}/Include ${VYRO_GDK_ROOT}/windows/include)
find_library(VYRO_GDK_SERVICES_THUNKS Microsoft.Xbox.Services.GDK.C.Thunks NO_DEFAULT_PATH
    PATHS ${gdk_services}/DesignTime/CommonConfiguration/Neutral/Lib/Release ${gdk_services}/Lib/Release
          ${gdk_services}/Lib/x64/Release)
foreach(found VYRO_GDK_RUNTIME_INCLUDE VYRO_GDK_RUNTIME_LIBRARY VYRO_GDK_SERVICES_INCLUDE VYRO_GDK_HTTP_INCLUDE
              VYRO_GDK_SERVICES_THUNKS)
    if(NOT ${found})
        message(FATAL_ERROR "${found} was not found in the GDK at ${VYRO_GDK_ROOT}: set it to the file's folder "
                            "(the GDK edition must ship Microsoft.Xbox.Services.GDK.C.Thunks.dll, the thunks file "
                            "the library detects the Xbox store by)")
    endif()
endforeach()

add_library(vyro_gdk INTERFACE)
target_include_directories(vyro_gdk SYSTEM INTERFACE ${VYRO_GDK_RUNTIME_INCLUDE} ${VYRO_GDK_SERVICES_INCLUDE}
                                                     ${VYRO_GDK_HTTP_INCLUDE})
target_compile_definitions(vyro_gdk INTERFACE _GAMING_DESKTOP WINAPI_FAMILY=WINAPI_FAMILY_DESKTOP_APP)
target_link_libraries(vyro_gdk INTERFACE ${VYRO_GDK_RUNTIME_LIBRARY} ${VYRO_GDK_SERVICES_THUNKS} delayimp)
target_link_options(vyro_gdk INTERFACE /DELAYLOAD:Microsoft.Xbox.Services.GDK.C.Thunks.dll)
