# vyro-host under launchers: the scenario's records, messages and exit code come back out of the
# chain as they would from a direct run, and every temporary folder is gone afterwards.
#   cmake -DHOST=<vyro-host> -DWORK=<folder> [-DEMULATOR=<wine>] -P HostUnderLaunchers.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../config/ToolRunner.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/tmp)
# Where the harness makes its folders on POSIX. Not under Wine, which keeps its own temporary folder
# and would start a Wine server of its own beside a different TMPDIR.
if(NOT EMULATOR)
    set(ENV{TMPDIR} ${WORK}/tmp)
endif()
set(TOOL ${HOST})

# scenario(<name> <answers> [<member>...]): one Init call (answered once), checked for <answers> answers.
function(scenario name answers)
    string(JOIN ", " members [=["steps": [{"call": "Init", "params": {"requestId": "1"}}]]=] ${ARGN}
        "\"expectCount\": [{\"match\": {\"type\": \"callback\", \"code\": -1}, \"count\": ${answers}}]")
    file(WRITE ${WORK}/${name}.json "{${members}}")
endfunction()

scenario(answered 1)
expect_run(passed 0 --launched-by steam.exe,game-launcher.exe --check ${WORK}/answered.json)
expect_contains("records on standard output" "${passed_out}" [[{"step":0,"call":"Init","params":{"requestId":"1"}}]])
expect_message("the check's verdict" passed "vyro-host: check passed (0 in order, 1 counted)")

# Under the scenario's own launchers a failed check comes back as such; "" on the command line
# starts the same scenario directly, with the same verdict.
scenario(twice 2 [=["launchedBy": ["steam.exe"]]=])
expect_run(failed 1 --check ${WORK}/twice.json)
expect_message("the check's verdict" failed "vyro-host: check failed: ")
# Not by run_tool, whose argument list would drop the empty argument.
execute_process(COMMAND ${EMULATOR} ${HOST} --launched-by "" --check ${WORK}/twice.json RESULT_VARIABLE direct_status
    OUTPUT_QUIET ERROR_QUIET)
expect_equal("exit status started directly" 1 "${direct_status}")

expect_run(unstaged 2 --launched-by steam.exe --library ${WORK}/no-such-library --check ${WORK}/answered.json)
expect_message("the innermost harness's message" unstaged "vyro-host: cannot stage ")

if(NOT EMULATOR)
    file(GLOB left LIST_DIRECTORIES true ${WORK}/tmp/*)
    expect_equal("folders left in the temporary folder" "" "${left}")
endif()

# Launcher names that could not be executable files beside each other, and a store that does not exist.
set(refused_members [=["launchedBy": ["bin/steam.exe"]]=] [["launchedBy": "steam.exe"]] [["store": "nowhere"]])
set(refusals [["launchedBy" must be an array of executable file names]] [["launchedBy" must be an array]]
    [[unknown store "nowhere" (known: none, steam, google, epic, xbox)]])
foreach(member refusal IN ZIP_LISTS refused_members refusals)
    scenario(refused 1 ${member})
    expect_run(refused 2 --check ${WORK}/refused.json)
    expect_message("refusal of ${member}" refused "${refusal}")
endforeach()
expect_run(empty_name 2 --launched-by steam.exe, ${WORK}/answered.json)
expect_message("empty launcher name" empty_name [[--launched-by: "" is not an executable file name]])
