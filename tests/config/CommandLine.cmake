# The tool's command line: help, and the forms it refuses.
#   cmake -DTOOL=<tool> [-DEMULATOR=<wine>] -P CommandLine.cmake
include(${CMAKE_CURRENT_LIST_DIR}/ToolRunner.cmake)

expect_run(help 0 --help)
foreach(form "vyro-config-pack <json-folder> <store-folder>" "vyro-config-pack --list <store-folder>"
             "vyro-config-pack --get <store-folder> <type> <key>" "bool, int32, int64, float, double or string")
    expect_contains("--help" "${help_out}" "${form}")
endforeach()

foreach(arguments "" "--list" "--get;folder;string" "--bogus;folder" "one;two;three")
    expect_run(bad 2 ${arguments})
    expect_contains("usage after [${arguments}]" "${bad_err}" "Usage:")
endforeach()

expect_run(type 2 --get folder text key)
expect_contains("unknown type" "${type_err}" "error: unknown type 'text'")
