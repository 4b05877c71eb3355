# Runs cmake/DebianChangelog.cmake on a changelog of every shape it reads and compares the
# Debian changelog it writes; then on changelogs it must refuse.
#   cmake -DSCRIPT=cmake/DebianChangelog.cmake -DWORK_DIR=<folder> -P DebianChangelogTest.cmake
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Returns the script's exit code and error text for the Markdown text, written as version.
function(convert markdown version out_result out_error)
  file(WRITE ${WORK_DIR}/CHANGELOG.md "${markdown}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=86400
            ${CMAKE_COMMAND} -DINPUT=${WORK_DIR}/CHANGELOG.md -DOUTPUT=${WORK_DIR}/changelog
            -DPACKAGE=comparam -DREVISION=2 -DVERSION=${version} "-DMAINTAINER=M <m@example.org>"
            -P ${SCRIPT}
    RESULT_VARIABLE result ERROR_VARIABLE error)
  set(${out_result} ${result} PARENT_SCOPE)
  set(${out_error} "${error}" PARENT_SCOPE)
endfunction()

set(markdown [=[
# Changelog

## 2.1.0 (unreleased)

A first paragraph; its [link](http://example.org) goes, `code` and **bold** stay as text.
- A bullet outside any heading.

### Library
Text below the heading.
- A bullet long enough to be wrapped at the seventy-eighth column, with [n:brackets] kept
  and its continuation line joined.

## 2.0.0 (2024-02-29)

- Leap day.

## 1.0.0 (2000-03-01)

- First.
]=])
set(expected [=[
comparam (2.1.0-2) UNRELEASED; urgency=medium

  * A first paragraph; its link goes, code and bold stay as text.
  * A bullet outside any heading.
  * Library:
    Text below the heading.
    - A bullet long enough to be wrapped at the seventy-eighth column, with
      [n:brackets] kept and its continuation line joined.

 -- M <m@example.org>  Fri, 02 Jan 1970 00:00:00 +0000

comparam (2.0.0-2) unstable; urgency=medium

  * Leap day.

 -- M <m@example.org>  Thu, 29 Feb 2024 00:00:00 +0000

comparam (1.0.0-2) unstable; urgency=medium

  * First.

 -- M <m@example.org>  Wed, 01 Mar 2000 00:00:00 +0000
]=])
convert("${markdown}" 2.1.0 result error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the script failed: ${error}")
endif()
file(READ ${WORK_DIR}/changelog written)
if(NOT written STREQUAL expected)
  message(FATAL_ERROR "written:\n${written}\nexpected:\n${expected}")
endif()

# Refused, each with a message that names the line and the problem.
set(refusals
    "2.1.0|## 2.0.0 (2024-02-29)\n|CHANGELOG.md:1: the latest section is 2.0.0, but the packages are built as 2.1.0"
    "2.0.0|## 2.0.0 (soon)\n|CHANGELOG.md:1: 'soon' is neither YYYY-MM-DD nor 'unreleased'"
    "2.0.0|## 2.0.0 (2024-13-01)\n|no such date: 2024-13-01"
    "2.0.0|# Changelog\n|no section")
foreach(refusal IN LISTS refusals)
  string(REPLACE "|" ";" parts "${refusal}")
  list(GET parts 0 version)
  list(GET parts 1 text)
  list(GET parts 2 message)
  string(REPLACE "\\n" "\n" text "${text}")
  convert("${text}" ${version} result error)
  string(REGEX REPLACE "[ \n]+" " " error "${error}")
  if(result EQUAL 0 OR NOT error MATCHES "${message}")
    message(FATAL_ERROR "not refused as expected (${result}): ${text}\n${error}")
  endif()
endforeach()
