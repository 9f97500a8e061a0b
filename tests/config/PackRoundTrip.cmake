# Packs a folder of every value type and reads each value back with --get and --list; packs again
# and finds only the new keys; reads a store that MMKV itself wrote.
#   cmake -DTOOL=<tool> [-DEMULATOR=<wine>] -DINPUT=<input folders> -DFIXTURES=<mmkv fixtures>
#         -DWORK=<scratch folder> -P PackRoundTrip.cmake
include(${CMAKE_CURRENT_LIST_DIR}/ToolRunner.cmake)

file(REMOVE_RECURSE ${WORK})
file(COPY ${INPUT}/round-trip/ DESTINATION ${WORK}/json)
# A string longer than a memory page.
string(REPEAT "0123456789abcdef" 320 long)
file(WRITE ${WORK}/json/long.json "{ \"string\": { \"long\": \"${long}\" } }")
set(store "${WORK}/shipped store")

expect_run(pack 0 ${WORK}/json ${store})
if(NOT pack_out MATCHES "^wrote 18 entries to [^\n]*VyroChannelConfig\n$")
    message(SEND_ERROR "pack summary: [${pack_out}]")
endif()
expect_equal("pack warnings" "warning: skipping null key 'epic.clientSecret'\n" "${pack_err}")
expect_no_store(${WORK}/json)
store_hashes(${store} packed)

expect_get(${store} bool bool.true true)
expect_get(${store} bool bool.false false)
expect_get(${store} int32 int32.seven 7)
expect_get(${store} int32 int32.min -2147483648)
expect_get(${store} int32 int32.max 2147483647)
expect_get(${store} int64 int64.big 3000000000)
expect_get(${store} int64 int64.min -9223372036854775808)
expect_get(${store} int64 int64.max 9223372036854775807)
expect_get(${store} double double.seven 7)
expect_get(${store} double double.minusTenth -0.1)
expect_get(${store} double double.huge 1e+300)
expect_get(${store} string string.utf8 "héllo ✓ 日本語")
expect_get(${store} string string.empty "")
expect_get(${store} string string.array "[1,\"two\",{\"four\":[],\"three\":3.5}]")
expect_get(${store} string string.long "${long}")
expect_get(${store} string epic.productName "Fixture Game")

expect_run(absent 1 --get ${store} string epic.clientSecret)
expect_equal("absent key output" "" "${absent_out}")
expect_message("absent key" absent "key not found: epic.clientSecret")

expect_run(list 0 --list ${store})
expect_equal("--list" "bool.false
bool.true
double.huge
double.minusTenth
double.seven
epic.productName
epic.productVersion
int32.max
int32.min
int32.seven
int64.big
int64.max
int64.min
string.array
string.empty
string.long
string.utf8
ключ.ünï
" "${list_out}")

# Reading never changes the shipped files.
store_hashes(${store} afterReads)
expect_equal("store files after reading" "${packed}" "${afterReads}")

# A second pack replaces the store: no key of the first survives.
expect_run(repack 0 ${INPUT}/second ${store})
expect_run(list 0 --list ${store})
expect_equal("--list after the second pack" "only\n" "${list_out}")
expect_get(${store} string only second)

# Keys with control characters and backslashes are listed one per line, escaped, and --get takes
# them as listed (and, for one that no listed form names, as given).
expect_run(control 0 ${INPUT}/control-keys ${WORK}/control)
expect_run(list 0 --list ${WORK}/control)
expect_equal("--list of escaped keys" [[back\\slash
bell\x07
line\nbreak
plain
tab\there
]] "${list_out}")
expect_message("--list note" list "note: keys with a backslash or a control character are shown escaped")
expect_get(${WORK}/control string [[line\nbreak]] newline)
expect_get(${WORK}/control string [[tab\there]] tab)
expect_get(${WORK}/control string [[bell\x07]] bell)
expect_get(${WORK}/control string [[back\\slash]] backslash)
expect_get(${WORK}/control string [[back\slash]] backslash)
expect_run(plain_list 0 --list ${store})
expect_equal("no note without escaped keys" "" "${plain_list_err}")

# Every getter on a store that MMKV 2.4 wrote.
file(COPY ${FIXTURES}/types/VyroChannelConfig ${FIXTURES}/types/VyroChannelConfig.crc DESTINATION ${WORK}/types
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE)
expect_get(${WORK}/types bool bool.true true)
expect_get(${WORK}/types int32 int32.minus5 -5)
expect_get(${WORK}/types int64 int64.minus9e9 -9000000000)
expect_get(${WORK}/types float float.1_5 1.5)
expect_get(${WORK}/types double double.minus0_1 -0.1)
expect_get(${WORK}/types string string.json "[1,2]")

file(REMOVE_RECURSE ${WORK})
