# The installed package descriptions: the CMake package ComParam and pkg-config's comparam.pc.
include(CMakePackageConfigHelpers)

install(DIRECTORY include/comparam DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Development)
install(EXPORT ComParamTargets NAMESPACE ComParam::
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/ComParam COMPONENT Development)

configure_package_config_file(cmake/ComParamConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/ComParamConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/ComParam)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/ComParamConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ComParamConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/ComParamConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/ComParam COMPONENT Development)

# The shared libraries an application links with ComParam::comparam: the library and the
# stand-ins that its public headers use.
set(COMPARAM_SHARED_LIBRARIES comparam)
get_target_property(comparam_links comparam INTERFACE_LINK_LIBRARIES)
foreach(library IN LISTS comparam_links)
  get_target_property(type ${library} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    list(APPEND COMPARAM_SHARED_LIBRARIES ${library})
  endif()
endforeach()

# pkg-config links the same; their private dependencies (the XML library) stay out, as in CMake.
set(COMPARAM_PC_LIBS "")
foreach(library IN LISTS COMPARAM_SHARED_LIBRARIES)
  list(APPEND COMPARAM_PC_LIBS -l$<TARGET_FILE_BASE_NAME:${library}>)
endforeach()
list(JOIN COMPARAM_PC_LIBS " " COMPARAM_PC_LIBS)
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
  set(COMPARAM_PC_LIBDIR "${CMAKE_INSTALL_LIBDIR}")
else()
  set(COMPARAM_PC_LIBDIR "\${exec_prefix}/${CMAKE_INSTALL_LIBDIR}")
endif()
if(IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(COMPARAM_PC_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}")
else()
  set(COMPARAM_PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}")
endif()
configure_file(cmake/comparam.pc.in ${CMAKE_CURRENT_BINARY_DIR}/comparam.pc.gen @ONLY)
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/comparam.pc
     INPUT ${CMAKE_CURRENT_BINARY_DIR}/comparam.pc.gen)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/comparam.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)
