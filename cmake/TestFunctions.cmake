# Read by ctest: adds a test for each test function the program lists, each with
# data folders of its own. They wait on the virtual tracker, so they start first.
function(kite12_test_functions name program data cmake)
  execute_process(COMMAND "${cmake}" -E env QT_QPA_PLATFORM=offscreen "${program}" -functions
                  OUTPUT_VARIABLE listed RESULT_VARIABLE status ERROR_QUIET)
  string(REGEX MATCHALL "[A-Za-z0-9_]+\\(\\)" functions "${listed}")
  if(NOT status EQUAL 0 OR NOT functions)
    # Not built, or it cannot list: the whole program runs, and fails as it does.
    set(functions "")
    add_test(${name} "${program}")
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
  foreach(function IN LISTS functions)
    string(REPLACE "()" "" function "${function}")
    add_test(${name}:${function} "${program}" ${function})
    set_tests_properties(${name}:${function} PROPERTIES LABELS ${name} COST 100 ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;XDG_DATA_HOME=${data}/${function};XDG_CONFIG_HOME=${data}/${function}/config")
  endforeach()
endfunction()
