# Warnings apply to our own targets only (third-party sources such as GoogleTest are built as they come).
function(vyro_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive-)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    endif()
endfunction()

# Test programs and the simulated store runtimes are compiled for a quick build rather than for speed
# of their own: most of the suite's build time goes to optimising and describing (debug information)
# their template-heavy code. The library's own code keeps the configuration's flags.
option(VYRO_QUICK_TEST_CODE "Compile tests and simulators with light optimisation and line tables only" OFF)
function(vyro_test_code target)
    if(VYRO_QUICK_TEST_CODE AND NOT MSVC)
        target_compile_options(${target} PRIVATE $<$<CONFIG:RelWithDebInfo,Release>:-O1> $<$<CONFIG:RelWithDebInfo,Release>:-g0>
                                                 $<$<CONFIG:Debug>:-g1>)
    endif()
endfunction()

# Shared libraries list every symbol they use, so that a missing one fails the link, not the game.
# Not with clang's sanitizers, whose runtime only the executable carries.
function(vyro_no_undefined_symbols target)
    if(NOT VYRO_FUZZ)
        target_link_options(${target} PRIVATE -Wl,--no-undefined)
    endif()
endfunction()
