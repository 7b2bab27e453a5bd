# Makes a text file for Windows readers: IN as it is, or, with GROFF set, the
# manual page IN formatted as plain ASCII text; lines end in CR LF.
#   cmake -DIN=... -DOUT=... [-DGROFF=...] -P WindowsText.cmake
if(GROFF)
  # -P-cbou: no escape sequences and no overstriking, only the characters.
  execute_process(COMMAND ${GROFF} -man -Tascii -P-cbou ${IN} OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
else()
  file(READ ${IN} text)
endif()
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${text}")
