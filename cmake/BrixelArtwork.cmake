# SVG artwork drawn at build time by render_svg (tools/render_svg.cpp), a program of the build
# machine: into PNG files and icons, or recorded as painting commands for a Qt without SVG. A
# build that cannot run what it builds (a cross build) names one built for the build machine:
# -DBRIXEL_RENDER_SVG=<native build>/render_svg.
set(BRIXEL_RENDER_SVG "" CACHE FILEPATH "A render_svg that runs on the build machine (for cross builds)")

# Sets tool and tool_target in the caller: the render_svg to run and the target that builds it.
macro(brixel_render_svg_tool)
  if(BRIXEL_RENDER_SVG)
    set(tool ${BRIXEL_RENDER_SVG})
    set(tool_target "")
  elseif(TARGET render_svg)
    set(tool $<TARGET_FILE:render_svg>)
    set(tool_target render_svg)
  else()
    message(FATAL_ERROR "no render_svg (build tools/ or set BRIXEL_RENDER_SVG)")
  endif()
endmacro()

# brixel_render_svg(SVG <file.svg> OUTPUTS <file.png> <size> [<file.png> <size>]...)
# One build step draws the picture into every PNG at its size (N, WxH or @SCALE, as render_svg
# takes them; a <file.ico> takes a comma list of sizes); name the outputs as sources of a target
# to have them made.
function(brixel_render_svg)
  cmake_parse_arguments(ARG "" "SVG" "OUTPUTS" ${ARGN})
  list(LENGTH ARG_OUTPUTS count)
  math(EXPR odd "${count} % 2")
  if(NOT ARG_SVG OR count EQUAL 0 OR odd)
    message(FATAL_ERROR "brixel_render_svg: SVG <file> OUTPUTS <png> <size> [<png> <size>]...")
  endif()
  brixel_render_svg_tool()
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

# brixel_record_svg(SVG <file.svg> OUTPUT <file>): the picture recorded as painting commands
# (shell/picture_recording.h), which a Qt without SVG replays.
function(brixel_record_svg)
  cmake_parse_arguments(ARG "" "SVG;OUTPUT" "" ${ARGN})
  if(NOT ARG_SVG OR NOT ARG_OUTPUT)
    message(FATAL_ERROR "brixel_record_svg: SVG <file> OUTPUT <file>")
  endif()
  brixel_render_svg_tool()
  get_filename_component(name ${ARG_SVG} NAME)
  add_custom_command(OUTPUT ${ARG_OUTPUT}
    COMMAND ${tool} --picture ${ARG_SVG} ${ARG_OUTPUT}
    DEPENDS ${ARG_SVG} ${tool_target}
    COMMENT "Recording ${name}"
    VERBATIM)
endfunction()
