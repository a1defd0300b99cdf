# kite12_host_runnable(TARGET OUT): in OUT, a path that runs TARGET's program on
# this machine, for steps of the build that run it (its help makes its manual).
# In a cross build it is a script of the same name that runs the program under
# the emulator, since help2man takes the name it prints from the path.
function(kite12_host_runnable target out)
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(${out} "$<TARGET_FILE:${target}>" PARENT_SCOPE)
    return()
  endif()
  set(script "${CMAKE_CURRENT_BINARY_DIR}/emulated/${target}")
  file(GENERATE OUTPUT "${script}"
       CONTENT "#!/bin/sh\nexec ${CMAKE_CROSSCOMPILING_EMULATOR} \"$<TARGET_FILE:${target}>\" \"$@\"\n"
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  set(${out} "${script}" PARENT_SCOPE)
endfunction()
