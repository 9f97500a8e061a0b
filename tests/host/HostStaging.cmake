# vyro-host staging for a session: what a file step reports of text, binary and empty files, the
# Epic store's own configuration and launcher arguments, refusals of malformed members, and exit
# codes that come back unchanged from the process the harness starts for the game.
#   cmake -DHOST=<vyro-host> -DWORK=<folder> -DVERSION=<project version> [-DEMULATOR=<wine>] -P HostStaging.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../config/ToolRunner.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/tmp ${WORK}/broken-config)
# Where the harness and the packer make their folders on POSIX (Wine keeps its own).
if(NOT EMULATOR)
    set(ENV{TMPDIR} ${WORK}/tmp)
endif()
set(TOOL ${HOST})

# Help on standard output, and the version, each with exit status 0.
foreach(help --help -h)
    expect_run(help 0 ${help})
    expect_contains("usage from ${help}" "${help_out}" "usage: vyro-host [--store")
endforeach()
expect_run(version 0 --version)
string(STRIP "${version_out}" version_line)
expect_equal("--version" "vyro-host ${VERSION}" "${version_line}")

file(WRITE ${WORK}/log.txt "[WARN][LogEOS] first\r\nsecond Zoë\nlast")
file(WRITE ${WORK}/empty.txt "")
file(WRITE ${WORK}/broken-config/epic.json [[{"epic": ]])

# scenario(<name> <member>...): a scenario file of these members, with @WORK@ and @HOST@ replaced.
function(scenario name)
    string(JOIN ", " members ${ARGN})
    string(CONFIGURE "{${members}}" text @ONLY)
    file(WRITE ${WORK}/${name}.json "${text}")
endfunction()

# Lines lose their "\r\n" or "\n"; the harness executable stands in for a binary file, shown
# without lines.
scenario(files
    [=["stage": {"QuietHarbour.LogSink": "@WORK@/log.txt", "empty.txt": "@WORK@/empty.txt", "plugin.dll": "@HOST@"}]=]
    [=["steps": [{"file": "QuietHarbour.LogSink"}, {"file": "empty.txt"}, {"file": "plugin.dll"}]]=]
    [=["expect": [{"type": "file", "name": "QuietHarbour.LogSink", "exists": true, "kind": "file", "size": 38,
                   "lines": ["[WARN][LogEOS] first", "second Zoë", "last"]},
                  {"type": "file", "name": "empty.txt", "kind": "file", "size": 0, "lines": []},
                  {"type": "file", "name": "plugin.dll", "kind": "file"}]]=])
expect_run(files 0 --check ${WORK}/files.json)
string(REGEX MATCH [[{"type":"file","name":"plugin.dll","exists":true,"kind":"file","size":[0-9]+}]] binary_record
    "${files_out}")
if(NOT binary_record)
    message(SEND_ERROR "no record of the binary file without \"lines\" in [${files_out}]")
endif()

# The Epic store packs its own configuration unless the scenario says "config": null, and starts the
# game with the launcher's arguments. Its runtime is replaced by a text file: no step calls the
# library, so nothing loads it.
set(epic_members [=["stage": {"EOSSDK-Win64-Shipping.dll": "@WORK@/log.txt"}]=]
    [=["steps": [{"file": "VyroChannelConfig"}, {"file": "VyroChannelConfig.crc"}]]=])
scenario(epic_default ${epic_members}
    [=["expect": [{"type": "file", "name": "VyroChannelConfig", "exists": true}, {"name": "VyroChannelConfig.crc", "exists": true}]]=])
expect_run(epic_default 0 --store epic --check ${WORK}/epic_default.json)
expect_contains("the launcher's arguments" "${epic_default_out}"
    [[{"type":"arguments","arguments":["-AUTH_LOGIN=unused","-AUTH_PASSWORD=sim-exchange-code-0001","-AUTH_TYPE=exchangecode",]])
expect_contains("the player's name" "${epic_default_out}" [["-epicusername=Zoë Ångström"]])
scenario(epic_unconfigured ${epic_members} [["config": null]] [=["arguments": []]=]
    [=["expect": [{"type": "file", "name": "VyroChannelConfig", "exists": false}, {"name": "VyroChannelConfig.crc", "exists": false}]]=])
expect_run(epic_unconfigured 0 --store epic --check ${WORK}/epic_unconfigured.json)
string(FIND "${epic_unconfigured_out}" [["type":"arguments"]] arguments_position)
expect_equal("an arguments record for \"arguments\": []" -1 "${arguments_position}")

# After "--" the harness plays in this process with those as the game's arguments, and they are
# nothing of its own.
scenario(plain [=["steps": [{"call": "Init"}]]=] [=["expectCount": [{"match": {"type": "callback"}, "count": 1}]]=])
expect_run(given 0 --check ${WORK}/plain.json -- --check -a=Ölfeld --store)
expect_contains("arguments after --" "${given_out}" [[{"type":"arguments","arguments":["--check","-a=Ölfeld","--store"]}]])

# Exit codes of the process started for the game: a failed check, and a store that cannot be packed.
scenario(failing [=["arguments": ["-a=1"]]=] [=["steps": []]=] [=["expect": [{"type": "callback"}]]=])
expect_run(failing 1 --check ${WORK}/failing.json)
expect_message("the check's verdict" failing "vyro-host: check failed: ")
scenario(unpackable [=["arguments": ["-a=1"]]=] [["config": "broken-config"]] [=["steps": []]=])
expect_run(unpackable 2 ${WORK}/unpackable.json)
expect_message("the packer's failure" unpackable "vyro-host: cannot pack the configuration in ")

# A folder where a staged file is.
scenario(blocked [=["stage": {"marker": "@WORK@/log.txt"}]=] [=["stageDirs": ["marker/inside"]]=] [=["steps": []]=])
expect_run(blocked 2 ${WORK}/blocked.json)
expect_message("a folder inside a file" blocked "vyro-host: cannot make the folder marker/inside in ")

# Folders that ended runs could not remove (under Windows the runtimes they kept loaded were in them)
# are removed by a later run; those of a running process, and folders of another shape, are kept.
if(NOT EMULATOR)
    set(ended ${WORK}/tmp/vyro-host-999999999-1)
    set(running ${WORK}/tmp/vyro-host-1-1)
    set(foreign ${WORK}/tmp/vyro-host-notes)
    file(MAKE_DIRECTORY ${ended}/inside ${running} ${foreign})
    expect_run(sweep 0 --check ${WORK}/plain.json)
    if(EXISTS ${ended})
        message(SEND_ERROR "the folder of an ended run was left: ${ended}")
    endif()
    foreach(folder IN ITEMS ${running} ${foreign})
        if(NOT EXISTS ${folder})
            message(SEND_ERROR "a folder that was not an ended run's was removed: ${folder}")
        endif()
        file(REMOVE_RECURSE ${folder})
    endforeach()
    file(GLOB left LIST_DIRECTORIES true ${WORK}/tmp/* ${WORK}/tmp/.*)
    expect_equal("folders left in the temporary folder" "" "${left}")
endif()

# Members and steps that cannot mean anything inside the staged folder or on a command line.
set(refused_members [=["stageDirs": ["../outside"]]=] [=["stageDirs": ["/absolute"]]=] [=["arguments": ["-a=1", 2]]=]
    [=["config": 5]=] [=["steps": [{"file": "a/./b"}]]=])
set(refusals [["stageDirs" must be an array of folder paths relative to the staged folder]]
    [["stageDirs" must be an array of folder paths relative to the staged folder]]
    [["arguments" must be an array of the game's command-line arguments]]
    [["config" must be a folder of JSON files, relative to the scenario's folder, or null]]
    [[step 0: "file" must be a path relative to the staged folder]])
foreach(member refusal IN ZIP_LISTS refused_members refusals)
    set(steps [=["steps": []]=])
    if(member MATCHES "^\"steps\"")
        set(steps)
    endif()
    scenario(refused ${member} ${steps})
    expect_run(refused 2 ${WORK}/refused.json)
    expect_message("refusal of ${member}" refused "${refusal}")
endforeach()
