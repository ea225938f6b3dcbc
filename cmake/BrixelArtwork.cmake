# SVG artwork drawn into PNG files at build time by render_svg (tools/render_svg.cpp), a program of
# the build machine. A build that cannot run what it builds (a cross build) names one built for
# the build machine: -DBRIXEL_RENDER_SVG=<native build>/render_svg.
set(BRIXEL_RENDER_SVG "" CACHE FILEPATH "A render_svg that runs on the build machine (for cross builds)")

# brixel_render_svg(SVG <file.svg> OUTPUTS <file.png> <size> [<file.png> <size>]...)
# One build step draws the picture into every PNG at its size (N, WxH or @SCALE, as render_svg
# takes them); name the PNGs as sources of a target to have them made.
function(brixel_render_svg)
  cmake_parse_arguments(ARG "" "SVG" "OUTPUTS" ${ARGN})
  list(LENGTH ARG_OUTPUTS count)
  math(EXPR odd "${count} % 2")
  if(NOT ARG_SVG OR count EQUAL 0 OR odd)
    message(FATAL_ERROR "brixel_render_svg: SVG <file> OUTPUTS <png> <size> [<png> <size>]...")
  endif()
  if(BRIXEL_RENDER_SVG)
    set(tool ${BRIXEL_RENDER_SVG})
    set(tool_target "")
  elseif(TARGET render_svg)
    set(tool $<TARGET_FILE:render_svg>)
    set(tool_target render_svg)
  else()
    message(FATAL_ERROR "brixel_render_svg: no render_svg (build tools/ or set BRIXEL_RENDER_SVG)")
  endif()
  set(pngs "")
  foreach(i RANGE 0 ${count} 2)
    if(i LESS count)
      list(GET ARG_OUTPUTS ${i} png)
      list(APPEND pngs ${png})
    endif()
  endforeach()
  get_filename_component(name ${ARG_SVG} NAME)
  add_custom_command(OUTPUT ${pngs}
    COMMAND ${tool} ${ARG_SVG} ${ARG_OUTPUTS}
    DEPENDS ${ARG_SVG} ${tool_target}
    COMMENT "Drawing ${name} as PNG"
    VERBATIM)
endfunction()
