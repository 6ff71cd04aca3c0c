# Fails when a source folder includes a header of a folder it must not see, or
# when a platform header is included outside the folder that wraps it. The
# build's include paths already refuse most wrong-way includes; this also
# catches relative paths and headers a target happens to reach through a link.
#   cmake -DSOURCE_DIR=<source root> -P cmake/CheckDependencies.cmake

# "folder=regular expression of the includes it may name"; the first folder
# that prefixes a file's path decides, so subfolders come before their parents.
# The controls' folders by kind see the base and the kinds below them; the base
# sees no kind, except the factory, which makes every kind from its XML name.
set(gui_below_controls "gui/(basics|events|fonts|graphics|listeners|windowing)/")
set(layer_rules
  "foundation/=^foundation/"
  "midi/=^(foundation|midi)/"
  "gui/controls/base/CControlFactory.cpp=^(foundation|gui)/"
  "gui/controls/base/=^(foundation/|${gui_below_controls}|gui/controls/base/)"
  "gui/controls/text/=^(foundation/|${gui_below_controls}|gui/controls/(base|text)/)"
  "gui/controls/buttons/=^(foundation/|${gui_below_controls}|gui/controls/(base|buttons)/)"
  "gui/controls/pads/=^(foundation/|${gui_below_controls}|gui/controls/(base|pads)/)"
  "gui/controls/displays/=^(foundation/|${gui_below_controls}|gui/controls/(base|text|displays)/)"
  "gui/controls/sliders/=^(foundation/|${gui_below_controls}|gui/controls/(base|text|displays|sliders)/)"
  "gui/controls/views/=^(foundation/|${gui_below_controls}|gui/controls/(base|text|displays|sliders|views)/)"
  "gui/controls/menus/=^(foundation/|${gui_below_controls}|gui/controls/(base|text|buttons|menus)/)"
  "gui/controls/presets/=^(foundation/|${gui_below_controls}|gui/controls/(base|text|buttons|presets)/)"
  "gui/=^(foundation|gui)/"
  "vst/window/=^(foundation|midi|gui|vst)/"
  "vst/=^(foundation/|midi/|vst/[^/]+$)"
  "effect/=^(foundation/|midi/|vst/[^/]+$|effect/)"
  "editor/=^(foundation/|midi/|gui/|vst/|editor/|effect/(CVstParam|CVstParamFloat|CVstParamSelect|VeltrixParameterTable|VeltrixProgram)[.]h$)"
  "plugin/=^(foundation|midi|gui|vst|effect|editor|plugin)/"
  "tools/host/=^(tools/host/|vst/VstAbi[.]h$)"
  "tools/zelo/=^(tools/host/|tools/zelo/|vst/VstAbi[.]h$)"
  "tools/skin/=^tools/skin/"
  "tools/gallery/=^(foundation/|gui/|tools/gallery/)"
)
# "system header expression=folder name that must appear in the including file's path"
set(platform_rules
  "^X11/=/x11/"
  "^cairo=/(cairo|tools/skin)/"
  "^fontconfig/=/cairo/"
  "^(windows|windowsx|shlobj|shellapi|shlwapi|commdlg)[.]h$=/(win32|gdiplus)/"
  "^gdiplus=/gdiplus/"
  "^(png|jpeglib|jerror)[.]h$=/posix/"
  "^lv2/=/lv2/"
)

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/foundation/*.[ch]* ${SOURCE_DIR}/midi/*.[ch]* ${SOURCE_DIR}/gui/*.[ch]*
  ${SOURCE_DIR}/vst/*.[ch]* ${SOURCE_DIR}/effect/*.[ch]* ${SOURCE_DIR}/editor/*.[ch]*
  ${SOURCE_DIR}/plugin/*.[ch]* ${SOURCE_DIR}/tools/*.[ch]*)
list(FILTER sources INCLUDE REGEX "[.](h|cpp)$")

set(faults)
foreach(source IN LISTS sources)
  set(allowed "")
  foreach(rule IN LISTS layer_rules)
    string(REGEX MATCH "^([^=]*)=(.*)$" matched "${rule}")
    string(FIND "${source}" "${CMAKE_MATCH_1}" position)
    if(position EQUAL 0)
      set(allowed "${CMAKE_MATCH_2}")
      break()
    endif()
  endforeach()
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS includes)
    string(REGEX MATCH "include[ \t]*([<\"])([^>\"]*)" matched "${line}")
    set(header "${CMAKE_MATCH_2}")
    if(CMAKE_MATCH_1 STREQUAL "\"")
      if(header MATCHES "[.][.]/" OR (allowed AND NOT header MATCHES "${allowed}"))
        list(APPEND faults "${source}: includes \"${header}\", which its folder must not see")
      endif()
    else()
      foreach(rule IN LISTS platform_rules)
        string(REGEX MATCH "^([^=]*)=(.*)$" matched "${rule}")
        set(system_header "${CMAKE_MATCH_1}")
        set(folder "${CMAKE_MATCH_2}")
        if(header MATCHES "${system_header}" AND NOT "/${source}" MATCHES "${folder}")
          list(APPEND faults "${source}: includes <${header}> outside a ${folder} folder")
        endif()
      endforeach()
    endif()
  endforeach()
endforeach()

list(LENGTH sources checked)
if(faults)
  list(JOIN faults "\n  " report)
  message(FATAL_ERROR "Includes against the dependency direction:\n  ${report}")
endif()
message(STATUS "${checked} source files include only what their folders may see")
