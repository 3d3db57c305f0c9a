# alarmclock_add_test(NAME <name> SOURCES <file>... LIBS <target>...
#                     [LABELS <label>...] [DEFINITIONS <definition>...] [DEPENDS <target>...]
#                     [PROPERTIES <property> <value>...] [DISCOVERY_MODE <mode>] [EXCLUDE <pattern>]
#                     [OWN_MAIN])
#
# One GoogleTest executable whose tests ctest lists one by one. It links GoogleTest's main unless the
# sources bring their own (OWN_MAIN). DEFINITIONS are compile definitions, DEPENDS targets built first
# (programs the tests run), PROPERTIES test properties given to every discovered test. EXCLUDE is a
# GoogleTest filter of tests that ctest does not list, for those the caller runs its own way.
function(alarmclock_add_test)
  cmake_parse_arguments(PARSE_ARGV 0 ARG "OWN_MAIN" "NAME;DISCOVERY_MODE;EXCLUDE"
    "SOURCES;LIBS;LABELS;DEFINITIONS;DEPENDS;PROPERTIES")
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "alarmclock_add_test: unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT ARG_NAME OR NOT ARG_SOURCES)
    message(FATAL_ERROR "alarmclock_add_test needs NAME and SOURCES")
  endif()

  add_executable(${ARG_NAME} ${ARG_SOURCES})
  if(ARG_OWN_MAIN)
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest)
  else()
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  endif()
  if(ARG_DEFINITIONS)
    target_compile_definitions(${ARG_NAME} PRIVATE ${ARG_DEFINITIONS})
  endif()
  if(ARG_DEPENDS)
    add_dependencies(${ARG_NAME} ${ARG_DEPENDS})
  endif()

  # Listing the tests runs the program (under Wine for the Windows suite); on a busy machine that can
  # take longer than the default 5 s, and a listing cut short fails the whole suite. A bound, not a wait.
  set(discovery DISCOVERY_TIMEOUT 120)
  if(ARG_DISCOVERY_MODE)
    list(APPEND discovery DISCOVERY_MODE ${ARG_DISCOVERY_MODE})
  endif()
  if(ARG_EXCLUDE)
    list(APPEND discovery TEST_FILTER "-${ARG_EXCLUDE}")
  endif()
  if(ARG_PROPERTIES)
    list(APPEND discovery PROPERTIES ${ARG_PROPERTIES})
  endif()
  gtest_discover_tests(${ARG_NAME} ${discovery})

  # Labelled once ctest knows the tests: a list of labels would not survive the discovery script's
  # PROPERTIES. ctest includes this file after the discovery's own, which leaves the names in <name>_TESTS.
  if(ARG_LABELS)
    set(labels_file "${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}_labels.cmake")
    file(WRITE "${labels_file}"
      "if(${ARG_NAME}_TESTS)\n"
      "  set_tests_properties(\${${ARG_NAME}_TESTS} PROPERTIES LABELS \"${ARG_LABELS}\")\n"
      "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${labels_file}")
  endif()
endfunction()
