# Usage: cmake -DROOT=<source folder> -P check_layers.cmake
# Fails when a file of a lower layer includes a header of a higher one: pure
# code (ioconfig/) includes only itself and no <windows.h>, the engine
# (controller/) only itself and the pure code, and shows no message box;
# tvxio (tools/) stands on the engine and the pure code, never on the
# window's code (app/).
cmake_minimum_required(VERSION 3.20)

set(allowed_ioconfig ioconfig)
set(allowed_controller ioconfig controller)
set(allowed_tools ioconfig controller tools res)
set(faults)
foreach(layer ioconfig controller tools)
  file(GLOB files ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"([^/\"]+)/")
        if(NOT CMAKE_MATCH_1 IN_LIST allowed_${layer})
          list(APPEND faults "${file}: ${line}")
        endif()
      elseif(layer STREQUAL ioconfig AND line MATCHES "<windows\\.h>")
        list(APPEND faults "${file}: ${line}")
      endif()
    endforeach()
    file(STRINGS ${file} boxes REGEX "MessageBox")
    if(boxes)
      list(APPEND faults "${file}: shows a message box")
    endif()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Layers that reach up:\n  ${text}")
endif()
message(STATUS "Every include of ioconfig/, controller/ and tools/ points down or sideways.")
