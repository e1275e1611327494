# Writes a program's man page (gzipped) or its bash completion from the program's own help, so
# that they never disagree with --help. Run at build time:
#   cmake -DMODE=cli|usage|completion -DPROGRAM=exe -DTEMPLATE=page.1.in -DOUT=file -DVERSION=x.y.z
#         -P ManPage.cmake
# cli:        the program prints its OPTIONS and COMMANDS sections itself (--help-man, made from
#             its CLI11 tables); they replace @SECTIONS@.
# usage:      the program's --help text is a usage block, a blank line, prose, then a blank line
#             and "Options:" with each option's names two spaces in and its text indented
#             deeper below them: the usage lines replace @SYNOPSIS@, the prose @DESCRIPTION@
#             and the options (as tagged paragraphs) @OPTIONS@.
# completion: the program prints its completion script (--help-completion).
# The date honours SOURCE_DATE_EPOCH and gzip -n leaves out names and times, for reproducible
# packages.
cmake_minimum_required(VERSION 3.25)

function(run_program flag out_var)
  execute_process(COMMAND "${PROGRAM}" ${flag} OUTPUT_VARIABLE text RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR text STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} ${flag} failed (${rc}): ${err}")
  endif()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# Plain text as roff: backslashes escaped, a dash that starts an option name made a minus sign,
# and a line that would begin with a control character guarded.
function(roff_text text out_var)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|[^A-Za-z0-9])--" "\\1\\\\-\\\\-" text "${text}")
  string(REGEX REPLACE "(^|[^A-Za-z0-9\\\\-])-([A-Za-z])" "\\1\\\\-\\2" text "${text}")
  # The inner dashes of an option's name (--y-axis) are minus signs too, so that it can be copied.
  string(REGEX REPLACE "(\\\\-\\\\-[a-z]+)-([a-z])" "\\1\\\\-\\2" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

function(write_gzipped page)
  get_filename_component(dir "${OUT}" DIRECTORY)
  get_filename_component(name "${OUT}" NAME_WLE)
  set(plain "${dir}/${name}")
  file(WRITE "${plain}.tmp" "${page}")
  file(RENAME "${plain}.tmp" "${plain}")
  execute_process(COMMAND gzip -9nc "${plain}" OUTPUT_FILE "${OUT}.tmp" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "gzip of ${plain} failed")
  endif()
  file(RENAME "${OUT}.tmp" "${OUT}")
endfunction()

if(MODE STREQUAL "completion")
  run_program(--help-completion script)
  file(WRITE "${OUT}.tmp" "${script}")
  file(RENAME "${OUT}.tmp" "${OUT}")
  return()
endif()

string(TIMESTAMP DATE "%Y-%m-%d" UTC)
file(READ "${TEMPLATE}" page)
string(REPLACE "@DATE@" "${DATE}" page "${page}")
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")

if(MODE STREQUAL "cli")
  run_program(--help-man sections)
  string(REGEX REPLACE "\n$" "" sections "${sections}")
  string(REPLACE "@SECTIONS@" "${sections}" page "${page}")
elseif(MODE STREQUAL "usage")
  run_program(--help help)
  string(FIND "${help}" "\n\n" split)
  if(split LESS 0)
    message(FATAL_ERROR "${PROGRAM} --help has no blank line after its usage lines")
  endif()
  string(SUBSTRING "${help}" 0 ${split} usage)
  math(EXPR rest "${split} + 2")
  string(SUBSTRING "${help}" ${rest} -1 prose)
  string(FIND "${prose}" "\n\nOptions:\n" split)
  if(split LESS 0)
    message(FATAL_ERROR "${PROGRAM} --help has no Options: block after its description")
  endif()
  math(EXPR rest "${split} + 11")
  string(SUBSTRING "${prose}" ${rest} -1 options)
  string(SUBSTRING "${prose}" 0 ${split} prose)
  string(STRIP "${options}" options)
  roff_text("  ${options}" options)
  # Names two spaces in start a tagged paragraph; the deeper lines below them are its text.
  string(REGEX REPLACE "(^|\n)  ([^ \n][^\n]*)" "\\1@TAG@\\2" options "${options}")
  string(REGEX REPLACE "\n +" "\n" options "${options}")
  string(REGEX REPLACE "\n([.'])" "\n\\\\&\\1" options "${options}")
  string(REGEX REPLACE "@TAG@([^\n]*)" ".TP\n\\\\fB\\1\\\\fR" options "${options}")
  string(REPLACE "@OPTIONS@" "${options}" page "${page}")
  string(REGEX REPLACE "^Usage: *" "" usage "${usage}")
  roff_text("${usage}" usage)
  string(REGEX REPLACE "\n *" "\n.br\n" usage "${usage}")
  string(STRIP "${prose}" prose)
  string(REGEX REPLACE "\n\n+" "\n.PP\n" prose "${prose}")
  roff_text("${prose}" prose)
  string(REPLACE "@SYNOPSIS@" "${usage}" page "${page}")
  string(REPLACE "@DESCRIPTION@" "${prose}" page "${page}")
else()
  message(FATAL_ERROR "ManPage.cmake: unknown MODE '${MODE}'")
endif()
write_gzipped("${page}")
