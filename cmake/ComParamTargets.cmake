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

# A shared stand-in library with its own export macro: <PREFIX>_LIB_EXPORT while
# building it, <PREFIX>_SHARED for everything that links it.
function(comparam_platform_library target prefix)
  add_library(${target} SHARED ${ARGN})
  target_compile_definitions(${target} PRIVATE ${prefix}_LIB_EXPORT INTERFACE ${prefix}_SHARED)
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
