# Writes help2man's include file for kite12: the fields of "kite12 set --help",
# so that the manual cannot fall behind them, then the sections of STATIC.
# Usage: cmake -DKITE12=program -DSTATIC=file -DOUT=file -P ManualSections.cmake
execute_process(COMMAND ${KITE12} set --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${KITE12} set --help failed")
endif()
string(REGEX MATCH "FIELD is one of:\n(  [^\n]+\n)+" fields "${help}")
string(REPLACE "\\" "\\e" fields "${fields}")
# groff reads ASCII: the one Chinese value (the unit) as named characters.
string(REPLACE "公里" "\\[u516C]\\[u91CC]" fields "${fields}")
string(REGEX REPLACE "FIELD is one of:\n" "" fields "${fields}")
string(REGEX REPLACE "  ([a-z_]+) +([^\n]+)\n" ".TP\n.B \\1\n\\2\n" fields "${fields}")
file(READ ${STATIC} sections)
file(WRITE ${OUT} "[FIELDS]\nThe FIELD=VALUE pairs of \\fBset\\fR, and the fields that \\fBread\\fR prints:\n${fields}\n${sections}")
