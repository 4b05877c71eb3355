# Installs the build into a fresh prefix, then configures, builds and runs an
# outside project that knows only find_package(ComParam).
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}")
  endif()
endfunction()

# A cross build uses the same toolchain and may look for packages only in the prefix.
set(cross_options)
if(TOOLCHAIN_FILE)
  set(cross_options -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN_FILE} -DCMAKE_FIND_ROOT_PATH=${prefix})
endif()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --config ${CONFIG})
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=${CONFIG} ${cross_options})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build --config ${CONFIG})

# Windows finds the installed DLLs only beside the executable.
file(GLOB dlls ${prefix}/bin/*.dll)
if(dlls)
  file(COPY ${dlls} DESTINATION ${WORK_DIR}/build)
endif()
run(${EMULATOR} ${WORK_DIR}/build/consumer${EXE_SUFFIX})
