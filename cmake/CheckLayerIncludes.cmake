# Run with cmake -P: fails when a source includes a folder of src/ that its module may not
# use. Arguments (lists joined with "|"):
#   MODULE   the module's name, for the message
#   FILES    the sources and headers to read
#   LAYERS   every folder of src/ that names a layer; other includes are not looked at
#   ALLOWED  the folders the module may include
#   STAMP    written when every include is allowed
cmake_minimum_required(VERSION 3.25)

foreach(_arg MODULE FILES LAYERS ALLOWED STAMP)
  if(NOT DEFINED ${_arg})
    message(FATAL_ERROR "CheckLayerIncludes.cmake: ${_arg} is not set")
  endif()
endforeach()
string(REPLACE "|" ";" _files "${FILES}")
string(REPLACE "|" ";" _layers "${LAYERS}")
string(REPLACE "|" ";" _allowed "${ALLOWED}")

set(_include_line "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\"")
set(_problems "")
foreach(_file ${_files})
  file(STRINGS "${_file}" _lines REGEX "${_include_line}")
  foreach(_line ${_lines})
    string(REGEX MATCH "${_include_line}" _ignored "${_line}")
    set(_included "${CMAKE_MATCH_1}")
    string(REGEX MATCH "^[^/]+/" _folder "${_included}")
    string(REGEX REPLACE "/$" "" _folder "${_folder}")
    if(_folder STREQUAL "" OR NOT _folder IN_LIST _layers OR _folder IN_LIST _allowed)
      continue()
    endif()
    # Line numbers only for the rare offence: the first line that reads exactly so.
    file(READ "${_file}" _text)
    string(FIND "${_text}" "${_line}" _at)
    string(SUBSTRING "${_text}" 0 ${_at} _before)
    string(REGEX MATCHALL "\n" _breaks "${_before}")
    list(LENGTH _breaks _number)
    math(EXPR _number "${_number} + 1")
    string(APPEND _problems "${_file}:${_number}: ${MODULE} may not include \"${_included}\"\n")
  endforeach()
endforeach()

if(_problems)
  # Printed as they are, one a line, so that editors can jump to them.
  message(NOTICE "${_problems}")
  string(REPLACE ";" ", " _shown "${_allowed}")
  message(FATAL_ERROR "${MODULE} may include only these folders of src/: ${_shown}. "
    "Declare the dependency in its CMakeLists.txt if the layers allow it "
    "(cmake/SomnaraLayers.cmake), or move the code to a lower module.")
endif()
file(WRITE "${STAMP}" "")
