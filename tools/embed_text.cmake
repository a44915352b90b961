# SPDX-FileCopyrightText: 2026 The Tessarin developers
# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DINPUT=file -DOUTPUT=header -DNAME=identifier -P embed_text.cmake
# Writes a header holding the text of INPUT as a string constant, so that the program carries it.
file(READ "${INPUT}" text)
set(delimiter "tessarin_text")
string(FIND "${text}" ")${delimiter}\"" clash)
if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${INPUT} contains the raw-string delimiter )${delimiter}\"")
endif()
file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${INPUT}; edit that file instead.\n#pragma once\n\n"
    "inline constexpr char ${NAME}[] = R\"${delimiter}(${text})${delimiter}\";\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
