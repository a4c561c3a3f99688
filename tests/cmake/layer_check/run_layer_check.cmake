# Runs the include check as the build does on one probe and judges its outcome.
cmake_minimum_required(VERSION 3.25)

if(CASE STREQUAL "rejects_upward_include")
  set(_probe ${PROBES}/upward_include.cpp)
else()
  set(_probe ${PROBES}/downward_include.cpp)
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(_stamp ${WORK}/probe.layers)
execute_process(
  COMMAND ${CMAKE_COMMAND} -DMODULE=somnara_routine -DFILES=${_probe} -DLAYERS=${LAYERS}
    -DALLOWED=${ALLOWED} -DSTAMP=${_stamp} -P ${CHECK}
  RESULT_VARIABLE _result OUTPUT_VARIABLE _output ERROR_VARIABLE _output)

if(CASE STREQUAL "rejects_upward_include")
  # The offence is named by file, line and include; the include after it is legal and is
  # not named.
  set(_expected "upward_include.cpp:4: somnara_routine may not include \"app/main_window.h\"")
  string(FIND "${_output}" "${_expected}" _named)
  if(_result EQUAL 0 OR _named EQUAL -1 OR _output MATCHES "sound/media.h" OR EXISTS ${_stamp})
    message(FATAL_ERROR "the upward include was not rejected as expected "
      "(exit ${_result}):\n${_output}")
  endif()
elseif(NOT _result EQUAL 0 OR NOT EXISTS ${_stamp})
  message(FATAL_ERROR "legal includes were rejected (exit ${_result}):\n${_output}")
endif()
