# Debian packages: `cpack -G DEB` in a Release build configured with -DCMAKE_INSTALL_PREFIX=/usr
# makes one package per install component (cmake/ComParamTargets.cmake):
#   libcomparam<major>  Runtime      the shared libraries
#   libcomparam-dev     Development  headers, .so links, the CMake package, comparam.pc
#   comparam            Tool         the command-line tool
# dpkg-shlibdeps computes what they need of Debian's libraries; among themselves they depend on
# the exact version they were built with.

set(COMPARAM_DEB_MAINTAINER "comparam maintainers <comparam@example.org>"
    CACHE STRING "Maintainer of the Debian packages, and of their changelog entries")
set(COMPARAM_DEB_REVISION 1 CACHE STRING "Debian revision of the packages")

set(COMPARAM_DEB_Runtime libcomparam${PROJECT_VERSION_MAJOR})
set(COMPARAM_DEB_Development libcomparam-dev)
set(COMPARAM_DEB_Tool comparam)

# The changelog of every package, made from CHANGELOG.md.
set(debian_dir ${PROJECT_BINARY_DIR}/debian)
set(changelog ${debian_dir}/from-markdown/changelog.Debian)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${PROJECT_SOURCE_DIR}/CHANGELOG.md -DOUTPUT=${changelog}
          -DPACKAGE=comparam -DREVISION=${COMPARAM_DEB_REVISION} -DVERSION=${PROJECT_VERSION}
          -DMAINTAINER=${COMPARAM_DEB_MAINTAINER}
          -P ${CMAKE_CURRENT_LIST_DIR}/DebianChangelog.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${CMAKE_CURRENT_LIST_DIR}/DebianChangelog.cmake
  COMMENT "Writing the Debian changelog from CHANGELOG.md"
  VERBATIM)
comparam_gzip(${changelog} ${debian_dir}/changelog.Debian.gz)

# Files only a package holds (EXCLUDE_FROM_ALL: a component install takes them, a plain
# cmake --install does not): its copyright file and changelog, and the lintian overrides, each
# with its reason.
foreach(component Runtime Development Tool)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${debian_dir}/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${COMPARAM_DEB_${component}}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/${COMPARAM_DEB_${component}}.lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
          RENAME ${COMPARAM_DEB_${component}}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME comparam)
set(CPACK_PACKAGE_CONTACT ${COMPARAM_DEB_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${COMPARAM_DEB_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development Tool)
foreach(component IN LISTS CPACK_COMPONENTS_ALL)
  string(TOUPPER ${component} COMPONENT)
  set(CPACK_DEBIAN_${COMPONENT}_PACKAGE_NAME ${COMPARAM_DEB_${component}})
endforeach()
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS Runtime)
set(CPACK_COMPONENT_TOOL_DEPENDS Runtime)
set(CPACK_STRIP_FILES ON)

# The loader's cache follows the libraries through libc's ldconfig trigger (the file is named
# triggers, as the control file it becomes).
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/triggers)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# dpkg-shlibdeps finds our own libraries in the build tree (they belong to no installed package,
# so they add no dependency); the shlibs file tells other packages what libcomparam1 provides.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "")
foreach(library IN LISTS COMPARAM_SHARED_LIBRARIES)
  get_target_property(directory ${library} BINARY_DIR)
  list(APPEND CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${directory})
endforeach()

# Synopsis, then the extended description: the part about comparam is the same for all three.
set(about_comparam [=[
comparam reads the communication parameters of each interface of an ECU
document (CAN identifiers, addressing, transport and protocol timings, bus type
and baud rate), however the document names and spells them, into one normalized
configuration of typed, range-checked parameters. It checks a configuration
against the addressing rules and writes edited values back into the document.
]=])
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION [=[
normalized communication parameters of ECU documents - libraries
${about_comparam}
This package holds the shared library and the platform libraries it calls: the
document model with its file format, the attribute filter, logging, text
buffers and the text conversion.]=])
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION [=[
normalized communication parameters of ECU documents - development files
${about_comparam}
This package holds the headers, the CMake package ComParam (target
ComParam::comparam) and the pkg-config file comparam.pc.]=])
set(CPACK_DEBIAN_TOOL_DESCRIPTION [=[
command-line tool for the communication parameters of ECU documents
${about_comparam}
This package holds the comparam tool: it lists the interfaces of a document,
shows and checks their normalized parameters, changes them and runs the
library's self-test.]=])
foreach(component RUNTIME DEVELOPMENT TOOL)
  string(CONFIGURE "${CPACK_DEBIAN_${component}_DESCRIPTION}" CPACK_DEBIAN_${component}_DESCRIPTION)
endforeach()

# The packages' files are laid out for /usr when the build is configured (GNUInstallDirs'
# multiarch library folder, comparam.pc): a build for another prefix makes no packages.
set(CPACK_COMPARAM_CONFIGURED_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/ComParamCPackChecks.cmake)

include(CPack)
