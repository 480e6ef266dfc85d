# What a Unix install carries beside the program and its documents, in the
# forms Debian's package checker asks for: the manual page compressed, with
# the version in its footer; the bash completion, written by a small
# program of the build from the option tables the command line uses; the
# licence as a machine-readable copyright file; the released changes of
# CHANGELOG.md as a Debian changelog, changelog.gz. gzip -9n keeps the
# file's name and time out of what it writes, so that two builds agree.
set(extras ${CMAKE_BINARY_DIR}/installed)
file(MAKE_DIRECTORY ${extras}/bash-completion)

add_custom_command(OUTPUT ${extras}/co447gen.1.gz
  COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${CMAKE_BINARY_DIR}/man/co447gen.1 ${extras}/co447gen.1.gz
  DEPENDS ${CMAKE_BINARY_DIR}/man/co447gen.1 VERBATIM)

add_custom_command(OUTPUT ${extras}/changelog.gz
  COMMAND sh -c "awk -v package=co447gen -v \"maintainer=$1\" -f \"$2\" \"$3\" > \"$4\" && gzip -9n -f \"$4\""
          sh ${CO447GEN_MAINTAINER} ${CMAKE_SOURCE_DIR}/cmake/debian-changelog.awk
          ${CMAKE_SOURCE_DIR}/CHANGELOG.md ${extras}/changelog
  DEPENDS ${CMAKE_SOURCE_DIR}/CHANGELOG.md ${CMAKE_SOURCE_DIR}/cmake/debian-changelog.awk VERBATIM)

add_executable(co447gen_completion tools/bash-completion.cpp)
target_link_libraries(co447gen_completion PRIVATE co447_app)
add_custom_command(OUTPUT ${extras}/bash-completion/co447gen
  COMMAND co447gen_completion ${extras}/bash-completion/co447gen
  DEPENDS co447gen_completion VERBATIM)

add_custom_target(co447gen_extras ALL DEPENDS
  ${extras}/co447gen.1.gz ${extras}/changelog.gz ${extras}/bash-completion/co447gen)

# The copyright file: the holder and the terms of LICENSE, the terms as one
# continued field (an empty line written as " .").
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)
file(READ ${CMAKE_SOURCE_DIR}/LICENSE license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" holder "${license}")
set(holder "${CMAKE_MATCH_1}")
string(FIND "${license}" "Permission is hereby granted" terms_start)
string(SUBSTRING "${license}" ${terms_start} -1 terms)
string(STRIP "${terms}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " terms "${terms}")
file(CONFIGURE OUTPUT ${extras}/copyright @ONLY CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: co447gen
Upstream-Contact: ${CO447GEN_MAINTAINER}

Files: *
Copyright: ${holder}
License: Expat
 ${terms}
")

install(FILES ${extras}/co447gen.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${extras}/bash-completion/co447gen DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${extras}/copyright ${extras}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
