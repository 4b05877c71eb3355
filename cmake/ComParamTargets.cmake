# Shared settings for every target of the project.

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
  install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${target})
endfunction()

# A shared stand-in library with its own export macro (comparam_export_header).
function(comparam_platform_library target prefix)
  add_library(${target} SHARED ${ARGN})
  comparam_export_header(${target} ${prefix})
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  comparam_warnings(${target})
  install(TARGETS ${target} EXPORT ComParamTargets
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(DIRECTORY include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
endfunction()
