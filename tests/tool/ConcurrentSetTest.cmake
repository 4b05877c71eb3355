# Runs pairs of `comparam set --in-place` on one file at the same time: each must succeed, and
# the file must hold both changes afterwards.
#
#   cmake -DTOOL=... -DEMULATOR=... -DSAMPLE=... -DWORK_DIR=... -DROUNDS=N -P ConcurrentSetTest.cmake
#
# With -DASSIGNMENT=NAME=VALUE -DDOC=... it runs one of the saves, keeping the tool's output to
# itself: a command of a pipeline whose reader has ended would die writing it.
cmake_minimum_required(VERSION 3.16)

if(ASSIGNMENT)
  execute_process(COMMAND ${EMULATOR} ${TOOL} set ${DOC} CAN_1 ${ASSIGNMENT} --in-place
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "set ${ASSIGNMENT}: exit status ${status}\n${output}${errors}")
  endif()
  return()
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(doc "${WORK_DIR}/doc.xml")
foreach(round RANGE 1 ${ROUNDS})
  configure_file("${SAMPLE}" "${doc}" COPYONLY)
  math(EXPR p2_client "100 + ${round}")
  # The commands of one execute_process run at once, as a pipeline.
  set(one_set ${CMAKE_COMMAND} -DTOOL=${TOOL} "-DEMULATOR=${EMULATOR}" -DDOC=${doc})
  execute_process(
    COMMAND ${one_set} -DASSIGNMENT=P2Client=${p2_client} -P ${CMAKE_CURRENT_LIST_FILE}
    COMMAND ${one_set} -DASSIGNMENT=StMin=${round} -P ${CMAKE_CURRENT_LIST_FILE}
    RESULTS_VARIABLE results OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT results STREQUAL "0;0")
    message(FATAL_ERROR "round ${round}: exit statuses ${results}\n${errors}")
  endif()
  execute_process(COMMAND ${EMULATOR} ${TOOL} show ${doc} --format=json
                  RESULT_VARIABLE status OUTPUT_VARIABLE shown)
  string(REPLACE "\r\n" "\n" shown "${shown}")
  foreach(expected "\"P2Client\", [^\n]*\"value\": \"${p2_client}\""
                   "\"StMin\", [^\n]*\"value\": \"${round}\"")
    if(NOT status EQUAL 0 OR NOT shown MATCHES "${expected}")
      message(FATAL_ERROR "round ${round}: an update was lost, no ${expected} in\n${shown}")
    endif()
  endforeach()
endforeach()
