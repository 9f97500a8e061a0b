# vyro_stage_store(target folder [runtime...]): after `target` is built, `folder` holds the library
# and the given simulated store runtimes, as a game ships them; an Epic folder also gets the example
# configuration store, a Steam folder a launcher named steam.exe (launcher/steam.exe), since Steam
# runs the game it started.
function(vyro_stage_store target folder)
    set(commands COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
                 COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:VyroChannel> ${folder})
    foreach(runtime ${ARGN})
        list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${runtime}> ${folder})
        if(runtime STREQUAL "vyro_sim_epic")
            list(APPEND commands COMMAND vyro-config-pack ${PROJECT_SOURCE_DIR}/examples/config/epic ${folder})
            add_dependencies(${target} vyro-config-pack)
        elseif(runtime STREQUAL "vyro_sim_steam")
            list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/launcher
                                 COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:vyro-launch> ${folder}/launcher/steam.exe)
            add_dependencies(${target} vyro-launch)
        endif()
    endforeach()
    add_custom_command(TARGET ${target} POST_BUILD ${commands} VERBATIM)
    add_dependencies(${target} VyroChannel ${ARGN})
endfunction()

# The Epic launcher's sign-in, as it puts it on the command line of the game it starts.
set(VYRO_EPIC_LAUNCHER_OPTIONS -AUTH_PASSWORD=sim-exchange-code-0001 -AUTH_TYPE=exchangecode)
