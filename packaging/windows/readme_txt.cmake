# cmake -DSOURCE=README.md -DTARGET=README.txt -P readme_txt.cmake
# A Windows user's README, taken from the project's: what the program does (all before its first section),
# its Windows section but for how to build it on Debian, and the sections that say how the alarm behaves on
# either system. As Windows opens a double-clicked file: a .txt (Notepad) rather than a .md (which Windows
# does not know), with Windows line ends, and a byte order mark so that any Notepad reads it as UTF-8.
# Without pictures: Notepad shows none, and neither the zip nor the installer holds them.
set(windows_sections "Windows" "A late alarm, a missed one, a sound that cannot play")
set(left_out_subsection "Building the Windows program on Debian")

file(READ "${SOURCE}" readme)
string(REPLACE "\r\n" "\n" readme "${readme}")

# The part that starts at the line "MARKER HEADING" and ends before the next heading of its level or above
# (STOP, a regular expression for such a line's start); fails when the README has no such part.
function(readme_part text marker heading stop out)
  string(FIND "${text}" "\n${marker} ${heading}\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "${SOURCE} has no part \"${marker} ${heading}\" for the Windows README")
  endif()
  math(EXPR start "${start} + 1")
  string(SUBSTRING "${text}" ${start} -1 rest)
  string(LENGTH "${marker} ${heading}\n" heading_length)
  string(SUBSTRING "${rest}" 0 ${heading_length} part)
  string(SUBSTRING "${rest}" ${heading_length} -1 body)
  string(REGEX REPLACE "\n${stop}.*$" "\n" body "${body}")
  set(${out} "${part}${body}" PARENT_SCOPE)
endfunction()

string(FIND "${readme}" "\n## " first_section)
string(SUBSTRING "${readme}" 0 ${first_section} text)
foreach(heading IN LISTS windows_sections)
  readme_part("${readme}" "##" "${heading}" "##? " section)
  string(APPEND text "\n${section}")
endforeach()
readme_part("${text}" "###" "${left_out_subsection}" "#(##?)? " building)
string(REPLACE "${building}" "" text "${text}")

string(REGEX REPLACE "!\\[[^]]*\\]\\([^)]*\\)" "" text "${text}")
# The lines that held only pictures go with them, leaving one blank line between paragraphs.
string(REGEX REPLACE "\n([ ]*\n)+" "\n\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 bom)
file(WRITE "${TARGET}" "${bom}${text}")
