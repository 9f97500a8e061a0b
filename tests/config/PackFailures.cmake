# Every failing pack exits non-zero with its error on standard error, leaves no store and no
# staging folder behind, and leaves an earlier store as it was.
#   cmake -DTOOL=<tool> [-DEMULATOR=<wine>] -DINPUT=<input folders> -DWORK=<scratch folder>
#         -P PackFailures.cmake
include(${CMAKE_CURRENT_LIST_DIR}/ToolRunner.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/blocker "a file where a folder should be")

# expect_pack_failure(<json folder> <store folder> <part of the error text>)
function(expect_pack_failure json store error)
    expect_run(pack 1 ${json} ${store})
    expect_message("pack ${json} into ${store}" pack "${error}")
    expect_equal("standard output of a failed pack" "" "${pack_out}")
endfunction()

set(store ${WORK}/store)
expect_pack_failure(${INPUT}/duplicate ${store}
    "error: duplicate key 'epic.clientId' found in 'a.json' and 'b.json'\n")
expect_pack_failure(${INPUT}/unreadable ${store} "error: parse error in '")
expect_pack_failure(${INPUT}/unreadable ${store} "error: failed to parse: ")
expect_pack_failure(${INPUT}/array-root ${store} "error: root must be an object in '")
expect_pack_failure(${INPUT}/upper-case ${store} "error: no .json files found in: ")
expect_pack_failure(${WORK}/missing ${store} "error: not a directory: ")
expect_pack_failure(${WORK}/blocker ${store} "error: not a directory: ")
expect_no_store(${store})

# Store folders that cannot be made: below a file, and a file itself.
expect_pack_failure(${INPUT}/second ${WORK}/blocker/store "error: ")
expect_no_store(${WORK}/blocker/store)
expect_pack_failure(${INPUT}/second ${WORK}/blocker "error: ")
expect_no_store(${WORK}/blocker)

# A failed pack does not touch the store that is already there.
expect_run(pack 0 ${INPUT}/second ${store})
store_hashes(${store} before)
expect_pack_failure(${INPUT}/duplicate ${store} "error: duplicate key")
store_hashes(${store} after)
expect_equal("earlier store after a failed pack" "${before}" "${after}")

# Reading what is not a store.
expect_run(list 1 --list ${WORK}/missing)
expect_message("--list of a missing store" list "error: no configuration store in: ")
expect_run(get 1 --get ${WORK} string only)
expect_message("--get without a store" get "error: no configuration store in: ")

file(REMOVE_RECURSE ${WORK})
