# A chain of vyro-launch copies named steam.exe and game-launcher.exe: the program at its end sees
# them as its nearest ancestors, gets its arguments unchanged, and its exit code and output come
# back out of the outermost launcher.
#   cmake -DLAUNCHER=<vyro-launch> -DPROBE=<platform_probe> -DWORK=<folder> [-DEMULATOR=<wine>] -P LauncherChain.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../config/ToolRunner.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY_FILE ${LAUNCHER} ${WORK}/steam.exe)
file(COPY_FILE ${LAUNCHER} ${WORK}/game-launcher.exe)
set(TOOL ${WORK}/steam.exe)

# The probe's report on standard output, through both launchers. Run here rather than by run_tool,
# whose argument list would swallow the backslash before a list separator.
execute_process(COMMAND ${EMULATOR} ${TOOL} ${WORK}/game-launcher.exe ${PROBE} - 0
                        "-title=two words" [[-quote=say "hi"]] -empty= [[-folder=C:\games\]]
    RESULT_VARIABLE probe_status OUTPUT_VARIABLE probe_out ERROR_VARIABLE probe_err)
expect_equal("exit status of the probe (stderr: ${probe_err})" 0 "${probe_status}")
string(REPLACE "\r" "" report "${probe_out}")
string(REGEX MATCHALL "ancestor [0-9]+ [^\n]+" ancestors "${report}")
list(SUBLIST ancestors 0 2 nearest)
list(TRANSFORM nearest REPLACE "^ancestor [0-9]+ " "")
expect_equal("nearest ancestors" "game-launcher.exe;steam.exe" "${nearest}")
string(REGEX MATCH "option .*" options "${report}")
get_filename_component(probe_name ${PROBE} NAME)
expect_equal("options the probe was started with"
    "option empty=\noption folder=C:\\games\\\noption program=${probe_name}\noption quote=say \"hi\"\noption title=two words\n"
    "${options}")

# Exit codes come back as they are, whoever fails.
expect_run(unwritable 1 ${WORK}/game-launcher.exe ${PROBE} ${WORK}/no-such-folder/report.txt 0)
expect_run(missing 2 ${WORK}/game-launcher.exe ${WORK}/no-such-program.exe)
expect_message("standard error of the inner launcher" missing
    "vyro-launch: cannot start ${WORK}/no-such-program.exe: ")
set(TOOL ${LAUNCHER})
expect_run(usage 2)
expect_message("no program" usage "usage: vyro-launch PROGRAM [ARGUMENT...]")
