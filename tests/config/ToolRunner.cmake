# Helpers of the vyro-config-pack test scripts.
#   TOOL      the tool's executable
#   EMULATOR  what runs it in a cross build (Wine), empty otherwise

# run_tool(<name> <args>...): sets <name>_status, <name>_out and <name>_err.
function(run_tool name)
    execute_process(COMMAND ${EMULATOR} ${TOOL} ${ARGN}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(${name}_status "${status}" PARENT_SCOPE)
    set(${name}_out "${out}" PARENT_SCOPE)
    set(${name}_err "${err}" PARENT_SCOPE)
endfunction()

function(expect_equal what expected actual)
    if(NOT "${actual}" STREQUAL "${expected}")
        message(SEND_ERROR "${what}:\n  expected [${expected}]\n  actual   [${actual}]")
    endif()
endfunction()

function(expect_contains what text part)
    string(FIND "${text}" "${part}" position)
    if(position EQUAL -1)
        message(SEND_ERROR "${what}: [${part}] not found in [${text}]")
    endif()
endfunction()

# expect_message(<what> <name> <part>): the run <name>'s standard error holds <part>; when not, its
# exit status and both outputs are shown, so that a run that printed nothing at all is told apart.
function(expect_message what name part)
    string(FIND "${${name}_err}" "${part}" position)
    if(position EQUAL -1)
        message(SEND_ERROR "${what}: [${part}] not found in standard error\n"
            "  exit status [${${name}_status}]\n  stdout [${${name}_out}]\n  stderr [${${name}_err}]")
    endif()
endfunction()

# expect_run(<name> <status> <args>...): runs the tool and checks its exit status.
macro(expect_run name expected_status)
    run_tool(${name} ${ARGN})
    expect_equal("exit status of ${ARGN} (stderr: ${${name}_err})" "${expected_status}" "${${name}_status}")
endmacro()

# expect_get(<store> <type> <key> <value>): --get prints exactly the value and a newline.
function(expect_get store type key value)
    expect_run(get 0 --get ${store} ${type} ${key})
    expect_equal("--get ${type} ${key}" "${value}\n" "${get_out}")
endfunction()

# A store folder holds no store and the folder beside it no staging folder.
function(expect_no_store folder)
    if(EXISTS "${folder}/VyroChannelConfig" OR EXISTS "${folder}/VyroChannelConfig.crc")
        message(SEND_ERROR "a store was left in ${folder}")
    endif()
    get_filename_component(parent "${folder}" DIRECTORY)
    file(GLOB staging LIST_DIRECTORIES true "${parent}/.*staging*")
    if(staging)
        message(SEND_ERROR "staging folders were left: ${staging}")
    endif()
endfunction()

function(store_hashes folder result)
    file(SHA256 "${folder}/VyroChannelConfig" data)
    file(SHA256 "${folder}/VyroChannelConfig.crc" meta)
    set(${result} "${data}/${meta}" PARENT_SCOPE)
endfunction()
