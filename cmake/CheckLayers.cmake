# Checks the includes of one folder of the program against the layers.
#
#   cmake -DSOURCE_DIR=<src> -DLAYER=<folder> -DBELOW=<folder,folder,...>
#         [-DSTAMP=<file>] -P CheckLayers.cmake
#
# Every `#include "<folder>/..."` of a file under SOURCE_DIR/LAYER must name
# LAYER itself or one of the folders in BELOW. Each that does not is listed
# as "<file>:<line>: includes "<header>", above <LAYER>" and the script
# fails; otherwise it writes STAMP (when given).

cmake_minimum_required(VERSION 3.25)

foreach(required SOURCE_DIR LAYER)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "CheckLayers.cmake needs -D${required}=...")
  endif()
endforeach()

string(REPLACE "," ";" allowed "${BELOW}")
list(APPEND allowed ${LAYER})

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${LAYER}/*.h ${SOURCE_DIR}/${LAYER}/*.cpp)
list(SORT files)
set(violations "")
foreach(file ${files})
  # One list item per line: the characters a list would take apart are
  # replaced first (none of them matters in an include's folder).
  file(READ ${SOURCE_DIR}/${file} content)
  foreach(character ";" "[" "]" "\\")
    string(REPLACE "${character}" "_" content "${content}")
  endforeach()
  string(REPLACE "\n" ";" lines "${content}")
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"(([^/\"]+)/[^\"]*)\"")
      set(header ${CMAKE_MATCH_1})
      set(folder ${CMAKE_MATCH_2})
      if(NOT folder IN_LIST allowed)
        string(APPEND violations "${file}:${number}: includes \"${header}\", above ${LAYER}\n")
      endif()
    endif()
  endforeach()
endforeach()

if(violations)
  string(REPLACE ";" ", " below "${allowed}")
  message(FATAL_ERROR "An include runs up the layers (${LAYER} may include ${below}):\n${violations}")
endif()
if(DEFINED STAMP)
  get_filename_component(directory ${STAMP} DIRECTORY)
  file(MAKE_DIRECTORY ${directory})
  file(TOUCH ${STAMP})
endif()
