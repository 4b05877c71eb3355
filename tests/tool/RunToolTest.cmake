# Runs the comparam tool once and checks its exit status, output and files.
#
#   cmake -DTOOL=... -DARGS="show|@EXAMPLES@/uds-on-can.xml" -DEXIT=0 ... -P RunToolTest.cmake
#
# Lists (ARGS, SETUP, SAME_FILES) are separated by "|". In them and in the path variables,
# @EXAMPLES@, @DATA@ and @WORK@ stand for the sample folder, the test data folder and this
# test's own empty work folder, @FF@ for the byte 0xFF (no UTF-8) and @ESC@ for the control
# character ESC. Checks, each optional:
#   EXIT            expected exit status (default 0)
#   STDOUT          file under EXPECTED that stdout must equal
#   STDOUT_REGEX    regular expression stdout must match
#   STDERR          exact stderr
#   STDERR_REGEX    regular expression stderr must match
#   NO_FILE         a path that must not exist afterwards
#   SAME_FILES      two paths whose contents must be equal afterwards
#   FILE, FILE_REGEX  a file whose content must match the expression
#   WORK_FILES      the names the work folder must hold afterwards, sorted
# STDOUT_TO names a file the tool's stdout goes to instead (no stdout check then).
# COPY names files copied into the work folder first, FOLDER a folder made in it first; PDX a
# folder whose ODX files are first packed, with a catalogue index.xml, into the PDX container
# @WORK@/NAME.pdx, NAME the folder's name; SETUP a tool run that must succeed first.

# Without it the old policies apply, and "@EXAMPLES@" would already be expanded in this text.
cmake_minimum_required(VERSION 3.16)

function(expand out text)
  string(ASCII 255 byte_ff)
  string(ASCII 27 escape)
  string(REPLACE "@FF@" "${byte_ff}" text "${text}")
  string(REPLACE "@ESC@" "${escape}" text "${text}")
  string(REPLACE "@EXAMPLES@" "${EXAMPLES}" text "${text}")
  string(REPLACE "@DATA@" "${DATA}" text "${text}")
  string(REPLACE "@WORK@" "${WORK_DIR}" text "${text}")
  string(REPLACE "|" ";" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(fail what)
  message(FATAL_ERROR "${what}\n--- arguments: ${ARGS}\n--- exit: ${status}\n"
                      "--- stdout:\n${stdout}\n--- stderr:\n${stderr}")
endfunction()

# Windows writes line ends as CR LF; the expectations are written with LF.
function(run_tool out_status out_stdout out_stderr)
  set(output_to OUTPUT_VARIABLE output)
  if(stdout_to)
    set(output_to OUTPUT_FILE "${stdout_to}")
  endif()
  execute_process(COMMAND ${EMULATOR} ${TOOL} ${ARGN}
                  RESULT_VARIABLE result ${output_to} ERROR_VARIABLE errors)
  string(REPLACE "\r\n" "\n" output "${output}")
  string(REPLACE "\r\n" "\n" errors "${errors}")
  set(${out_status} "${result}" PARENT_SCOPE)
  set(${out_stdout} "${output}" PARENT_SCOPE)
  set(${out_stderr} "${errors}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
if(COPY)
  expand(copy "${COPY}")
  file(COPY ${copy} DESTINATION "${WORK_DIR}")
endif()
if(FOLDER)
  file(MAKE_DIRECTORY "${WORK_DIR}/${FOLDER}")
endif()
if(PDX)
  expand(pdx_folder "${PDX}")
  get_filename_component(pdx_name "${pdx_folder}" NAME)
  file(GLOB members "${pdx_folder}/*.odx*")
  list(SORT members)
  execute_process(COMMAND ${EMULATOR} ${MAKE_PDX} "${WORK_DIR}/${pdx_name}.pdx" ${members}
                  RESULT_VARIABLE failed)
  if(failed)
    fail("cannot pack ${pdx_folder} into a PDX")
  endif()
endif()
if(SETUP)
  expand(setup "${SETUP}")
  run_tool(status stdout stderr ${setup})
  if(NOT status EQUAL 0)
    set(ARGS "${SETUP}")
    fail("the set-up run failed")
  endif()
endif()

expand(arguments "${ARGS}")
expand(stdout_to "${STDOUT_TO}")
run_tool(status stdout stderr ${arguments})
if(NOT DEFINED EXIT)
  set(EXIT 0)
endif()
if(NOT status STREQUAL "${EXIT}")
  fail("expected exit status ${EXIT}")
endif()
if(STDOUT)
  file(READ "${EXPECTED}/${STDOUT}" expected)
  if(NOT stdout STREQUAL expected)
    file(WRITE "${WORK_DIR}/actual-${STDOUT}" "${stdout}")
    fail("stdout differs from ${STDOUT} (actual output in ${WORK_DIR})")
  endif()
endif()
if(DEFINED STDOUT_REGEX AND NOT stdout MATCHES "${STDOUT_REGEX}")
  fail("stdout does not match: ${STDOUT_REGEX}")
endif()
if(DEFINED STDERR AND NOT stderr STREQUAL "${STDERR}")
  fail("stderr is not: ${STDERR}")
endif()
if(DEFINED STDERR_REGEX AND NOT stderr MATCHES "${STDERR_REGEX}")
  fail("stderr does not match: ${STDERR_REGEX}")
endif()
if(NO_FILE)
  expand(no_file "${NO_FILE}")
  if(EXISTS "${no_file}")
    fail("${no_file} must not exist")
  endif()
endif()
if(SAME_FILES)
  expand(same "${SAME_FILES}")
  list(GET same 0 left)
  list(GET same 1 right)
  file(READ "${left}" left_content)
  file(READ "${right}" right_content)
  if(NOT left_content STREQUAL right_content)
    fail("${left} and ${right} differ")
  endif()
endif()
if(FILE)
  expand(checked "${FILE}")
  file(READ "${checked}" content)
  if(NOT content MATCHES "${FILE_REGEX}")
    fail("${checked} does not match: ${FILE_REGEX}")
  endif()
endif()
if(DEFINED WORK_FILES)
  expand(expected_files "${WORK_FILES}")
  file(GLOB work_files RELATIVE "${WORK_DIR}" "${WORK_DIR}/*")
  list(SORT work_files)
  if(NOT work_files STREQUAL expected_files)
    fail("the work folder holds \"${work_files}\" instead of \"${expected_files}\"")
  endif()
endif()
