# The tool's command line: help, its version, and the forms it refuses.
#   cmake -DTOOL=<tool> -DVERSION=<project version> [-DEMULATOR=<wine>] -P CommandLine.cmake
include(${CMAKE_CURRENT_LIST_DIR}/ToolRunner.cmake)

expect_run(help 0 --help)
foreach(form "vyro-config-pack <json-folder> <store-folder>" "vyro-config-pack --list <store-folder>"
             "vyro-config-pack --get <store-folder> <type> <key>" "bool, int32, int64, float, double or string")
    expect_contains("--help" "${help_out}" "${form}")
endforeach()
expect_run(short_help 0 -h)
expect_equal("-h" "${help_out}" "${short_help_out}")
expect_run(version 0 --version)
string(STRIP "${version_out}" version_line)
expect_equal("--version" "vyro-config-pack ${VERSION}" "${version_line}")

foreach(arguments "" "--list" "--get;folder;string" "--bogus;folder" "one;two;three")
    expect_run(bad 2 ${arguments})
    expect_message("usage after [${arguments}]" bad "Usage:")
endforeach()

expect_run(type 2 --get folder text key)
expect_message("unknown type" type "error: unknown type 'text'")
