# Manual pages made at build time by help2man from a program's own --help and --version, so that
# they always list the options the program really has. Installed gzip-compressed, as Debian does.
# Not when cross-compiling: the program cannot run on the build machine.
#
# The pages are Russian, as the programs' --help is: help2man runs with its Russian translations,
# so that the headings read ИМЯ, ОБЗОР, ОПИСАНИЕ, СМОТРИТЕ ТАКЖЕ and the help's "Использование:"
# line becomes the synopsis. Its translations need the ru_RU.UTF-8 locale; that is compiled once
# into the build folder with localedef (from the sources of Debian's `locales` package) and found
# through LOCPATH, so no locale has to be generated on the machine itself.

# The folder with the compiled ru_RU.UTF-8 locale, made on first use.
function(vornik_man_locale out)
  set(dir ${CMAKE_BINARY_DIR}/man-locale)
  if(NOT EXISTS ${dir}/ru_RU.UTF-8/LC_MESSAGES/SYS_LC_MESSAGES)
    find_program(VORNIK_LOCALEDEF localedef)
    if(NOT VORNIK_LOCALEDEF OR NOT EXISTS /usr/share/i18n/locales/ru_RU)
      message(FATAL_ERROR "localedef and the locale sources of the `locales` package are needed for "
                          "the Russian manual pages (scripts/install-deps.sh installs them)")
    endif()
    # Made under another name and renamed, so that an interrupted run leaves no half locale.
    file(REMOVE_RECURSE ${dir}/ru_RU.UTF-8 ${dir}/partial)
    file(MAKE_DIRECTORY ${dir})
    execute_process(COMMAND ${VORNIK_LOCALEDEF} -i ru_RU -f UTF-8 ${dir}/partial
                    RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
    if(failed)
      message(FATAL_ERROR "localedef could not compile ru_RU.UTF-8 for the manual pages: ${said}")
    endif()
    file(RENAME ${dir}/partial ${dir}/ru_RU.UTF-8)
  endif()
  set(${out} ${dir} PARENT_SCOPE)
endfunction()

# `description` is the page's one-line NAME text; `see_also` names the other program, for the
# page's SEE ALSO section.
function(vornik_man_page target description see_also)
  if(CMAKE_CROSSCOMPILING)
    return()
  endif()
  find_program(VORNIK_HELP2MAN help2man)
  if(NOT VORNIK_HELP2MAN)
    message(FATAL_ERROR "help2man is needed for the manual pages (scripts/install-deps.sh installs it)")
  endif()
  vornik_man_locale(locales)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.1)
  # The NAME text comes through the include file: help2man reads that as UTF-8, while --name
  # would be taken byte by byte and come out garbled.
  file(WRITE ${page}.include "[ИМЯ]\n${target} \\- ${description}\n[СМОТРИТЕ ТАКЖЕ]\n.BR ${see_also} (1)\n")
  # Without the translations help2man would still write a page, silently with English headings
  # and no synopsis: the build stops unless the Russian synopsis heading is there.
  add_custom_command(OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY LOCPATH=${locales}
            ${VORNIK_HELP2MAN} --locale=ru_RU.UTF-8 --no-info --section=1 --include=${page}.include
            --output=${page} $<TARGET_FILE:${target}>
    COMMAND grep -q "^\\.SH ОБЗОР$" ${page}
    COMMAND gzip -9nf -k ${page}
    DEPENDS ${target} ${page}.include
    COMMENT "Writing the manual page ${target}.1"
    VERBATIM)
  add_custom_target(${target}-man ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
