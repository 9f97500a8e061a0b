# What a release package holds, as install components (scripts/package.sh installs them all):
#   library   the library (bin/ on Windows with its import library, lib/ on Linux), its header, and
#             the CMake package and, on Linux, pkg-config file that find them
#   tools     vyro-config-pack, vyro-host and the vyro-launch it needs, in tools/
#   devkit    the simulated store runtimes with their READMEs, in devkit/<store>/: development
#             stand-ins, never shipped with a game
#   docs      README.md, LICENSE, CHANGELOG.md and examples/
include(CMakePackageConfigHelpers)

if(WIN32)
    set(VYRO_PACKAGE_LIBRARY bin/VyroChannel.dll)
    set(VYRO_PACKAGE_IMPORT_LIBRARY bin/libVyroChannel.dll.a)
    install(TARGETS VyroChannel RUNTIME DESTINATION bin COMPONENT library ARCHIVE DESTINATION bin COMPONENT library)
else()
    set(VYRO_PACKAGE_LIBRARY lib/libVyroChannel.so)
    install(TARGETS VyroChannel LIBRARY DESTINATION lib COMPONENT library)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/package/vyrochannel.pc.in ${CMAKE_BINARY_DIR}/package/vyrochannel.pc @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/package/vyrochannel.pc DESTINATION lib/pkgconfig COMPONENT library)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/include/VyroChannel.h DESTINATION include COMPONENT library)
configure_file(${CMAKE_CURRENT_LIST_DIR}/package/VyroChannelConfig.cmake.in ${CMAKE_BINARY_DIR}/package/VyroChannelConfig.cmake @ONLY)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/VyroChannelConfigVersion.cmake
    COMPATIBILITY SameMinorVersion ARCH_INDEPENDENT)
install(FILES ${CMAKE_BINARY_DIR}/package/VyroChannelConfig.cmake ${CMAKE_BINARY_DIR}/package/VyroChannelConfigVersion.cmake
    DESTINATION lib/cmake/VyroChannel COMPONENT library)

install(TARGETS vyro-config-pack vyro-host vyro-launch RUNTIME DESTINATION tools COMPONENT tools)
install(FILES ${PROJECT_SOURCE_DIR}/examples/config/epic/epic.json DESTINATION tools/epic-config COMPONENT tools)

foreach(store_runtimes IN ITEMS "steam:vyro_sim_steam" "google:vyro_sim_google" "epic:vyro_sim_epic"
                                "xbox:vyro_sim_xbox,vyro_sim_xbox_services")
    string(REPLACE ":" ";" parts ${store_runtimes})
    list(GET parts 0 store)
    list(GET parts 1 runtimes)
    string(REPLACE "," ";" runtimes ${runtimes})
    install(TARGETS ${runtimes} RUNTIME DESTINATION devkit/${store} COMPONENT devkit
                                LIBRARY DESTINATION devkit/${store} COMPONENT devkit)
    install(FILES ${PROJECT_SOURCE_DIR}/sim/${store}/README.md DESTINATION devkit/${store} COMPONENT devkit)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/cmake/package/DEVKIT.md DESTINATION devkit RENAME README.md COMPONENT devkit)

install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/CHANGELOG.md
    DESTINATION . COMPONENT docs)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION examples COMPONENT docs)
