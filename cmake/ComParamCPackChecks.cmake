# Read by cpack for each generator (CPACK_PROJECT_CONFIG_FILE).
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_COMPARAM_CONFIGURED_PREFIX STREQUAL "/usr")
  message(FATAL_ERROR "Debian packages install into /usr, but this build was configured for "
                      "${CPACK_COMPARAM_CONFIGURED_PREFIX}: configure it with "
                      "-DCMAKE_INSTALL_PREFIX=/usr")
endif()
