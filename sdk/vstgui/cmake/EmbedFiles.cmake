# vstgui_embed_files(<output.cpp> <prologue> <epilogue> <symbol> <file>...): writes a C++ source that
# holds each file as a string literal named <symbol><index>, with <prologue> and <epilogue> around the
# whole (they may use @ENTRIES@, one "{name, data, size}," line per file, and @COUNT@). The output is
# rewritten only when it changes; a changed input file reruns the configuration.
function(vstgui_embed_files output prologue epilogue symbol)
  set(body "")
  set(entries "")
  set(index 0)
  # Sixteen bytes to a source line.
  string(REPEAT "\\\\x.." 16 line)
  foreach(path IN LISTS ARGN)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${path}")
    file(READ "${path}" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
    string(REGEX REPLACE "(${line})" "\\1\"\n  \"" escaped "${escaped}")
    get_filename_component(name "${path}" NAME)
    string(TOUPPER "${name}" name)
    string(APPEND body "const unsigned char ${symbol}${index}[] =\n  \"${escaped}\";\n")
    string(APPEND entries "  {\"${name}\", ${symbol}${index}, sizeof (${symbol}${index}) - 1},\n")
    math(EXPR index "${index} + 1")
  endforeach()
  set(ENTRIES "${entries}")
  set(COUNT "${index}")
  string(CONFIGURE "${prologue}" head @ONLY)
  string(CONFIGURE "${epilogue}" tail @ONLY)
  file(WRITE "${output}.tmp" "// Generated at configure time from the embedded files; do not edit.\n${head}${body}${tail}")
  configure_file("${output}.tmp" "${output}" COPYONLY)
endfunction()
