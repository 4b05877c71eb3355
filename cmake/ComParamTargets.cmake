# Shared settings for every target of the project.
#
# Install components, one per Debian package (cmake/ComParamDebian.cmake):
#   Runtime      the shared libraries (libcomparam1)
#   Development  headers, .so links, the CMake package, comparam.pc (libcomparam-dev)
#   Tool         the comparam command-line tool (comparam)

# Warnings are private to our own targets; CI turns them into errors.
function(comparam_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${COMPARAM_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                           $<$<BOOL:${COMPARAM_WERROR}>:-Werror>)
  endif()
endfunction()

include(GenerateExportHeader)

# Generated export headers live here, one folder per library, as <target>/Export.h.
set(COMPARAM_EXPORT_INCLUDE_DIR ${PROJECT_BINARY_DIR}/include)

# The export macro <PREFIX>_API of a shared library, in <target>/Export.h: exported while
# <PREFIX>_LIB_EXPORT is defined (the library's own sources, and code built into it from an
# object library), imported everywhere else; default visibility where hidden is the default.
function(comparam_export_header target prefix)
  set(header ${COMPARAM_EXPORT_INCLUDE_DIR}/${target}/Export.h)
  set_target_properties(${target} PROPERTIES DEFINE_SYMBOL ${prefix}_LIB_EXPORT)
  generate_export_header(${target} BASE_NAME ${prefix} EXPORT_MACRO_NAME ${prefix}_API
                         EXPORT_FILE_NAME ${header})
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${COMPARAM_EXPORT_INCLUDE_DIR}>)
  install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${target} COMPONENT Development)
endfunction()

# What every shared library of the project has: its export macro, a versioned SONAME
# (lib<name>.so.<major>, a link to lib<name>.so.<version>) and its install rules.
function(comparam_shared_library target prefix)
  comparam_export_header(${target} ${prefix})
  set_target_properties(${target} PROPERTIES VERSION ${PROJECT_VERSION}
                                             SOVERSION ${PROJECT_VERSION_MAJOR})
  comparam_warnings(${target})
  install(TARGETS ${target} EXPORT ComParamTargets
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime
            NAMELINK_COMPONENT Development
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
endfunction()

# A shared stand-in library, its headers under include/.
function(comparam_platform_library target prefix)
  add_library(${target} SHARED ${ARGN})
  comparam_shared_library(${target} ${prefix})
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  install(DIRECTORY include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Development)
endfunction()

# output (name.gz) is input compressed as Debian wants its changelogs and man pages (gzip -9n:
# best compression, no name or time stamp), made with every build.
function(comparam_gzip input output)
  find_program(COMPARAM_GZIP gzip)
  if(NOT COMPARAM_GZIP)
    message(FATAL_ERROR "gzip is needed to compress ${input}")
  endif()
  string(REGEX REPLACE "\\.gz$" "" uncompressed ${output})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${input} ${uncompressed}
    COMMAND ${COMPARAM_GZIP} -9nf ${uncompressed}
    DEPENDS ${input}
    VERBATIM)
  get_filename_component(name ${output} NAME)
  string(MAKE_C_IDENTIFIER "gzip_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()
