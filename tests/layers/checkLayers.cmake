# Checks that every source file includes only headers of its own layer or one
# below: ground (app/base, transport) < model and devices < GUI. Ground and
# model files may include only wxWidgets' base headers.
# Run as: cmake -DQV_SRC=<src folder> -P checkLayers.cmake

cmake_minimum_required(VERSION 3.25)

if(NOT QV_SRC)
  message(FATAL_ERROR "QV_SRC is not set")
endif()
get_filename_component(QV_SRC "${QV_SRC}" ABSOLUTE)
include(${QV_SRC}/layers.cmake)

# wxWidgets headers of the base library (no window, no GDI).
set(QV_WX_BASE_HEADERS
  any.h app.h apptrait.h arrstr.h base64.h buffer.h chartype.h cmdline.h config.h
  confbase.h crt.h datetime.h debug.h defs.h dir.h dynarray.h dynlib.h event.h
  evtloop.h ffile.h file.h fileconf.h filefn.h filename.h hashmap.h hashset.h
  init.h intl.h list.h log.h longlong.h math.h mimetype.h module.h mstream.h
  object.h platform.h platinfo.h process.h regex.h scopedptr.h sharedptr.h
  snglinst.h sstream.h stdpaths.h stopwatch.h strconv.h stream.h string.h
  textbuf.h textfile.h thread.h time.h timer.h tokenzr.h translation.h
  txtstrm.h uri.h utils.h variant.h vector.h weakref.h wfstream.h wxcrt.h
  xlocale.h zipstrm.h zstream.h)

# 0 ground, 1 model and devices, 2 GUI.
function(qv_layer_of rel out)
  string(REGEX REPLACE "\\.[^./]+$" "" stem "${rel}")
  if(EXISTS "${QV_SRC}/${stem}.cpp")
    set(cpp "${stem}.cpp")
  else()
    set(cpp "")
  endif()
  if(rel MATCHES "^transport/platform/" OR rel STREQUAL "app/gumMain.cpp"
     OR (cpp AND cpp IN_LIST QV_GUI_SOURCES))
    set(${out} 2 PARENT_SCOPE)
    return()
  endif()
  foreach(dir ${QV_BASE_FOLDERS})
    if(rel MATCHES "^${dir}/[^/]+$")
      set(${out} 0 PARENT_SCOPE)
      return()
    endif()
  endforeach()
  foreach(dir ${QV_GUI_FOLDERS})
    if(rel MATCHES "^${dir}/" AND NOT (cpp AND cpp IN_LIST QV_HEADLESS_SOURCES))
      set(${out} 2 PARENT_SCOPE)
      return()
    endif()
  endforeach()
  # A header with no source of its own in the shell belongs to the GUI.
  if(rel MATCHES "^app/" AND NOT cpp)
    set(${out} 2 PARENT_SCOPE)
    return()
  endif()
  set(${out} 1 PARENT_SCOPE)
endfunction()

set(names ground model GUI)
set(faults 0)
file(GLOB_RECURSE files RELATIVE ${QV_SRC} ${QV_SRC}/*.cpp ${QV_SRC}/*.h)
foreach(rel ${files})
  qv_layer_of(${rel} layer)
  list(GET names ${layer} layer_name)
  file(STRINGS ${QV_SRC}/${rel} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${lines})
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(inc ${CMAKE_MATCH_1})
      if(NOT EXISTS ${QV_SRC}/${inc})
        continue()
      endif()
      qv_layer_of(${inc} inc_layer)
      if(inc_layer GREATER layer)
        list(GET names ${inc_layer} inc_name)
        message(NOTICE "${rel} (${layer_name}) includes ${inc} (${inc_name})")
        math(EXPR faults "${faults} + 1")
      endif()
    elseif(layer LESS 2 AND line MATCHES "#[ \t]*include[ \t]*<wx/([^>]+)>")
      if(NOT CMAKE_MATCH_1 IN_LIST QV_WX_BASE_HEADERS)
        message(NOTICE "${rel} (${layer_name}) includes <wx/${CMAKE_MATCH_1}>, not a wxWidgets base header")
        math(EXPR faults "${faults} + 1")
      endif()
    endif()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) cross the layers")
endif()
list(LENGTH files count)
message(STATUS "Layers hold in ${count} files")
