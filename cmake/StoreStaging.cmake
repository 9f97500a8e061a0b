# vyro_stage_store(target folder [runtime...]): whenever `target` is built, `folder` holds the library
# and the given simulated store runtimes, as a game ships them; an Epic folder also gets the example
# configuration store, a Steam folder a launcher named steam.exe (launcher/steam.exe), since Steam
# runs the game it started. The staging is a target of its own that runs on every build: `target`
# does not link the library, so a step after its link would leave an older library staged.
function(vyro_stage_store target folder)
    get_filename_component(staged ${folder} NAME)
    set(staging ${target}_stage_${staged})
    set(commands COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
                 COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:VyroChannel> ${folder})
    set(tools)
    foreach(runtime ${ARGN})
        list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${runtime}> ${folder})
        if(runtime STREQUAL "vyro_sim_epic")
            list(APPEND commands COMMAND vyro-config-pack ${PROJECT_SOURCE_DIR}/examples/config/epic ${folder})
            list(APPEND tools vyro-config-pack)
        elseif(runtime STREQUAL "vyro_sim_steam")
            list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/launcher
                                 COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:vyro-launch> ${folder}/launcher/steam.exe)
            list(APPEND tools vyro-launch)
        endif()
    endforeach()
    add_custom_target(${staging} ${commands} VERBATIM)
    add_dependencies(${staging} VyroChannel ${ARGN} ${tools})
    add_dependencies(${target} ${staging})
endfunction()

# The Epic launcher's sign-in, as it puts it on the command line of the game it starts.
set(VYRO_EPIC_LAUNCHER_OPTIONS -AUTH_PASSWORD=sim-exchange-code-0001 -AUTH_TYPE=exchangecode)
