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

