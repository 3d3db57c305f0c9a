# cmake -DSOURCE=README.md -DTARGET=README.txt -P readme_txt.cmake
# The README as Windows opens a double-clicked file: a .txt (Notepad) rather than a .md (which Windows does
# not know), with Windows line ends, and a byte order mark so that any Notepad reads it as UTF-8. Without its
# pictures: Notepad shows none, and neither the zip nor the installer holds them.
file(READ "${SOURCE}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REGEX REPLACE "!\\[[^]]*\\]\\([^)]*\\)" "" text "${text}")
# The lines that held only pictures go with them, leaving one blank line between paragraphs.
string(REGEX REPLACE "\n([ ]*\n)+" "\n\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 bom)
file(WRITE "${TARGET}" "${bom}${text}")
